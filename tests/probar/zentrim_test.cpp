#include "probar/probar.h"
#include "probar/zentrim.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(Zentrim, CreatesProBarByClassNameAndNamesWhatItOffersOtherwise)
{
    QWidget window;
    QString error;
    QWidget *control = zentrim::createControl(QStringLiteral("Zentrim.ProBar"), &window, &error);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(control->parent(), &window);
    auto *bar = qobject_cast<zentrim::ProBar *>(control);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->host(), nullptr);

    std::unique_ptr<QWidget> anyCase(zentrim::createControl(QStringLiteral("zentrim.probar"), nullptr, nullptr));
    EXPECT_NE(qobject_cast<zentrim::ProBar *>(anyCase.get()), nullptr);

    EXPECT_EQ(zentrim::createControl(QStringLiteral("Zentrim.Gauge"), &window, &error), nullptr);
    EXPECT_EQ(error, "no control class \"Zentrim.Gauge\" in Zentrim; it offers Zentrim.ProBar");
    EXPECT_EQ(zentrim::createControl(QString(), &window, nullptr), nullptr);
    EXPECT_EQ(zentrim::createControl(QStringLiteral("Zentrim.ProBar "), &window, &error), nullptr);
    EXPECT_EQ(window.findChildren<zentrim::ProBar *>().size(), 1);

    EXPECT_STREQ(zentrim_version(), "1.0.0");
}

} // namespace
