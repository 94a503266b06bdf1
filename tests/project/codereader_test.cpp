#include "project/codereader.h"
#include "project/outline.h"

#include <gtest/gtest.h>

namespace quorbel::project {
namespace {

std::vector<std::string> words(const CodeLine &line)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < line.tokens.size(); ++i)
        out.emplace_back(line.word(i));
    return out;
}

TEST(CodeReader, TokensLeaveOutStringsCommentsAndTheDesignerBlock)
{
    CodeReader reader;
    EXPECT_TRUE(reader.read("VERSION 5.00").tokens.empty());
    EXPECT_TRUE(reader.read("Begin VB.Form Form1").tokens.empty());
    EXPECT_TRUE(reader.read("   Caption = \"Start\"").tokens.empty());
    EXPECT_TRUE(reader.read("End").tokens.empty());
    EXPECT_EQ(words(reader.read("Attribute VB_Name = \"Form1\"")),
              (std::vector<std::string>{"Attribute", "VB_Name", "=", "\"Form1\""}));
    EXPECT_EQ(words(reader.read("x = Left$(s, 2) & \"a \"\" ' b\" ' Foo")),
              (std::vector<std::string>{"x", "=", "Left$", "(", "s", ",", "2", ")", "&", "\"a \"\" ' b\""}));
    EXPECT_EQ(words(reader.read("y = &HFF& + [Name With Blanks] + 1.5E3")),
              (std::vector<std::string>{"y", "=", "&HFF&", "+", "[Name With Blanks]", "+", "1.5E3"}));
    // A comment ending with "_" goes on into the next line.
    EXPECT_TRUE(reader.read("Rem Foo _").tokens.empty());
    EXPECT_TRUE(reader.read("  Foo Bar").tokens.empty());
    EXPECT_EQ(words(reader.read("a = 1: Rem Foo")), (std::vector<std::string>{"a", "=", "1", ":"}));
}

TEST(CodeReader, ProceduresLabelsAndBlocks)
{
    CodeReader reader;
    const CodeLine start = reader.read("Private Static Function Total(ByVal n As Long) As Long");
    ASSERT_TRUE(start.start);
    EXPECT_EQ(start.start->kind, ProcedureKind::Function);
    EXPECT_FALSE(start.start->isPublic);
    EXPECT_EQ(start.word(start.start->name), "Total");
    EXPECT_TRUE(start.inProcedure);

    const CodeLine label = reader.read("Retry:  n = n + 1");
    ASSERT_TRUE(label.label);
    EXPECT_EQ(label.word(*label.label), "Retry");
    const CodeLine number = reader.read("120 n = 0");
    ASSERT_TRUE(number.label);
    EXPECT_EQ(number.word(*number.label), "120");
    EXPECT_FALSE(reader.read("    Call Foo(x:=1)").label);
    EXPECT_FALSE(reader.read("Else: n = 2").label);
    // A continued statement is not read for a declaration or a label.
    EXPECT_FALSE(reader.read("    Debug.Print _").label);
    const CodeLine continued = reader.read("Sub Foo()");
    EXPECT_TRUE(continued.continued);
    EXPECT_FALSE(continued.start);
    const CodeLine end = reader.read("End Function");
    EXPECT_TRUE(end.endsProcedure);
    EXPECT_TRUE(end.inProcedure);
    EXPECT_FALSE(reader.read("").inProcedure);

    EXPECT_TRUE(reader.read("Private Type Point").inTypeBlock);
    EXPECT_TRUE(reader.read("    X As Long").inTypeBlock);
    EXPECT_TRUE(reader.read("End Type").inTypeBlock);
    EXPECT_FALSE(reader.read("Public Property Let X(ByVal v As Long)").inTypeBlock);
    // The engine's separator line (a lone apostrophe) and blank lines change nothing.
    EXPECT_TRUE(reader.read("'").inProcedure);
    EXPECT_TRUE(reader.read("   ").inProcedure);
}

TEST(Outline, ProceduresAnchorsLabelsAndVariables)
{
    const ModuleOutline outline = outlineModule("Attribute VB_Name = \"M\"\r\n"
                                                "Private mA As Long, mB(3) As String\n"
                                                "Public Const LIMIT = 5\r"
                                                "Sub Foo ()\r\n"
                                                "Again:\r\n"
                                                "End Sub\r\n"
                                                "Property Get Size() As Long\r\n"
                                                "Fail:\r\n"
                                                "End Property\r\n"
                                                "Public Property Let Size(v As Long)\r\n"
                                                "End Property\r\n"
                                                "Private Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\r\n"
                                                "#If A Then\r\n"
                                                "Function Twice() As Long\r\n"
                                                "#Else\r\n"
                                                "Function Twice() As Long\r\n"
                                                "#End If\r\n"
                                                "End Function\r\n");
    ASSERT_EQ(outline.procedures.size(), 5u);
    const Procedure &foo = outline.procedures[0];
    EXPECT_EQ(foo.name, "Foo");
    EXPECT_EQ(foo.anchor, "Foo "); // the page writer keeps the blank before "("
    ASSERT_EQ(foo.labels.size(), 1u);
    EXPECT_EQ(foo.labels[0].anchor, "Foo.Again");
    EXPECT_EQ(outline.procedures[1].anchor, "Size.Get");
    EXPECT_TRUE(outline.procedures[1].anchorAdded);
    EXPECT_EQ(outline.procedures[1].labels[0].anchor, "Size.Get.Fail");
    EXPECT_EQ(outline.procedures[2].anchor, "Size.Let");
    // The page writer names both declarations "Twice": the second is made unique.
    EXPECT_EQ(outline.procedures[3].anchor, "Twice");
    EXPECT_EQ(outline.procedures[4].anchor, "Twice~2");
    EXPECT_EQ(outline.procedures[4].writtenAnchor, "Twice");
    ASSERT_EQ(outline.pageAnchors.size(), 4u); // Foo, Sleep's declaration, Twice twice
    EXPECT_EQ(outline.pageAnchors[1].written, outline.pageAnchors[1].unique);
    EXPECT_EQ(outline.variables, (std::vector<std::string>{"ma", "mb", "limit"}));
}

} // namespace
} // namespace quorbel::project
