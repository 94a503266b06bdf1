#include "countingprobar.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using zentrim::ProBar;
using zentrim::testing::CountingProBar;
using zentrim::testing::rgb;

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);

// A bar of 200 x 60 pixels with a single-line border: the client area is
// 198 x 58 pixels from (1, 1); the message label covers rows 21 to 37.
class ProBarPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar = std::make_unique<CountingProBar>();
        bar->InitProperties();
        bar->setBackColor(rgb(0, 0, 255));
        bar->setBarColor(rgb(255, 0, 0));
        bar->resize(200, 60);
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
        QCoreApplication::processEvents();
        bar->fills.clear();
    }

    // Grabs the control and keeps the picture in the build folder.
    QImage grab(const char *name)
    {
        const QImage image = bar->grab().toImage();
        image.save(QStringLiteral(PROBAR_IMAGE_DIR "/probar_%1.png").arg(QLatin1String(name)));
        bar->fills.clear();
        return image;
    }

    std::unique_ptr<CountingProBar> bar;
};

TEST_F(ProBarPaint, BarFillsFromTheLeftByTheUserScale)
{
    bar->setValue(0);
    QImage image = grab("value0");
    EXPECT_EQ(image.pixelColor(5, 5), blue);
    EXPECT_EQ(image.pixelColor(194, 54), blue);
    EXPECT_EQ(image.pixelColor(0, 0), bar->palette().color(QPalette::WindowText)); // the border

    bar->setValue(50);
    image = grab("value50");
    EXPECT_EQ(image.pixelColor(1, 5), red);
    EXPECT_EQ(image.pixelColor(99, 54), red);
    EXPECT_EQ(image.pixelColor(100, 54), blue);
    EXPECT_EQ(image.pixelColor(194, 5), blue);

    bar->setValue(100);
    image = grab("value100");
    EXPECT_EQ(image.pixelColor(1, 5), red);
    EXPECT_EQ(image.pixelColor(198, 58), red);
    EXPECT_EQ(image.pixelColor(199, 59), bar->palette().color(QPalette::WindowText));

    bar->setMin(40);
    bar->setMax(60); // 20 units over 198 pixels: Value 50 is half way again
    bar->setValue(50);
    image = grab("min40max60value50");
    EXPECT_EQ(image.pixelColor(99, 5), red);
    EXPECT_EQ(image.pixelColor(100, 5), blue);
}

TEST_F(ProBarPaint, VerticalBarGrowsFromTheBottomAfterTheNextPaint)
{
    bar->setValue(0);
    bar->fills.clear();
    bar->setVertical(true);
    EXPECT_TRUE(bar->fills.isEmpty()); // Vertical alone draws nothing

    bar->setValue(25);
    ASSERT_EQ(bar->fills.size(), 2);
    EXPECT_EQ(bar->fills[1].rect, QRect(1, 44, 198, 15)); // 25 of 100 units of 58 pixels: 14.5
    const QImage image = grab("vertical25");
    EXPECT_EQ(image.pixelColor(5, 58), red);
    EXPECT_EQ(image.pixelColor(190, 44), red);
    EXPECT_EQ(image.pixelColor(190, 43), blue);
    EXPECT_EQ(image.pixelColor(5, 5), blue);
}

TEST_F(ProBarPaint, ValuePaintsAtOnceOnlyWhenTheBarMovesAPixel)
{
    bar->setMax(1000); // 1000 units over 198 pixels
    bar->setValue(0);
    bar->fills.clear();

    bar->setValue(1); // any progress shows: the first column
    ASSERT_EQ(bar->fills.size(), 2);
    EXPECT_EQ(bar->fills[1].rect, QRect(1, 1, 1, 58));
    EXPECT_EQ(bar->fills[1].colour, red);

    bar->fills.clear();
    bar->setValue(2); // still the first column
    EXPECT_TRUE(bar->fills.isEmpty());

    bar->setValue(600);
    ASSERT_EQ(bar->fills.size(), 2);
    EXPECT_EQ(bar->fills[0].colour, blue);
    EXPECT_EQ(bar->fills[1].rect, QRect(1, 1, 119, 58));

    bar->fills.clear();
    bar->setValue(0); // Value at Min: the background alone
    ASSERT_EQ(bar->fills.size(), 1);
    EXPECT_EQ(bar->fills[0].rect, QRect(1, 1, 198, 58));

    bar->fills.clear();
    bar->setBarColor(rgb(0, 255, 0)); // colours repaint at once, whatever Value is
    EXPECT_FALSE(bar->fills.isEmpty());
}

TEST_F(ProBarPaint, NewControlLooksHalfFullWithTheMessageCentred)
{
    bar->setBackColor(qint32(0x8000000F));
    bar->setBarColor(qint32(0x8000000D));
    const QImage image = grab("new");
    EXPECT_EQ(image.pixelColor(5, 5), bar->palette().color(QPalette::Highlight));
    EXPECT_EQ(image.pixelColor(194, 5), bar->palette().color(QPalette::Button));

    const QWidget *label = bar->findChild<QWidget *>(QStringLiteral("lblMsg"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(1, 1 + 29 - label->height() / 2, 198, label->height()));
    // Orange letters somewhere in the label's rows, the bar around them.
    bool orange = false;
    for (int y = label->y(); y < label->y() + label->height() && !orange; ++y) {
        for (int x = 1; x < 199 && !orange; ++x)
            orange = image.pixelColor(x, y) == QColor(255, 128, 0);
    }
    EXPECT_TRUE(orange);

    bar->resize(300, 90); // resizing follows the new client area
    QCoreApplication::processEvents();
    EXPECT_EQ(label->geometry(), QRect(1, 1 + 44 - label->height() / 2, 298, label->height()));
    EXPECT_EQ(grab("resized").pixelColor(148, 5), bar->palette().color(QPalette::Highlight));
}

} // namespace
