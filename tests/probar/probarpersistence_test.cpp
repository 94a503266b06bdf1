#include "countingprobar.h"

#include <gtest/gtest.h>

using quorbel::MemoryPropertyBag;
using quorbel::PropertyBagError;
using quorbel::RecordingControlHost;
using zentrim::ProBar;

namespace {

TEST(MemoryPropertyBag, KeepsEveryWriteInOrderAndLeavesOutDefaults)
{
    MemoryPropertyBag bag;
    bag.write("Max", 100, 100);
    bag.write("Max", 7, 100);
    bag.write("Text", QStringLiteral("a"), QStringLiteral("b"));
    bag.write("max", 9, 100);
    EXPECT_EQ(bag.keys(), QStringList({"Max", "Text", "max"}));
    EXPECT_EQ(bag.read("MAX", 100).toInt(), 9);
    EXPECT_EQ(bag.read("Min", 3).toInt(), 3);

    bag.failOn("text");
    EXPECT_THROW(bag.read("Text", QString()), PropertyBagError);
    EXPECT_EQ(bag.read("Max", 100).toInt(), 9);
}

TEST(ProBarDesign, DefaultsWriteNothingAndChangesWriteNineKeysInOrder)
{
    ProBar bar;
    bar.InitProperties();
    MemoryPropertyBag untouched;
    bar.WriteProperties(untouched);
    EXPECT_TRUE(untouched.entries().isEmpty());

    bar.setBackColor(1);
    bar.setBarColor(2);
    bar.setVertical(true);
    bar.setMax(200);
    bar.setMin(150);
    bar.setValue(175);
    bar.setBorderStyle(0);
    bar.setMessageColor(3);
    bar.setMessageText(QStringLiteral("Colouring Code"));
    bar.setShowMessage(true);
    MemoryPropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList({"BackColor", "BarColor", "Vertical", "Max", "Min", "Value", "BorderStyle",
                                       "MessageColor", "MessageText"}));
    EXPECT_EQ(bag.read("MessageText", QString()).toString(), "Colouring Code");
    EXPECT_EQ(bag.read("Vertical", false).toBool(), true);

    RecordingControlHost host;
    ProBar restored(nullptr, &host);
    restored.ReadProperties(bag);
    EXPECT_EQ(restored.BackColor(), 1);
    EXPECT_EQ(restored.BarColor(), 2);
    EXPECT_TRUE(restored.Vertical());
    EXPECT_EQ(restored.Max(), 200);
    EXPECT_EQ(restored.Min(), 150);
    EXPECT_EQ(restored.Value(), 175);
    EXPECT_EQ(restored.BorderStyle(), ProBar::bdNone);
    EXPECT_EQ(restored.MessageColor(), 3);
    EXPECT_EQ(restored.MessageText(), "Colouring Code");
    EXPECT_FALSE(restored.ShowMessage()); // not part of a design
    // Raising Min to 150 pushes the fresh Value 0 up before Value is read.
    EXPECT_EQ(host.notifications(), QStringList({"BackColor", "BarColor", "Vertical", "Max", "Value", "Min", "Value",
                                                 "BorderStyle", "MessageColor", "MessageText"}));
}

TEST(ProBarDesign, DesignHoldingOnlyTheMessageRestoresEveryOtherDefault)
{
    MemoryPropertyBag bag({{"MessageText", QStringLiteral("Colouring Code")}, {"ShowMessage", true}});
    ProBar bar;
    bar.ReadProperties(bag);
    EXPECT_EQ(bar.BackColor(), qint32(0x8000000F));
    EXPECT_EQ(bar.BarColor(), qint32(0x8000000D));
    EXPECT_FALSE(bar.Vertical());
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdFixedSingle);
    EXPECT_EQ(bar.MessageColor(), 33023);
    EXPECT_EQ(bar.MessageText(), "Colouring Code");
    EXPECT_FALSE(bar.ShowMessage());
}

TEST(ProBarDesign, UnreadableKeysArePassedOverAndTheNextKeyIsRead)
{
    MemoryPropertyBag bag({{"BackColor", QStringLiteral("not a colour")},
                           {"BarColor", 5},
                           {"Vertical", QStringLiteral("True")},
                           {"Max", QStringLiteral(" 300 ")},
                           {"Min", 40.5}, // rounds half to even
                           {"Value", QVariantList{1, 2}},
                           {"BorderStyle", qint64(1) << 40},
                           {"MessageColor", QStringLiteral("2147483663")}});
    bag.failOn("BarColor");
    ProBar bar;
    bar.ReadProperties(bag);
    EXPECT_EQ(bar.BackColor(), 0); // wrong type: keeps what a fresh control holds
    EXPECT_EQ(bar.BarColor(), 0);  // the bag failed on it
    EXPECT_TRUE(bar.Vertical());
    EXPECT_EQ(bar.Max(), 300);
    EXPECT_EQ(bar.Min(), 40);
    EXPECT_EQ(bar.Value(), 40);                        // wrong type: pushed up to Min only
    EXPECT_EQ(bar.BorderStyle(), ProBar::bdNone);      // out of range for a 32-bit number
    EXPECT_EQ(bar.MessageColor(), qint32(0x8000000F)); // unsigned text of a system colour
    EXPECT_EQ(bar.MessageText(), "Message");
}

TEST(ProBarDesign, ErrorsOfTheStoreWhileWritingReachTheHost)
{
    class FullBag : public quorbel::PropertyBag {
    public:
        QVariant read(const QString &, const QVariant &def) override { return def; }
        void write(const QString &key, const QVariant &, const QVariant &) override
        {
            throw PropertyBagError("cannot write " + key.toStdString());
        }
    } full;
    ProBar bar;
    bar.InitProperties();
    EXPECT_THROW(bar.WriteProperties(full), PropertyBagError);
}

} // namespace
