#include "codebox/controlerror.h"
#include "codebox/vbcodebox.h"
#include "platform/qt/propertybag.h"
#include "probar/probar.h"
#include "tests/codebox/codeboxfixture.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMimeData>

namespace quorbel {
namespace {

using testing::CodeBoxFixture;

// A property bag that records the keys read, in order, and answers from a
// memory bag.
class RecordingBag : public MemoryPropertyBag {
public:
    using MemoryPropertyBag::MemoryPropertyBag;
    QStringList reads;
    QVariant read(const QString &key, const QVariant &def) override
    {
        reads.append(key);
        return MemoryPropertyBag::read(key, def);
    }
};

template<typename F>
int errorNumber(F &&call)
{
    try {
        call();
    } catch (const ControlError &error) {
        EXPECT_STRNE(error.what(), "");
        return error.number();
    }
    return 0;
}

TEST(VBCodeBox, NewControlHasTheInitialValues)
{
    CodeBoxFixture f;
    f.shared.Color_Auto = false;
    f.shared.Color_KeyWords = 1;
    auto box = f.makeBox();
    box->setShowMenu(false);
    box->InitProperties();
    EXPECT_TRUE(box->Color_Auto());
    EXPECT_TRUE(box->ShowMenu());
    EXPECT_TRUE(box->Font_Large());
    EXPECT_EQ(box->Color_Text(), 0);
    EXPECT_EQ(box->Color_Comment(), 32768);
    EXPECT_EQ(box->Color_IDWords(), 3177654);
    EXPECT_EQ(box->Color_KeyWords(), 9307165);
    EXPECT_EQ(box->TextRTF(), "");
    EXPECT_EQ(box->SelLength(), 0);

    EXPECT_EQ(box->ProBar1().MessageText(), "Colouring Code");
    EXPECT_FALSE(box->ProBar1().isVisible());
    EXPECT_FALSE(box->RTBPaste().isVisible());
    EXPECT_EQ(box->Label1().text(), "Label1");
    EXPECT_EQ(box->Label1().geometry(), QRect(384, 240, 201, 33));
    EXPECT_EQ(box->RTB1().font().family(), "Courier New");
}

TEST(VBCodeBox, SharedValuesReachEveryBoxAndSettersNotify)
{
    CodeBoxFixture f;
    auto first = f.makeBox();
    auto second = f.makeBox();
    first->setColor_KeyWords(255);
    first->setColor_Auto(false);
    EXPECT_EQ(second->Color_KeyWords(), 255);
    EXPECT_FALSE(second->Color_Auto());
    // Instance values stay with their box.
    first->setShowMenu(false);
    first->setTextRTF(QStringLiteral("{\\rtf1 x}"));
    EXPECT_TRUE(second->ShowMenu());
    EXPECT_EQ(second->TextRTF(), "");

    f.host.clearNotifications();
    first->setColor_Text(1);
    first->setColor_Comment(2);
    first->setColor_IDWords(3);
    first->setFont_Large(false);
    first->setSelLength(4);
    first->setBackColor(0xFFFFFF);
    first->setControlEnabled(false);
    first->setRightMargin(1440);
    first->setText(QStringLiteral("x"));
    first->setToolTipText(QStringLiteral("tip"));
    first->setWhatsThisHelpID(9);
    first->setOLEDragMode(0);
    first->setOLEDropMode(1);
    EXPECT_EQ(f.host.notifications(), QStringList({"Color_Text", "Color_Comment", "Color_IDWords", "Font_Large",
                                                   "SelLength", "BackColor", "Enabled", "RightMargin", "Text",
                                                   "ToolTipText", "WhatsThisHelpID", "OLEDragMode", "OLEDropMode"}));
    EXPECT_FALSE(first->RTB1().isEnabled());
    EXPECT_EQ(first->RTB1().toolTip(), "tip");
    EXPECT_EQ(first->RTB1().OLEDropMode(), 1);
}

TEST(VBCodeBox, StoredValuesAreNotConnectedToTheTextBox)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    box->setText(QStringLiteral("Dim x As Long"));
    box->RTB1().setSel(0, 3);
    box->setSelLength(5);
    EXPECT_EQ(box->RTB1().selLength(), 3);
    box->RTB1().setSel(4, 5);
    EXPECT_EQ(box->SelLength(), 5);
    box->setTextRTF(QStringLiteral("{\\rtf1 other}"));
    EXPECT_EQ(box->Text(), "Dim x As Long");
}

TEST(VBCodeBox, RunTimeOnlySettersFailWhileDesigned)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    box->setText(QStringLiteral("abc"));
    f.host.setUserMode(false);
    f.host.clearNotifications();
    EXPECT_EQ(errorNumber([&] { box->setSelText(QStringLiteral("x")); }), 387);
    EXPECT_EQ(errorNumber([&] { box->setSelStart(2); }), 387);
    EXPECT_EQ(errorNumber([&] { box->setSelRTF(QStringLiteral("{\\rtf1 y}")); }), 387);
    EXPECT_EQ(errorNumber([&] { box->setHWnd(5); }), 387);
    EXPECT_EQ(box->Text(), "abc");
    EXPECT_EQ(box->RTB1().selStart(), 0);
    EXPECT_TRUE(f.host.notifications().isEmpty());

