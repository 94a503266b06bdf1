#include "engine/commentblock.h"
#include "engine/conversionerror.h"
#include "engine/pagestate.h"
#include "engine/settings.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

// A store whose reads fail for keys holding the given text.
class FailingStore : public MemorySettingsStore {
public:
    explicit FailingStore(std::string failing) : m_failing(std::move(failing)) {}
    std::optional<std::string> get(std::string_view app, std::string_view section, std::string_view key) const override
    {
        if (key.find(m_failing) != std::string_view::npos)
            throw SettingsError("settings.sqlite: disk I/O error");
        return MemorySettingsStore::get(app, section, key);
    }

private:
    std::string m_failing;
};

struct Fixture {
    MemorySettingsStore store;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock{"20.03.24"};
    PageState state;
    EngineServices services{store, messages, clock};
    CommentBlock block{state, services};
    void set(std::string_view key, std::string_view value) { store.set(kSettingsApp, kSettingsSection, key, value); }
};

const std::string kRowStart = "\r\n   <tr>\r\n       <td width='30%' style='background-color:86C1F2' valign='Top'>";

std::string row(const std::string &name, const std::string &value)
{
    return kRowStart + name + "</td>\r\n       <td width='70%' style='background-color:86C1F2'>" + value +
           "</td>\r\n   </tr>";
}

TEST(CommentBlock, DefaultBlockHasEveryRowAndTheMendedStyle)
{
    Fixture f;
    f.state.CodeName = "Module1";
    const std::string expected =
        "<table border='2' cellpadding='2' width='100%' style='border: 1px; font-family: Arial; font-size:  12pt' "
        "bgcolor='FFFFFF'>\r\n   <tr>\r\n       <td width='100%' colspan='2' style='background-color:C0C0C0'>"
        "<font size='6'><Center> Code : Module1</Font></Center></td>\r\n   </tr>" +
        row("Author :", "Your Name Goes here") + row("Date Written :", "20.03.24") +
        row("E-Mail :", "<A Href='MailTo:your.name@example.com'>your.name@example.com</A>") +
        row("Web Site :", "<A Href='https://www.example.com/'>https://www.example.com/</A>") +
        row("Title Goes Here :", "A little bit about me or my code.") + "\r\n</table>\r\n";
    EXPECT_EQ(f.block.writeCommentHTML(), expected);
    EXPECT_TRUE(f.messages.calls.empty());
}

TEST(CommentBlock, SettingsShapeTheBlock)
{
    Fixture f;
    f.state.CodeName = "Inventory";
    f.state.ProjectName = "Stock";
    f.set("htmlcomment-font size", "10"); // other letter case, same key
    f.set("HTMLComment-Header BG Color", "COCOCO");
    f.set("Comments-Print Current Date", "0");
    f.set("Comments-Print Author", "0");
    f.set("Comments-Print Extra", "2"); // only "1" switches a row on
    std::string html = f.block.writeCommentHTML();
    EXPECT_NE(html.find("font-size:  14pt'"), std::string::npos);
    EXPECT_NE(html.find("background-color:COCOCO'"), std::string::npos); // a stored value goes in unchanged
    EXPECT_NE(html.find("<Center> Project : Stock&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; Code : Inventory<"),
              std::string::npos);
    EXPECT_NE(html.find(row("Date Written :", "20/3/79")), std::string::npos);
    EXPECT_EQ(html.find("Author :"), std::string::npos);
    EXPECT_EQ(html.find("Title Goes Here"), std::string::npos);

    f.set("HTMLComment-Font Size", "-9");
    EXPECT_NE(f.block.writeCommentHTML().find("font-size: -5pt'"), std::string::npos);
    f.set("HTMLComment-Font Size", "8.5");
    EXPECT_NE(f.block.writeCommentHTML().find("font-size:  12.5pt'"), std::string::npos);

    f.set("Comments-Print Comments In HTML", "0");
    EXPECT_EQ(f.block.writeCommentHTML(), "");
    EXPECT_TRUE(f.messages.calls.empty());
}

