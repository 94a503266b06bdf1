#include "codebox/vbcodebox.h"
#include "engine/colour.h"
#include "engine/settingkeys.h"
#include "tests/dialogs/optionsfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <map>

namespace quorbel {
namespace {

using testing::OptionsFixture;
struct Options : ::testing::Test, OptionsFixture {
    // Every setting stored, but those the converter window stores itself.
    std::map<std::string, std::string> all() const
    {
        std::map<std::string, std::string> map;
        for (const auto &[key, value] : settings.list(kSettingsApp, kSettingsSection))
            if (key != keys::Ext)
                map[key] = value;
        return map;
    }
};

std::int32_t textColour(const QWidget &w)
{
    const QColor c = w.palette().color(QPalette::WindowText);
    return c.red() + 256 * c.green() + 65536 * c.blue();
}
std::int32_t fillColour(const QWidget &w)
{
    const QColor c = w.palette().color(QPalette::Window);
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

TEST_F(Options, LoadsDefaultsIntoEveryControlAndTheSample)
{
    frmOptions &d = load(1);
    EXPECT_EQ(d.SSTab1().currentIndex(), 1);
    EXPECT_EQ(d.SSTab1().tabText(1), "Comments && Info");
    EXPECT_EQ(d.SSTab1().size(), d.size());
    const char *defaults[5] = {"000000", "378C13", "1D048E", "B67C30", "FFFFFF"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.picSyntaxColor(i).colour(), hexToRGB(defaults[i])) << i;
    EXPECT_EQ(textColour(d.lblKey(0)), hexToRGB("1D048E"));
    EXPECT_EQ(textColour(d.lblID(1)), hexToRGB("B67C30"));
    EXPECT_EQ(textColour(d.lblText(0)), 0);
    EXPECT_EQ(textColour(d.lblComment()), hexToRGB("378C13"));
    EXPECT_EQ(fillColour(d.shaPage()), hexToRGB("FFFFFF"));
    for (QCheckBox *box : {&d.ChkAuthor(), &d.ChkEmail(), &d.ChkSite(), &d.ChkExtra(), &d.ChkHTMLon(), &d.ChkDate(),
                           &d.ChkNow(), &d.ChkHTML(0), &d.ChkHTML(1)})
        EXPECT_EQ(box->checkState(), Qt::Checked) << box->objectName().toStdString();
    EXPECT_EQ(d.ChkFunctionsSubs().checkState(), Qt::Unchecked);
    EXPECT_EQ(d.txtDate().text(), "Date as String");
    EXPECT_EQ(d.txtAuthor().text(), "Your Name");
    EXPECT_EQ(d.txtExtraName().text(), "Extra Title");
    EXPECT_EQ(d.txtExtra().toPlainText(), "This is a little bit about me or my project");
    EXPECT_EQ(d.ChkFunctionsSubs().text(), "List Functions && Subs");
    EXPECT_EQ(d.cmdDefault().text(), "Restord &Default");
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(Options, ReadsStoredValuesAndReportsLoadingErrorsWithTheirPoint)
{
    store("Comments-Print extra", "0"); // spelled in another case
    store(keys::CommentsPrintCurrentDate, "0");
    store(keys::CommentsPrintDate, "0");
    store(keys::KeySyntaxColor, "FF0000");
    store(keys::CommentsExtraInfo, "two\r\nlines");
    frmOptions &d = load();
    EXPECT_EQ(d.ChkExtra().checkState(), Qt::Unchecked);
    EXPECT_EQ(d.picSyntaxColor(2).colour(), 255);
    EXPECT_EQ(d.txtExtra().toPlainText(), "two\nlines");
    // Neither date box checked: the date text is enabled, Current is not.
    EXPECT_TRUE(d.txtDate().isEnabled());
    EXPECT_FALSE(d.ChkNow().isEnabled());
    EXPECT_FALSE(d.txtExtraName().isEnabled());
    EXPECT_FALSE(d.txtExtra().isEnabled());
    EXPECT_FALSE(d.ChkHTMLon().isEnabled());

    const std::pair<std::string_view, std::string> bad[] = {
        {keys::CommentsPrintAuthor, "1"}, {keys::HTMLCommentFontColor, "2"}, {keys::MetaUserCount, "3"}};
    for (const auto &[key, point] : bad) {
        messages.calls.clear();
        settings.remove(kSettingsApp, kSettingsSection, keys::CommentsPrintAuthor);
        settings.remove(kSettingsApp, kSettingsSection, keys::HTMLCommentFontColor);
        settings.remove(kSettingsApp, kSettingsSection, keys::MetaUserCount);
        store(key, "abc");
        load();
        ASSERT_EQ(messages.calls.size(), 1u) << key;
        EXPECT_EQ(messages.calls[0].text, "Error occured in opening frmOptions at point : " + point);
        EXPECT_EQ(messages.calls[0].icon, Icon::Critical);
        EXPECT_EQ(messages.calls[0].title, "Quorbel");
    }
}

TEST_F(Options, EnablingFollowsTheCheckBoxesAsTheyAreClicked)
{
    frmOptions &d = load(1);
    d.show();
    EXPECT_FALSE(d.txtDate().isEnabled()); // Current checked
    QTest::mouseClick(&d.ChkNow(), Qt::LeftButton);
    EXPECT_TRUE(d.txtDate().isEnabled());
    QTest::mouseClick(&d.ChkDate(), Qt::LeftButton);
    EXPECT_FALSE(d.ChkNow().isEnabled());
    EXPECT_TRUE(d.txtDate().isEnabled());
    QTest::mouseClick(&d.ChkAuthor(), Qt::LeftButton);
    EXPECT_FALSE(d.txtAuthor().isEnabled());
    QTest::mouseClick(&d.ChkEmail(), Qt::LeftButton);
    EXPECT_FALSE(d.txtEmail().isEnabled());
    QTest::mouseClick(&d.ChkSite(), Qt::LeftButton);
    EXPECT_FALSE(d.txtSite().isEnabled());
    QTest::mouseClick(&d.ChkExtra(), Qt::LeftButton);
    EXPECT_FALSE(d.txtExtra().isEnabled());
    EXPECT_FALSE(d.ChkHTMLon().isEnabled());
    QTest::mouseClick(&d.ChkExtra(), Qt::LeftButton);
    EXPECT_TRUE(d.txtExtraName().isEnabled());
}

TEST_F(Options, ColourChoicesTheDefaultButtonAndCancel)
{
    frmOptions &d = load();
    d.show();
    colours.answers = {std::nullopt, 0x123456};
    QTest::mouseClick(&d.picSyntaxColor(2), Qt::LeftButton); // cancelled
    EXPECT_EQ(d.picSyntaxColor(2).colour(), hexToRGB("1D048E"));
    QTest::mouseClick(&d.picSyntaxColor(2), Qt::LeftButton);
    EXPECT_EQ(d.picSyntaxColor(2).colour(), 0x123456);
    EXPECT_EQ(textColour(d.lblKey(1)), 0x123456);
    ASSERT_EQ(colours.started.size(), 2u);
    EXPECT_EQ(colours.started[0], hexToRGB("1D048E"));
    QTest::mouseClick(&d.cmdDefault(), Qt::LeftButton);
    EXPECT_EQ(d.picSyntaxColor(2).colour(), hexToRGB("1D048E"));
    EXPECT_EQ(textColour(d.lblKey(0)), hexToRGB("1D048E"));
    colours.answers = {0x0000FF};
    QTest::mouseClick(&d.picSyntaxColor(4), Qt::LeftButton);
    window->dontConvert = false;
    QTest::mouseClick(&d.cmdCancel(3), Qt::LeftButton);
    EXPECT_TRUE(all().empty());
    EXPECT_TRUE(window->dontConvert);
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST_F(Options, OkStoresEveryTabInItsStoredForm)
{
    frmOptions &d = load();
    d.show();
    colours.answers = {0x0000FF};
    QTest::mouseClick(&d.picSyntaxColor(0), Qt::LeftButton);
    d.ChkFunctionsSubs().setCheckState(Qt::Checked);
    d.txtExtra().setPlainText("a\nb");
    QTest::mouseClick(&d.cmdOK(2), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const std::map<std::string, std::string> expected = {
        {"Text    SyntaxColor", "FF0000"},
        {"Comment SyntaxColor", "378C13"},
        {"Key     SyntaxColor", "1D048E"},
        {"ID      SyntaxColor", "B67C30"},
        {"BGround SyntaxColor", "FFFFFF"},
        {"Comments-HTML Tags on", "1"},
        {"Comments-Print Comments In HTML", "1"},
        {"Comments-Print Author", "1"},
        {"Comments-Print Email", "1"},
        {"Comments-Print Web Site", "1"},
        {"Comments-Print Extra", "1"},
        {"Comments-Print Date", "1"},
        {"Comments-Print Current Date", "1"},
        {"Comments-Date Info", "Date as String"},
        {"Comment-Print Subs & Functions", "1"},
        {"Comments-Author Info", "Your Name"},
        {"Comments-Email Info", "your.name@example.com"},
        {"Comments-Web Site Info", "https://www.example.com/"},
        {"Comments-Extra Info", "a\r\nb"},
        {"Comments-Extra Name", "Extra Title"},
        {"HTMLComment-Text Color", "000000"},
        {"HTMLComment-CommentBG", "FFFFFF"},
        {"HTMLComment-Header BG Color", "CACACA"},
        {"HTMLComment-Comment Cell BG Color", "86C1F2"},
        {"HTMLComment-Specify Width", "1"},
        {"HTMLComment-Percentage", "True"},
        {"HTMLComment-Specified Width", "100"},
        {"HTMLComment-Names Width", "30"},
        {"HTMLComment-Info Width", "70"},
        {"HTMLComment-Font Name", "Arial"},
        {"HTMLComment-Font Size", "8"},
        {"HTMLComment-Font Color", "0"},
        {"printInHTML", "1"},
        {"Meta System Count", "0"},
        {"Meta User Count", "0"},
    };
    EXPECT_EQ(all(), expected);
}

TEST_F(Options, OkAppliesTheColoursToTheOpeningWindowsCodeBox)
{
    frmOptions &d = load();
    colours.answers = {0x00FF00, 0x112233};
    d.picSyntaxColor_Click(SyntaxKey);
    d.picSyntaxColor_Click(SyntaxBGround);
    window->chkAutoColor().setCheckState(Qt::Checked);
    window->txtsource().setText(QStringLiteral("Public Sub A()\r\nEnd Sub"));
    d.cmdOK_Click();
    EXPECT_EQ(window->txtsource().Color_KeyWords(), 0x00FF00);
    EXPECT_EQ(window->txtsource().BackColor(), 0x112233);
    EXPECT_EQ(window->txtsource().Color_Text(), 0);
    EXPECT_EQ(window->txtsource().Color_Comment(), hexToRGB("378C13"));
    EXPECT_FALSE(window->dontConvert);
}

TEST_F(Options, EachMissingEntryAsksAndBothAnswersDoWhatTheySay)
{
    struct Case {
        std::function<void(frmOptions &)> empty;
        std::string title, text;
        std::function<QWidget &(frmOptions &)> box;
        std::function<QCheckBox &(frmOptions &)> check;
    };
    const Case cases[] = {
        {[](frmOptions &d) { d.txtAuthor().clear(); }, "No Value for Author",
         "You must place a value for Author if you choose to print it. Do you wish to enter a value ?",
         [](frmOptions &d) -> QWidget & { return d.txtAuthor(); },
         [](frmOptions &d) -> QCheckBox & { return d.ChkAuthor(); }},
        {[](frmOptions &d) { d.txtEmail().clear(); }, "No E-Mail address",
         "You must place an E-Mail address in E-Mail if you choose to print it. Do you wish to enter an E-Mail address "
         "?",
         [](frmOptions &d) -> QWidget & { return d.txtEmail(); },
         [](frmOptions &d) -> QCheckBox & { return d.ChkEmail(); }},
        {[](frmOptions &d) { d.txtSite().clear(); }, "No address in Web Site",
         "You must place an adderss for your Web Site if you choose to print it. Do you wish to enter an address ?",
         [](frmOptions &d) -> QWidget & { return d.txtSite(); },
         [](frmOptions &d) -> QCheckBox & { return d.ChkSite(); }},
        {[](frmOptions &d) { d.txtExtraName().clear(); }, "No Value for Extra's Title",
         "You must place a value for the Extra Title if you choose to print it. Do you wish to enter a title ?",
         [](frmOptions &d) -> QWidget & { return d.txtExtraName(); },
         [](frmOptions &d) -> QCheckBox & { return d.ChkExtra(); }},
        {[](frmOptions &d) { d.txtExtra().clear(); }, "No Value for Extra",
         "You must place a value for the Extra content if you choose to print it. Do you wish to enter a Extra content "
         "?",
         [](frmOptions &d) -> QWidget & { return d.txtExtra(); },
         [](frmOptions &d) -> QCheckBox & { return d.ChkExtra(); }},
    };
    for (const Case &c : cases) {
        for (Answer answer : {Answer::Yes, Answer::No}) {
            for (const auto &[key, value] : settings.list(kSettingsApp, kSettingsSection))
                settings.remove(kSettingsApp, kSettingsSection, key);
            messages.calls.clear();
            frmOptions &d = load(0);
            d.show();
            QApplication::setActiveWindow(&d);
            c.empty(d);
            colours.answers = {0x0000FF};
            d.picSyntaxColor_Click(0);
            messages.answers = {answer};
            QTest::mouseClick(&d.cmdOK(1), Qt::LeftButton);
            ASSERT_EQ(messages.calls.size(), 1u) << c.title;
            EXPECT_EQ(messages.calls[0].title, c.title);
            EXPECT_EQ(messages.calls[0].text, c.text);
            EXPECT_EQ(messages.calls[0].buttons, Buttons::YesNo);
            EXPECT_EQ(messages.calls[0].icon, Icon::Exclamation);
            // The colours are stored whatever the answer.
            EXPECT_EQ(stored(keys::TextSyntaxColor), "FF0000");
            if (answer == Answer::Yes) {
                EXPECT_TRUE(d.isVisible()) << c.title;
                EXPECT_EQ(d.SSTab1().currentIndex(), 1);
                EXPECT_TRUE(c.box(d).hasFocus()) << c.title;
                EXPECT_EQ(stored(keys::CommentsPrintAuthor), "<none>");
            } else {
                EXPECT_FALSE(d.isVisible()) << c.title;
                EXPECT_EQ(c.check(d).checkState(), Qt::Unchecked);
                EXPECT_EQ(stored(keys::CommentsPrintAuthor), c.title == "No Value for Author" ? "0" : "1");
                EXPECT_EQ(stored(keys::CommentsPrintExtra), c.title.starts_with("No Value for Extra") ? "0" : "1");
            }
        }
    }
    // Both extra texts empty: No to the title question clears Extra and the
    // content question is never asked.
    store(keys::CommentsPrintExtra, "1");
    messages.calls.clear();
    frmOptions &d = load();
    d.txtExtraName().clear();
    d.txtExtra().clear();
    messages.answers = {Answer::No};
    d.cmdOK_Click();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].title, "No Value for Extra's Title");
    EXPECT_EQ(stored(keys::CommentsPrintExtra), "0");
}

} // namespace
} // namespace quorbel