    f.host.setUserMode(true);
    EXPECT_EQ(errorNumber([&] { box->setHWnd(5); }), 382);
    EXPECT_EQ(box->hWnd(), box->RTB1().handle());
    box->setSelStart(1);
    box->setSelText(QStringLiteral("X"));
    EXPECT_EQ(box->Text(), "aXbc");
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(f.host.notifications(), QStringList({"SelStart", "SelText"}));
}

// The handle names the text box for as long as it lives and asking for it
// leaves every widget of the control a plain, non-native one.
TEST(VBCodeBox, HWndNamesTheTextBoxWithoutMakingItNative)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    auto other = f.makeBox();
    const qint32 handle = box->hWnd();
    EXPECT_NE(handle, 0);
    EXPECT_EQ(box->hWnd(), handle);
    EXPECT_NE(other->hWnd(), handle);
    EXPECT_NE(box->RTBPaste().handle(), handle);
    EXPECT_FALSE(box->RTB1().testAttribute(Qt::WA_NativeWindow));
    EXPECT_FALSE(box->RTB1().viewport()->testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(box->RTB1().internalWinId(), WId(0));
}

// Enabled and Font are the text box's; the control's own QWidget state and
// font stay, and both reach the stored design.
TEST(VBCodeBox, EnabledAndFontAreTheTextBoxs)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    const QFont ownFont = box->font();
    f.host.clearNotifications();
    box->setControlEnabled(false);
    box->setControlFont(QFont(QStringLiteral("DejaVu Sans Mono"), 15));
    EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(box->RTB1().isEnabled());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->Font().pointSize(), 15);
    EXPECT_EQ(box->RTB1().font().pointSize(), 15);
    EXPECT_EQ(box->font(), ownFont);
    EXPECT_EQ(f.host.notifications(), QStringList({"Enabled", "Font"}));

    MemoryPropertyBag saved;
    box->WriteProperties(saved);
    auto restored = f.makeBox();
    restored->ReadProperties(saved);
    EXPECT_FALSE(restored->Enabled());
    EXPECT_EQ(restored->Font().pointSize(), 15);
}

TEST(VBCodeBox, ResizeLaysOutTextBoxAndBar)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    box->resize(400, 200); // 6000 x 3000 twips
    EXPECT_EQ(box->RTB1().geometry(), QRect(0, 0, 400, 200));
    const int barHeight = box->ProBar1().height();
    EXPECT_EQ(barHeight, 25); // 375 twips
    EXPECT_EQ(box->ProBar1().geometry(), QRect(0, 100 - 12, 400, 25));
    EXPECT_EQ(box->Label1().geometry(), QRect(384, 240, 201, 33));
}