TEST(CommentBlock, NameRowsListEveryDeclarationEscaped)
{
    Fixture f;
    f.state.CodeName = "M<1>";
    EXPECT_EQ(f.block.writeCommentHTML().find("Subs : "), std::string::npos); // no declarations, no rows

    f.state.colouriser.record(Declaration::Sub, "stale");
    f.state.colouriser.restart(); // a new conversion: the name is not current
    for (int i = 1; i <= 150; ++i)
        f.state.colouriser.record(Declaration::Sub, "S" + std::to_string(i));
    f.state.colouriser.record(Declaration::Function, "<img src=x onerror=alert(1)>");
    f.state.colouriser.record(Declaration::Function, "F'\"&");
    const std::string subs = f.block.writeSubsHtml(f.state.subNames());
    EXPECT_TRUE(subs.starts_with("<A Href='#S1'>S1</A><BR>\r\n<A Href='#S2'>S2</A><BR>\r\n"));
    EXPECT_TRUE(subs.ends_with("<A Href='#S150'>S150</A><BR>\r\n"));
    EXPECT_EQ(subs.find("stale"), std::string::npos);
    EXPECT_EQ(f.block.writeFunctionsHtml(f.state.functionNames()),
              "<A Href='#&lt;img src=x onerror=alert(1)&gt;'>&lt;img src=x onerror=alert(1)&gt;</A><BR>\r\n"
              "<A Href='#F&#39;&quot;&amp;'>F&#39;&quot;&amp;</A><BR>\r\n");
    EXPECT_EQ(f.block.writeSubsHtml({}), "");

    const std::string html = f.block.writeCommentHTML();
    EXPECT_NE(html.find("Code : M&lt;1&gt;<"), std::string::npos);
    EXPECT_NE(html.find(row("Subs : ", subs)), std::string::npos);
    EXPECT_LT(html.find("Subs : "), html.find("Functions : "));
    f.set("Comment-Print Subs & Functions", "0");
    EXPECT_EQ(f.block.writeCommentHTML().find("Subs : "), std::string::npos);
}

TEST(CommentBlock, MetaTagsOfBothKinds)
{
    Fixture f;
    EXPECT_EQ(f.block.writeMetaTags(), "");
    f.set("Meta User Count", "2");
    f.set("Meta UserName Info No 0", "author");
    f.set("Meta UserValue Info No 0", "Ann");
    f.set("Meta UserName Info No 1", "keywords");
    EXPECT_EQ(f.block.writeMetaTags(),
              "<META NAME='author'  CONTENT='Ann' >\r\n<META NAME='keywords'  CONTENT='' >\r\n");
    f.set("Meta System Count", "1");
    f.set("Meta SystemName Info No 0", "robots");
    EXPECT_TRUE(f.block.writeMetaTags().starts_with("<META NAME='robots'  CONTENT='' >\r\n<META NAME='author'"));
    f.set("Meta System Count", "-1");
    EXPECT_TRUE(f.block.writeMetaTags().starts_with("<META NAME='author'"));

    for (const char *bad : {"two", "", "1.5", "40000"}) {
        f.set("Meta User Count", bad);
        EXPECT_THROW(f.block.writeMetaTags(), ConversionError) << bad;
    }
    try {
        f.block.writeMetaTags();
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(),
                     "bad setting value: Meta User Count = \"40000\" (a whole number up to 32767 is needed)");
    }
}

TEST(CommentBlock, ErrorsAreReportedAsTheRoutinesSay)
{
    {
        Fixture f;
        f.set("HTMLComment-Font Size", "big");
        EXPECT_EQ(f.block.writeCommentHTML(), "");
        ASSERT_EQ(f.messages.calls.size(), 1u);
        EXPECT_EQ(f.messages.calls[0].text, "Error No  :  writeCommentHTML ");
        EXPECT_EQ(f.messages.calls[0].icon, Icon::Critical);
        EXPECT_EQ(f.messages.calls[0].title, "Quorbel");
    }
    {
        // A row whose cell settings cannot be read replaces the block so far.
        FailingStore store("Names Width");
        testing::RecordingMessageBoxes messages;
        testing::FixedClock clock;
        PageState state;
        const EngineServices services{store, messages, clock};
        CommentBlock block(state, services);
        EXPECT_EQ(block.writeCodeHtml("<table>", "Author :", "Ann"), "");
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].text, "Error No  :  writeCodeHtml");
        EXPECT_EQ(messages.calls[0].icon, Icon::Critical);
    }
}

} // namespace
} // namespace quorbel
