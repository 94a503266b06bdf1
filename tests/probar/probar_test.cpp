#include "countingprobar.h"

#include "controlhost/colourvalue.h"

#include <QLabel>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using quorbel::RecordingControlHost;
using zentrim::ProBar;
using zentrim::testing::CountingProBar;

namespace {

QLabel *messageLabel(const ProBar &bar)
{
    return bar.findChild<QLabel *>(QStringLiteral("lblMsg"));
}

TEST(ProBar, FreshControlHoldsZerosAndTheMessageLabel)
{
    ProBar bar;
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.BackColor(), 0);
    EXPECT_EQ(bar.BarColor(), 0);
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdNone);
    EXPECT_FALSE(bar.ShowMessage());
    EXPECT_FALSE(bar.Vertical());
    EXPECT_EQ(bar.MessageText(), "Message");
    EXPECT_EQ(bar.MessageColor(), 33023);

    QLabel *label = messageLabel(bar);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Message");
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_TRUE(label->font().bold());
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    EXPECT_EQ(label->height(), 255 * label->logicalDpiY() / 1440);
}

TEST(ProBar, InitPropertiesSetsTheDefaultsThroughTheSetters)
{
    RecordingControlHost host;
    ProBar bar(nullptr, &host);
    bar.InitProperties();
    EXPECT_EQ(bar.BackColor(), qint32(0x8000000F));
    EXPECT_EQ(bar.BarColor(), qint32(0x8000000D));
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdFixedSingle);
    EXPECT_FALSE(bar.ShowMessage());
    EXPECT_EQ(host.notifications(),
              QStringList({"BackColor", "BarColor", "Vertical", "Max", "Min", "Value", "BorderStyle"}));
}

TEST(ProBar, MaxMinAndValueAreClampedNeverRejected)
{
    ProBar bar;
    bar.InitProperties();

    bar.setMax(0);
    EXPECT_EQ(bar.Max(), 1);
    bar.setMax(-7);
    EXPECT_EQ(bar.Max(), 1);
    bar.setMax(100);
    bar.setMin(10);
    bar.setMax(5);
    EXPECT_EQ(bar.Max(), 11);

    bar.setMax(100);
    bar.setMin(100);
    EXPECT_EQ(bar.Min(), 99);
    bar.setMin(5000);
    EXPECT_EQ(bar.Min(), 99);
    bar.setMin(-3);
    EXPECT_EQ(bar.Min(), 0);

    bar.setValue(1000);
    EXPECT_EQ(bar.Value(), 100);
    bar.setValue(-5);
    EXPECT_EQ(bar.Value(), 0);

    bar.setMax(std::numeric_limits<qint32>::max());
    bar.setMin(std::numeric_limits<qint32>::max());
    EXPECT_EQ(bar.Min(), std::numeric_limits<qint32>::max() - 1);
    EXPECT_EQ(bar.scaleWidth(), 1);

    bar.setBorderStyle(7);
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdFixedSingle);
    EXPECT_EQ(bar.contentsMargins(), QMargins(1, 1, 1, 1));
    bar.setBorderStyle(-1);
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdNone);
    EXPECT_EQ(bar.contentsMargins(), QMargins(0, 0, 0, 0));
}

TEST(ProBar, PulledValueIsNotifiedBeforeTheLimitThatMovedIt)
{
    RecordingControlHost host;
    ProBar bar;
    bar.InitProperties();
    bar.setHost(&host);

    bar.setValue(80);
    host.clearNotifications();
    bar.setMax(60);
    EXPECT_EQ(bar.Value(), 60);
    EXPECT_EQ(host.notifications(), QStringList({"Value", "Max"}));

    host.clearNotifications();
    bar.setMax(200); // Value stays where it is
    bar.setMin(70);
    EXPECT_EQ(bar.Value(), 70);
    EXPECT_EQ(host.notifications(), QStringList({"Max", "Value", "Min"}));
    EXPECT_EQ(bar.scaleWidth(), 130);
    EXPECT_EQ(bar.scaleHeight(), 130);

    host.clearNotifications();
    bar.setBorderStyle(0);
    bar.setVertical(true);
    bar.setShowMessage(true);
    bar.setMessageColor(255);
    bar.setMessageText(QStringLiteral("Colouring Code"));
    bar.setBarColor(0);
    bar.setBackColor(0);
    EXPECT_EQ(host.notifications(), QStringList({"BorderStyle", "Vertical", "ShowMessage", "MessageColor",
                                                 "MessageText", "BarColor", "BackColor"}));
    EXPECT_EQ(messageLabel(bar)->text(), "Colouring Code");
    EXPECT_EQ(messageLabel(bar)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST(ProBar, ShowMessageIsStoredButTheMessageStaysVisible)
{
    CountingProBar bar;
    bar.InitProperties();
    bar.resize(200, 30);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QCoreApplication::processEvents();

    bar.fills.clear();
    bar.setShowMessage(true);
    EXPECT_TRUE(bar.ShowMessage());
    EXPECT_EQ(bar.fills.size(), 2); // repainted at once
    EXPECT_TRUE(messageLabel(bar)->isVisible());
    bar.setShowMessage(false);
    EXPECT_FALSE(bar.ShowMessage());
    EXPECT_TRUE(messageLabel(bar)->isVisible());
}

TEST(ProBar, HostsReachEveryPropertyByItsName)
{
    const QMetaObject &meta = ProBar::staticMetaObject;
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names.append(QString::fromLatin1(meta.property(i).name()));
    EXPECT_EQ(names, QStringList({"BackColor", "BarColor", "ShowMessage", "Max", "Min", "Value", "BorderStyle",
                                  "Vertical", "MessageColor", "MessageText"}));

    RecordingControlHost host;
    ProBar bar(nullptr, &host);
    bar.InitProperties();
    host.clearNotifications();
    EXPECT_TRUE(bar.setProperty("Max", 20));
    EXPECT_TRUE(bar.setProperty("Value", 15));
    EXPECT_TRUE(bar.setProperty("MessageText", QStringLiteral("Colouring Code")));
    EXPECT_TRUE(bar.setProperty("BorderStyle", 0));
    EXPECT_EQ(bar.property("Value").toInt(), 15);
    EXPECT_EQ(bar.property("MessageText").toString(), "Colouring Code");
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdNone);
    EXPECT_EQ(host.notifications(), QStringList({"Value", "Max", "Value", "MessageText", "BorderStyle"}));
    EXPECT_TRUE(bar.setProperty("BorderStyle", 7));
    EXPECT_EQ(bar.property("BorderStyle").toInt(), ProBar::bdFixedSingle);

    const int info = meta.indexOfClassInfo("Description.MessageText");
    ASSERT_GE(info, 0);
    EXPECT_STREQ(meta.classInfo(info).value(),
                 "Returns/sets the text displayed in an object's title bar or below an object's icon.");
}

TEST(ColourValue, SystemColourReferencesFollowThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    EXPECT_EQ(quorbel::resolveColour(qint32(0x8000000F), palette), QColor(1, 2, 3));
    EXPECT_EQ(quorbel::resolveColour(qint32(0x8000000D), palette), QColor(4, 5, 6));
    EXPECT_EQ(quorbel::resolveColour(qint32(0x80000005), palette), QColor(7, 8, 9));
    EXPECT_EQ(quorbel::resolveColour(33023, palette), QColor(255, 128, 0));
    EXPECT_EQ(quorbel::resolveColour(0x00563412, palette), QColor(0x12, 0x34, 0x56));
}

} // namespace
