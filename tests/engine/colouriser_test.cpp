#include "engine/codeonly.h"
#include "engine/colouriser.h"
#include "engine/htmlescape.h"
#include "engine/plaintextbox.h"

#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorbel {
namespace {

const std::string K = "<FONT COLOR=#1D048E>";
const std::string I = "<FONT COLOR=#B67C30>";
const std::string C = "<FONT COLOR=#378C13>";
const std::string E = "</FONT>";

struct Fixture {
    testing::RecordingMessageBoxes messages;
    ColouriserState state;
    Colouriser colouriser{state, messages};

    std::string html(std::string line)
    {
        return colouriser.line2html(line, kDefaultKeyColour, kDefaultIdColour, kDefaultCommentColour);
    }
};

struct Row {
    const char *line;
    std::string html;
};

TEST(Colouriser, ColoursEachKindOfLine)
{
    const Row rows[] = {
        {"Dim x As Long", K + "Dim" + E + " " + I + "x" + E + " " + K + "As" + E + " " + K + "Long" + E + "\r\n"},
        {"Dim x As Long ' count", "<FONT COLOR=#1D048E>Dim</FONT> <FONT COLOR=#B67C30>x</FONT> <FONT "
                                  "COLOR=#1D048E>As</FONT> <FONT COLOR=#1D048E>Long</FONT> <FONT COLOR=#378C13>' "
                                  "count</FONT>\r\n"},
        {"    x = 1", "    " + I + "x" + E + " = 1 \r\n"},
        {"Call Foo(1, \"a'b\")", K + "Call" + E + " " + I + "Foo" + E + "(1, \"a'b\") \r\n"},
        {"'", C + "'" + E + "\r\n"},
        {"If a < b Then", K + "If" + E + " " + I + "a" + E + " &lt; " + I + "b" + E + " " + K + "Then" + E + "\r\n"},
        {"If a > b Then", K + "If" + E + " " + I + "a" + E + " > " + I + "b" + E + " " + K + "Then" + E + "\r\n"},
        {"On Error GoTo ErrH", K + "On" + E + " " + K + "Error" + E + " " + K + "GoTo" + E + " ErrH \r\n"},
        {"GoTo Done Else x", K + "GoTo" + E + " Done" + I + " Else" + E + " " + I + "x" + E + "\r\n"},
        {"x = [Property]", I + "x" + E + " = " + I + E + "[" + I + "Property" + E + "] \r\n"},
        {"Label1:", "Label1: \r\n"},
        {"x = 1' note", I + "x" + E + " = 1" + C + "' note" + E + "\r\n"},
        {"Public Function Foo(ByVal a As Long) As Long",
         "<A NAME='Foo'></A>\r\n" + K + "Public" + E + " " + K + "Function" + E + " " + I + "Foo" + E + "(" + K +
             "ByVal" + E + " " + I + "a" + E + " " + K + "As" + E + " " + K + "Long" + E + ") " + K + "As" + E + " " +
             K + "Long" + E + "\r\n"},
        {"Private Declare Function GetTickCount Lib \"kernel32\" () As Long",
         K + "Private" + E + " " + K + "Declare" + E + " " + K + "Function" + E + " " + I + "GetTickCount" + E + " " +
             K + "Lib" + E + " \"kernel32\" () " + K + "As" + E + " " + K + "Long" + E + "\r\n"},
        {"End Function", K + "End" + E + " " + K + "Function" + E + "\r\n'<hr>\r\n"},
        {"End Sub ' done", K + "End" + E + " " + K + "Sub" + E + " " + C + "' done" + E + "\r\n'<hr>\r\n"},
        {"end sub", K + "end" + E + " " + K + "sub" + E + "\r\n"},
        {"GoSub Here: y = f(1)", "<A NAME='Here: y = f'></A>\r\n" + K + "GoSub" + E + " Here: " + I + "y" + E + " = " +
                                     I + "f" + E + "(1) \r\n"},
        {"Function Foo (x)",
         "<A NAME='Foo '></A>\r\n" + K + "Function" + E + " " + I + "Foo" + E + " (" + I + "x" + E + ") \r\n"},
        {"x = y _", I + "x" + E + " = " + I + "y" + E + " _ \r\n"},
        {"\tx\t= 1", I + "\tx\t=" + E + " 1 \r\n"},
        {"", ""},
        // Text that the browser would read as markup stays text.
        {"s = \"&lt;\" & \"&copy\" ' a & b < c",
         I + "s" + E + " = \"&amp;lt;\" &amp; \"&amp;copy\" " + C + "' a &amp; b &lt; c" + E + "\r\n"},
        {"Sub <img src=x onerror=alert(1)>(", "<A NAME='&lt;img src=x onerror=alert'></A>\r\n" + K + "Sub" + E +
                                                  " &lt;img " + I + "src=x" + E + " " + I + "onerror=alert" + E +
                                                  "(1)>( \r\n"},
        // UTF-8 bytes are never delimiters.
        {"Dim caf\xC3\xA9 As String ' na\xC3\xAFve", K + "Dim" + E + " " + I + "caf\xC3\xA9" + E + " " + K + "As" + E +
                                                         " " + K + "String" + E + " " + C + "' na\xC3\xAFve" + E +
                                                         "\r\n"},
    };
    for (const Row &row : rows) {
        Fixture f;
        const std::string line = row.line;
        EXPECT_EQ(f.html(line.empty() ? line : line + "\r\n"), row.html) << row.line;
        EXPECT_FALSE(f.state.commentContinues()) << row.line;
        EXPECT_TRUE(f.messages.calls.empty());
    }
}

TEST(Colouriser, PreparesTheLineItIsGiven)
{
    Fixture f;
    std::string line = "x = 1\r\n";
    f.colouriser.line2html(line, "A", "B", "C");
    EXPECT_EQ(line, "x = 1 ");
    // The last line of a text without a final line break keeps its text.
    line = "Dim x";
    EXPECT_EQ(f.colouriser.line2html(line, "A", "B", "C"), "<FONT COLOR=#A>Dim</FONT> <FONT COLOR=#B>x</FONT>\r\n");
    line = "y";
    EXPECT_EQ(f.colouriser.line2html(line, "A", "B", "C"), "<FONT COLOR=#B>y</FONT>\r\n");
    // A lone CR is a delimiter, written like a blank.
    line = "a\rb\r\n";
    EXPECT_EQ(f.colouriser.line2html(line, "A", "B", "C"), "<FONT COLOR=#B>a</FONT>\r<FONT COLOR=#B>b</FONT>\r\n");
}

TEST(Colouriser, CommentContinuesOnTheNextLine)
{
    Fixture f;
    EXPECT_EQ(f.html("' note _\r\n"), C + "' note " + E + "_\r\n");
    EXPECT_TRUE(f.state.commentContinues());
    // The empty last line of a text does not consume the flag.
    EXPECT_EQ(f.html(""), "");
    EXPECT_TRUE(f.state.commentContinues());
    EXPECT_EQ(f.html("Dim x ' more _\r\n"), C + "Dim x ' more " + E + "_\r\n");
    EXPECT_EQ(f.html("\r\n"), C + E + "\r\n");
    EXPECT_EQ(f.html("Dim x\r\n"), K + "Dim" + E + " " + I + "x" + E + "\r\n");
    // A literal ending in " _" is not a comment.
    EXPECT_EQ(f.html("s = \"' _\"\r\n"), I + "s" + E + " = \"' _\" \r\n");
    EXPECT_FALSE(f.state.commentContinues());
}

TEST(Colouriser, ConversionWrapsTheLinesAndRecordsDeclarations)
{
    Fixture f;
    PlainTextBox box("Sub Main()\r\n  Done\r\nEnd Sub\r\n");
    const std::string block = f.colouriser.Quorbel_OBJ(box, "", "", "", "");
    EXPECT_EQ(block, "<PRE>\r\n<CENTER><FONT FACE='0'>(To highlight code click repeatedly quickly) "
                     "</FONT><HR></CENTER>\r\n<FONT COLOR='000000'>\r\n<A NAME='Main'></A>\r\n" +
                         K + "Sub" + E + " " + I + "Main" + E + "() \r\n  " + I + "Done" + E + "\r\n" + K + "End" + E +
                         " " + K + "Sub" + E + "\r\n'<hr>\r\n</Font>\r\n</PRE>");
    EXPECT_EQ(f.state.count(Declaration::Sub), 1);
    EXPECT_EQ(f.state.names(Declaration::Sub)[0], "Main");
    // After a conversion the last line is selected.
    EXPECT_EQ(box.selStart(), 29);
    EXPECT_EQ(box.selLength(), 0);

    box.setText("Function F(x)\r\nx");
    const std::string custom = f.colouriser.Quorbel_OBJ(box, "111111", "222222", "333333", "444444");
    EXPECT_NE(custom.find("<FONT COLOR='111111'>\r\n<A NAME='F'></A>\r\n<FONT COLOR=#222222>Function</FONT> "
                          "<FONT COLOR=#333333>F</FONT>(<FONT COLOR=#333333>x</FONT>) \r\n<FONT "
                          "COLOR=#333333>x</FONT>\r\n</Font>"),
              std::string::npos);
    EXPECT_EQ(f.state.count(Declaration::Sub), 0);
    EXPECT_EQ(f.state.count(Declaration::Function), 1);
    EXPECT_TRUE(f.messages.calls.empty());
}

TEST(Colouriser, ConversionStartsOutsideAComment)
{
    Fixture f;
    PlainTextBox box("x = 1 ' runs on _\r\n");
    f.colouriser.Quorbel_OBJ(box, "", "", "", "");
    EXPECT_TRUE(f.state.commentContinues());
    box.setText("Dim x\r\n");
    const std::string block = f.colouriser.Quorbel_OBJ(box, "", "", "", "");
    EXPECT_NE(block.find("'>\r\n" + K + "Dim" + E + " " + I + "x" + E + "\r\n"), std::string::npos) << block;
}

TEST(Colouriser, RecordsEveryDeclarationWithoutLimit)
{
    Fixture f;
    std::string text;
    for (int n = 1; n <= 150; ++n)
        text += "Private Sub S" + std::to_string(n) + "()\r\nEnd Sub\r\n";
    for (int n = 1; n <= 120; ++n)
        text += "Function F" + std::to_string(n) + "() As Long\r\nEnd Function\r\n";
    PlainTextBox box(text);
    const std::string block = f.colouriser.Quorbel_OBJ(box, "", "", "", "");
    EXPECT_TRUE(f.messages.calls.empty());
    ASSERT_EQ(f.state.count(Declaration::Sub), 150);
    ASSERT_EQ(f.state.count(Declaration::Function), 120);
    EXPECT_EQ(f.state.names(Declaration::Sub)[99], "S100");
    EXPECT_EQ(f.state.names(Declaration::Sub)[149], "S150");
    EXPECT_EQ(f.state.names(Declaration::Function)[119], "F120");
    EXPECT_NE(block.find("<A NAME='S150'></A>"), std::string::npos);
    EXPECT_NE(block.find("<A NAME='F120'></A>"), std::string::npos);

    // A later, smaller conversion counts from 0 again.
    box.setText("Sub Only()\r\n");
    f.colouriser.Quorbel_OBJ(box, "", "", "", "");
    EXPECT_EQ(f.state.count(Declaration::Sub), 1);
    EXPECT_EQ(f.state.names(Declaration::Sub)[0], "Only");
    EXPECT_EQ(f.state.count(Declaration::Function), 0);
}

TEST(Colouriser, FindsDeclarationsAsWritten)
{
    Fixture f;
    EXPECT_TRUE(f.colouriser.FunctionExists("Public Function Foo(x) As Long"));
    EXPECT_TRUE(f.colouriser.FunctionExists("FUNCTION bar (x)"));
    EXPECT_FALSE(f.colouriser.FunctionExists("Private Declare Function Foo Lib \"k\" (x)"));
    EXPECT_FALSE(f.colouriser.FunctionExists("Exit Function "));
    EXPECT_FALSE(f.colouriser.FunctionExists("x = 1 ' Function Foo(x)"));
    EXPECT_FALSE(f.colouriser.FunctionExists("MyFunction(x)"));
    EXPECT_TRUE(f.colouriser.SubExists("Private Declare Sub Sleep Lib \"k\" (ByVal ms As Long)"));
    EXPECT_FALSE(f.colouriser.SubExists("End Sub "));
    ASSERT_EQ(f.state.count(Declaration::Function), 2);
    EXPECT_EQ(f.state.names(Declaration::Function)[0], "Foo");
    EXPECT_EQ(f.state.names(Declaration::Function)[1], "bar ");
    ASSERT_EQ(f.state.count(Declaration::Sub), 1);
    EXPECT_EQ(f.state.names(Declaration::Sub)[0], "Sleep Lib \"k\" ");

    // Inside a conversion, names are read with literals blanked; a Sub is
    // asked first and a line gets one anchor at most.
    f.html("Declare Sub Beep Lib \"user32\" ()\r\n");
    EXPECT_EQ(f.state.names(Declaration::Sub)[1], "Beep Lib \"      \" ");
    EXPECT_EQ(f.html("Sub Function x(\r\n").substr(0, 30), "<A NAME='Function x'></A>\r\n" + K.substr(0, 3));
    EXPECT_EQ(f.state.count(Declaration::Function), 2);
}

// The one-pass search tests sixteen letters at a time: a keyword is found
// wherever it stands in a line, before the last "(" only, and a Sub wins
// over a Function before it, as the two searches of declaredName find them.
TEST(Colouriser, FindsDeclarationsAtEveryPlaceInALine)
{
    const char *const shapes[] = {"Sub A(",
                                  "sUB B (x)",
                                  "Public Function C(x) As Long",
                                  "Declare Function D Lib (",
                                  "Function E Sub F(",
                                  "x = Sub(1)",
                                  "Function G' Sub H(",
                                  "Function ( Sub I",
                                  "End Sub ",
                                  "MySub J(",
                                  "Function K(a) 'c(",
                                  "FunctioN L(("};
    for (const char *shape : shapes) {
        for (std::size_t pad = 0; pad < 40; ++pad) {
            for (const std::string_view tail : {"", " ", "(", " Sub  x"}) {
                const std::string line = std::string(pad, pad % 3 == 0 ? ' ' : 'b') + " " + shape + std::string(tail);
                const auto both = findDeclaration(line);
                const auto sub = declaredName(line, Declaration::Sub);
                const auto function = declaredName(line, Declaration::Function);
                SCOPED_TRACE(line);
                if (sub) {
                    ASSERT_TRUE(both && both->kind == Declaration::Sub);
                    EXPECT_EQ(both->name, *sub);
                } else if (function) {
                    ASSERT_TRUE(both && both->kind == Declaration::Function);
                    EXPECT_EQ(both->name, *function);
                } else {
                    EXPECT_FALSE(both);
                }
                EXPECT_EQ(findDeclaration(line, line.find('\'')).has_value(), both.has_value());
            }
        }
    }
    const std::string far = std::string(37, 'x') + " Sub Far(";
    ASSERT_TRUE(findDeclaration(far));
    EXPECT_EQ(findDeclaration(far)->name, "Far");
}

TEST(Colouriser, AnchorNamesAreEscapedButRecordedRaw)
{
    EXPECT_EQ(escapeHtmlName("Plain_Name1"), "Plain_Name1");
    EXPECT_EQ(escapeHtmlName("a&b<c>d'e\"f"), "a&amp;b&lt;c&gt;d&#39;e&quot;f");
    Fixture f;
    EXPECT_EQ(f.html("Sub <img src=x onerror=alert(1)>(\r\n").substr(0, 44),
              "<A NAME='&lt;img src=x onerror=alert'></A>\r\n");
    EXPECT_EQ(f.state.names(Declaration::Sub)[0], "<img src=x onerror=alert");
    EXPECT_EQ(f.html("Function a\"b\"c>(\r\n").substr(0, 34), "<A NAME='a&quot; &quot;c&gt;'></A>");
    EXPECT_EQ(f.state.names(Declaration::Function)[0], "a\" \"c>");
}

TEST(Colouriser, ReadsLinesByNumberOrAtTheCaret)
{
    Fixture f;
    PlainTextBox box("a\r\nbb\r\nc");
    int n = 1;
    EXPECT_EQ(f.colouriser.GetLineText(box, n), "a\r\n");
    n = 3;
    EXPECT_EQ(f.colouriser.GetLineText(box, n), "c");
    n = 4;
    EXPECT_EQ(f.colouriser.GetLineText(box, n), "");
    n = -2;
    EXPECT_EQ(f.colouriser.GetLineText(box, n), "");
    box.setSelStart(5);
    n = 0;
    EXPECT_EQ(f.colouriser.GetLineText(box, n), "bb\r\n");
    EXPECT_EQ(n, 2);
    EXPECT_EQ(box.selStart(), 3);
    EXPECT_EQ(box.selLength(), 4);
    EXPECT_TRUE(f.messages.calls.empty());
}

// A text control that fails the way a widget-backed one can.
class FailingBox : public PlainTextBox {
public:
    using PlainTextBox::PlainTextBox;
    int lineCount() const override
    {
        if (failCount)
            throw std::runtime_error("control gone");
        return PlainTextBox::lineCount();
    }
    void readSelText(std::string &out) const override
    {
        if (selStart() == failAt)
            throw std::bad_alloc();
        PlainTextBox::readSelText(out);
    }
    bool failCount = false;
    int failAt = -1;
};

TEST(Colouriser, ReportsFailuresOfTheSource)
{
    Fixture f;
    FailingBox box("Dim a\r\nDim b\r\nDim c");
    box.failAt = 7;
    const std::string block = f.colouriser.Quorbel_OBJ(box, "", "", "", "");
    ASSERT_EQ(f.messages.calls.size(), 1u);
    EXPECT_EQ(f.messages.calls[0].text, "Error NO  : GetLineText");
    EXPECT_EQ(f.messages.calls[0].icon, Icon::Critical);
    EXPECT_EQ(f.messages.calls[0].buttons, Buttons::Ok);
    EXPECT_EQ(f.messages.calls[0].title, "Quorbel");
    EXPECT_NE(block.find(I + "a" + E + "\r\n" + K + "Dim" + E), std::string::npos);
    EXPECT_EQ(block.find(I + "b" + E), std::string::npos);

    box.failCount = true;
    EXPECT_EQ(f.colouriser.Quorbel_OBJ(box, "", "", "", ""), "");
    ASSERT_EQ(f.messages.calls.size(), 2u);
    EXPECT_EQ(f.messages.calls[1].text, "Error occured within Quorbel_OBJ");
    EXPECT_EQ(f.messages.calls[1].icon, Icon::Critical);
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

std::vector<std::string> current(const ColouriserState &state, Declaration kind)
{
    const auto names = state.names(kind);
    return {names.begin(), names.end()};
}

TEST(ColouriserState, KeepsOnlyTheNamesOfTheCurrentConversion)
{
    ColouriserState state;
    EXPECT_EQ(state.record(Declaration::Sub, "A"), "A");
    state.record(Declaration::Function, "F");
    state.record(Declaration::Sub, "B");
    state.setCommentContinues(true);
    EXPECT_EQ(current(state, Declaration::Sub), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(state.count(Declaration::Function), 1);

    // The end of a conversion forgets its names but not a continued comment.
    state.clearNames();
    EXPECT_EQ(state.count(Declaration::Sub) + state.count(Declaration::Function), 0);
    EXPECT_TRUE(state.commentContinues());
    state.record(Declaration::Sub, "C");
    EXPECT_EQ(current(state, Declaration::Sub), std::vector<std::string>{"C"});

    // The names of a later batch follow, and the batch keeps none.
    ColouriserState batch;
    batch.record(Declaration::Sub, "D");
    batch.record(Declaration::Function, "G");
    batch.setCommentContinues(false);
    state.append(std::move(batch));
    EXPECT_EQ(current(state, Declaration::Sub), (std::vector<std::string>{"C", "D"}));
    EXPECT_EQ(current(state, Declaration::Function), std::vector<std::string>{"G"});
    EXPECT_EQ(batch.count(Declaration::Sub) + batch.count(Declaration::Function), 0);
    EXPECT_TRUE(state.commentContinues()); // the caller decides on it

    // A new conversion starts with nothing.
    state.restart();
    EXPECT_EQ(state.count(Declaration::Sub) + state.count(Declaration::Function), 0);
    EXPECT_FALSE(state.commentContinues());
}

} // namespace
} // namespace quorbel