TEST(VBCodeBox, ReadsTheKeysInOrderAndEmptyDesignGivesDefaults)
{
    CodeBoxFixture f;
    f.shared.Color_Comment = 7;
    f.host.setAmbientFont(QFont(QStringLiteral("DejaVu Sans"), 13));
    auto box = f.makeBox();
    box->setText(QStringLiteral("old text"));
    RecordingBag empty;
    box->ReadProperties(empty);
    EXPECT_EQ(empty.reads,
              QStringList({"Color_Text",      "Color_Comment", "Color_IDWords", "Color_KeyWords", "Font_Large",
                           "RightMargin",     "hWnd",          "BackColor",     "Enabled",        "OLEDropMode",
                           "WhatsThisHelpID", "ToolTipText",   "RightMargin",   "Text",           "OLEDragMode",
                           "Color_Auto",      "TextRTF",       "SelLength",     "ShowMenu",       "Font",
                           "Color_Auto"}));
    EXPECT_EQ(box->Color_Comment(), 32768);
    EXPECT_EQ(box->Text(), "");
    EXPECT_EQ(box->BackColor(), qint32(0x80000005u));
    EXPECT_EQ(box->RightMargin(), 99999.0f);
    EXPECT_EQ(box->OLEDropMode(), 2);
    EXPECT_EQ(box->OLEDragMode(), 1);
    EXPECT_TRUE(box->Enabled());
    EXPECT_TRUE(box->ShowMenu());
    EXPECT_TRUE(box->Font_Large());
    EXPECT_EQ(box->Font().family(), "DejaVu Sans");
    EXPECT_EQ(box->Font().pointSize(), 13);

    // Stored values: the text arrives as plain text; the stored RTF and
    // selection length stay with the control.
    MemoryPropertyBag stored({{"Text", "Dim a\r\nDim b"},
                              {"TextRTF", "{\\rtf1 stored}"},
                              {"SelLength", 3},
                              {"Color_KeyWords", 255},
                              {"Font_Large", false},
                              {"ShowMenu", 0},
                              {"BackColor", 0xFF00},
                              {"Color_Auto", false}});
    box->ReadProperties(stored);
    EXPECT_EQ(box->Text(), "Dim a\r\nDim b");
    EXPECT_EQ(box->TextRTF(), "{\\rtf1 stored}");
    EXPECT_EQ(box->SelLength(), 3);
    EXPECT_EQ(box->RTB1().selLength(), 0);
    EXPECT_EQ(box->Color_KeyWords(), 255);
    EXPECT_FALSE(box->Font_Large());
    EXPECT_FALSE(box->ShowMenu());
    EXPECT_FALSE(box->Color_Auto());
    EXPECT_EQ(box->BackColor(), 0xFF00);

    // A system colour may be stored as an unsigned number, in text or as a
    // number: it loads as the system colour reference and is drawn as one.
    const QColor windowBackground = RichTextBox().palette().color(QPalette::Base);
    for (const QVariant &stored :
         {QVariant(QStringLiteral("2147483653")), QVariant(quint32(0x80000005u)), QVariant(qulonglong(0x80000005u))}) {
        box->setBackColor(0xFF00);
        MemoryPropertyBag systemColour({{"BackColor", stored}});
        box->ReadProperties(systemColour);
        EXPECT_EQ(box->BackColor(), qint32(0x80000005u)) << stored.toString().toStdString();
        EXPECT_EQ(box->RTB1().palette().color(QPalette::Base), windowBackground);
    }
    MemoryPropertyBag tooLarge({{"BackColor", QStringLiteral("4294967296")}});
    EXPECT_EQ(errorNumber([&] { box->ReadProperties(tooLarge); }), 13);

    // Errors of the store and stored values of the wrong kind reach the caller.
    MemoryPropertyBag failing;
    failing.failOn(QStringLiteral("Text"));
    EXPECT_THROW(box->ReadProperties(failing), PropertyBagError);
    MemoryPropertyBag wrong({{"Color_Text", "red"}, {"Text", ""}});
    EXPECT_EQ(errorNumber([&] { box->ReadProperties(wrong); }), 13);
}

