// The index page of the sample site drawn by Qt's rich text engine into
// <build>/project-index.png, for a person to look at (no browser here).
#include "tests/support/scratchfiles.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

TEST(IndexScreenshot, SampleIndexDrawnForAPersonToLookAt)
{
    int argc = 1;
    char name[] = "project_screenshot";
    char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const std::string html =
        quorbel::testing::readBytes(std::filesystem::path(QUORBEL_TEST_DATA_DIR) / "project/expected/index.html");
    ASSERT_FALSE(html.empty());
    QTextDocument document;
    document.setHtml(QString::fromStdString(html));
    document.setTextWidth(820);
    const QString text = document.toPlainText();
    for (const char *shown : {"Project1", "Sample & Co", "Modules", "Classes", "Forms", "Module1", "Start", "Limit",
                              "Frame1", "Check1", "VB.CheckBox", "Gone", "missing"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;

    QImage image(QSize(820, static_cast<int>(document.size().height()) + 20), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.drawContents(&painter);
    painter.end();
    int inked = 0;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4)
            inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(inked, 200);
    EXPECT_TRUE(image.save(QStringLiteral(QUORBEL_BUILD_DIR "/project-index.png")));
}

} // namespace