TEST(VBCodeBox, WritesTheKeysInOrderWithTextRtfAndSelLengthTwice)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    MemoryPropertyBag design({{"hWnd", 1234}});
    box->ReadProperties(design);
    box->setColor_Text(1);
    box->setColor_Comment(2);
    box->setColor_IDWords(3);
    box->setColor_KeyWords(4);
    box->setBackColor(0xFFFFFF);
    box->setControlEnabled(false);
    box->setToolTipText(QStringLiteral("tip"));
    box->setWhatsThisHelpID(7);
    box->setText(QStringLiteral("ab\r\ncd"));
    box->RTB1().setSel(1, 2);
    box->setFont_Large(false);
    box->setOLEDragMode(0);
    box->setOLEDropMode(1);
    box->setRightMargin(5000);
    box->RTB1().setScrollBars(2);
    box->setColor_Auto(false);
    box->setTextRTF(QStringLiteral("stored"));
    box->setSelLength(5);
    box->setShowMenu(false);
    box->setControlFont(QFont(QStringLiteral("DejaVu Sans Mono"), 11));

    MemoryPropertyBag saved;
    box->WriteProperties(saved);
    EXPECT_EQ(saved.keys(), QStringList({"Color_Text",    "Color_Comment",
                                         "Color_IDWords", "Color_KeyWords",
                                         "BackColor",     "Enabled",
                                         "ToolTipText",   "WhatsThisHelpID",
                                         "TextRTF",       "SelRTF",
                                         "SelLength",     "SelText",
                                         "SelStart",      "Font_Large",
                                         "OLEDragMode",   "OLEDropMode",
                                         "RightMargin",   "hWnd",
                                         "BackColor",     "Enabled",
                                         "OLEDropMode",   "WhatsThisHelpID",
                                         "ToolTipText",   "RightMargin",
                                         "ScrollBars",    "Text",
                                         "OLEDragMode",   "Color_Auto",
                                         "TextRTF",       "SelLength",
                                         "ShowMenu",      "Font",
                                         "Color_Auto"}));
    const auto &entries = saved.entries();
    EXPECT_TRUE(entries[8].second.toString().startsWith(u"{\\rtf"));
    EXPECT_EQ(entries[10].second.toInt(), 1);
    EXPECT_EQ(entries[11].second.toString(), "b");
    EXPECT_EQ(entries[12].second.toInt(), 1);
    EXPECT_EQ(entries[17].second.toInt(), 1234);
    EXPECT_EQ(entries[24].second.toInt(), 2);
    EXPECT_EQ(entries[25].second.toString(), "ab\r\ncd");
    EXPECT_EQ(entries[28].second.toString(), "stored");
    EXPECT_EQ(entries[29].second.toInt(), 5);

    // The design comes back in a new process (a new shared object).
    CodeBoxFixture g;
    auto restored = g.makeBox();
    restored->ReadProperties(saved);
    EXPECT_EQ(restored->Color_KeyWords(), 4);
    EXPECT_EQ(restored->BackColor(), 0xFFFFFF);
    EXPECT_FALSE(restored->Enabled());
    EXPECT_EQ(restored->ToolTipText(), "tip");
    EXPECT_EQ(restored->WhatsThisHelpID(), 7);
    EXPECT_EQ(restored->Text(), "ab\r\ncd");
    EXPECT_FALSE(restored->Font_Large());
    EXPECT_EQ(restored->OLEDragMode(), 0);
    EXPECT_EQ(restored->OLEDropMode(), 1);
    EXPECT_EQ(restored->RightMargin(), 5000.0f);
    EXPECT_FALSE(restored->Color_Auto());
    EXPECT_EQ(restored->TextRTF(), "stored");
    EXPECT_EQ(restored->SelLength(), 5);
    EXPECT_FALSE(restored->ShowMenu());
    EXPECT_EQ(restored->Font(), box->Font());

    // A control left at its defaults writes only what differs from them.
    CodeBoxFixture h;
    auto plain = h.makeBox();
    h.host.setAmbientFont(plain->RTB1().font());
    plain->InitProperties();
    plain->RTB1().setSel(0, -1);
    MemoryPropertyBag minimal;
    plain->WriteProperties(minimal);
    for (const QString &key : minimal.keys())
        EXPECT_TRUE(key == u"TextRTF" || key == u"SelRTF") << key.toStdString();
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

// Every event of the text box reaches the host under its name, in the
// order raised, and what a handler writes into an event object reaches the
// text box.
TEST(VBCodeBox, PassesTheTextBoxEventsOnWithTheirEventObjects)
{
    CodeBoxFixture f;
    auto box = f.makeBox();
    QStringList seen;
    VBCodeBox *b = box.get();
    QObject::connect(b, &VBCodeBox::OLEDragOver, [&](OLEDropEvent *event) {
        seen << QStringLiteral("OLEDragOver %1 %2 %3 %4 %5")
                    .arg(event->button())
                    .arg(event->shift())
                    .arg(event->x())
                    .arg(event->y())
                    .arg(event->state());
        event->setEffect(0);
    });
    QObject::connect(b, &VBCodeBox::OLEDragDrop, [&](OLEDropEvent *event) {
        seen << "OLEDragDrop";
        event->setEffect(2);
    });
    QObject::connect(b, &VBCodeBox::OLEGiveFeedback, [&](OLEFeedbackEvent *event) {
        seen << "OLEGiveFeedback";
        event->setDefaultCursors(false);
    });
    QObject::connect(b, &VBCodeBox::OLEStartDrag, [&](OLEStartDragEvent *event) {
        seen << "OLEStartDrag";
        event->setAllowedEffects(1);
    });
    QObject::connect(b, &VBCodeBox::OLESetData, [&](OLESetDataEvent *event) {
        seen << "OLESetData";
        event->setDataFormat(7);
    });
    QObject::connect(b, &VBCodeBox::OLECompleteDrag, [&](OLECompleteDragEvent *event) {
        seen << "OLECompleteDrag";
        event->setEffect(1);
    });
    QObject::connect(b, &VBCodeBox::SelChange, [&] { seen << "SelChange"; });
    QObject::connect(b, &VBCodeBox::Change, [&] { seen << "Change"; });
    QObject::connect(b, &VBCodeBox::Click, [&] { seen << "Click"; });
    QObject::connect(b, &VBCodeBox::DblClick, [&] { seen << "DblClick"; });
    QObject::connect(b, &VBCodeBox::MouseDown,
                     [&](short button, short, float, float) { seen << QStringLiteral("MouseDown %1").arg(button); });
    QObject::connect(b, &VBCodeBox::MouseMove, [&](short, short, float, float) { seen << "MouseMove"; });

    RichTextBox &rtb = box->RTB1();
    QMimeData data;
    OLEDropEvent over(&data, 1, 1, 2, 3.5f, 4.5f, 2);
    emit rtb.OLEDragOver(&over);
    EXPECT_EQ(over.effect(), 0);
    OLEDropEvent drop(&data, 0, 1, 0, 0, 0);
    emit rtb.OLEDragDrop(&drop);
    EXPECT_EQ(drop.effect(), 2);
    OLEFeedbackEvent feedback(2);
    emit rtb.OLEGiveFeedback(&feedback);
    EXPECT_FALSE(feedback.defaultCursors());
    OLEStartDragEvent start(&data, 3);
    emit rtb.OLEStartDrag(&start);
    EXPECT_EQ(start.allowedEffects(), 1);
    OLESetDataEvent setData(&data, 1);
    emit rtb.OLESetData(&setData);
    EXPECT_EQ(setData.dataFormat(), 7);
    OLECompleteDragEvent complete(2);
    emit rtb.OLECompleteDrag(&complete);
    EXPECT_EQ(complete.effect(), 1);
    emit rtb.SelChange();
    emit rtb.Change();
    emit rtb.Click();
    emit rtb.DblClick();
    emit rtb.MouseDown(4, 0, 1, 1);
    emit rtb.MouseMove(0, 0, 1, 1);
    EXPECT_EQ(seen,
              QStringList({"OLEDragOver 1 2 3.5 4.5 2", "OLEDragDrop", "OLEGiveFeedback", "OLEStartDrag", "OLESetData",
                           "OLECompleteDrag", "SelChange", "Change", "Click", "DblClick", "MouseDown 4", "MouseMove"}));
}

} // namespace
} // namespace quorbel
