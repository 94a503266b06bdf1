#include "project/casepath.h"
#include "project/designer.h"
#include "project/projectfile.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

namespace quorbel::project {
namespace {

namespace fs = std::filesystem;

TEST(ProjectFile, SourcesInOrderWithTheirKindsOtherEntriesLeftOut)
{
    const ProjectFile p = parseProjectFile("Type=Exe\r\n"
                                           "Reference=*\\G{00020430-0000}#2.0#0#stdole2.tlb#OLE Automation\r\n"
                                           "Object={831FDD16-0C5C}#2.0#0; MSCOMCTL.OCX\r\n"
                                           "Form=Forms\\Main.frm\r\n"
                                           "module=Common ;  Common\\Common.bas\n"
                                           "Class=cList; \"List Class.cls\"\n"
                                           "UserControl=Ctl\\Grid.ctl\r"
                                           "PropertyPage=Pages\\General.pag\r\n"
                                           "UserDocument=Doc.dob\r\n"
                                           "Designer=Report.Dsr\r\n"
                                           "Module=\r\n"
                                           "ResFile32=\"Resources.res\"\r\n"
                                           "Startup=\"Sub Main\"\r\n"
                                           "Title=\"The Demo\"\r\n"
                                           "Name=\"Demo\"\r\n"
                                           "CompilationType=0\r\n");
    EXPECT_EQ(p.name, "Demo");
    EXPECT_EQ(p.title, "The Demo");
    ASSERT_EQ(p.entries.size(), 7u);
    const std::vector<std::tuple<ModuleKind, std::string, std::string>> expected{
        {ModuleKind::Form, "", "Forms\\Main.frm"},
        {ModuleKind::Module, "Common", "Common\\Common.bas"},
        {ModuleKind::Class, "cList", "List Class.cls"},
        {ModuleKind::UserControl, "", "Ctl\\Grid.ctl"},
        {ModuleKind::PropertyPage, "", "Pages\\General.pag"},
        {ModuleKind::Designer, "", "Doc.dob"},
        {ModuleKind::Designer, "", "Report.Dsr"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(p.entries[i].kind, std::get<0>(expected[i])) << i;
        EXPECT_EQ(p.entries[i].name, std::get<1>(expected[i])) << i;
        EXPECT_EQ(p.entries[i].path, std::get<2>(expected[i])) << i;
    }
    EXPECT_EQ(parseGroupFile("VBGROUP 5.0\r\nStartupProject=App\\App.vbp\r\nProject=Lib\\Lib.vbp\r\n"),
              (std::vector<std::string>{"App\\App.vbp", "Lib\\Lib.vbp"}));
}

TEST(ProjectFile, PathsFoundWhateverTheirLetterCase)
{
    const fs::path root = testing::scratchFolder("project", "casepath");
    testing::writeBytes(root / "Common" / "COMMON.bas", "x");
    testing::writeBytes(root / "Forms" / "main.frm", "x");
    testing::writeBytes(root / "twice" / "a.bas", "x");
    testing::writeBytes(root / "twice" / "A.bas", "x");
    testing::writeBytes(root / "sub" / "x.bas", "x");

    EXPECT_EQ(findPathIgnoringCase(root, "common\\Common.BAS"), (root / "Common" / "COMMON.bas").lexically_normal());
    EXPECT_EQ(findPathIgnoringCase(root, "FORMS/Main.frm"), (root / "Forms" / "main.frm").lexically_normal());
    EXPECT_EQ(findPathIgnoringCase(root / "sub", "..\\forms\\MAIN.FRM"),
              (root / "Forms" / "main.frm").lexically_normal());
    // An exact name wins; two names that differ in case alone are not guessed between.
    EXPECT_EQ(findPathIgnoringCase(root, "twice\\a.bas"), (root / "twice" / "a.bas").lexically_normal());
    EXPECT_FALSE(findPathIgnoringCase(root, "twice\\A.BAS"));
    EXPECT_FALSE(findPathIgnoringCase(root, "Common\\Missing.bas"));
    EXPECT_FALSE(findPathIgnoringCase(root, "Common")); // a folder is no source
    EXPECT_FALSE(findPathIgnoringCase(root, "C:\\Common\\COMMON.bas"));
    EXPECT_FALSE(findPathIgnoringCase(root, "\\Common\\COMMON.bas"));
}

TEST(Designer, ControlTreeNestedAsDesignedPropertyGroupsSkipped)
{
    const std::vector<Control> roots = designerControls("VERSION 5.00\r\n"
                                                        "Object = \"{831FDD16}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
                                                        "Begin VB.Form frmMain \r\n"
                                                        "   Caption = \"Main\"\r\n"
                                                        "   BeginProperty Font \r\n"
                                                        "      Name = \"Arial\"\r\n"
                                                        "   EndProperty\r\n"
                                                        "   Begin VB.Frame fraOptions \r\n"
                                                        "      Begin VB.OptionButton optKind \r\n"
                                                        "         Index = 1\r\n"
                                                        "      End\r\n"
                                                        "      Begin VB.OptionButton optKind \r\n"
                                                        "         Index = 0\r\n"
                                                        "      End\r\n"
                                                        "   End\r\n"
                                                        "   Begin MSComctlLib.ListView lvItems \r\n"
                                                        "   End\r\n"
                                                        "End\r\n"
                                                        "Attribute VB_Name = \"frmMain\"\r\n"
                                                        "Private Sub Form_Load()\r\n"
                                                        "End Sub\r\n");
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0].type, "VB.Form");
    EXPECT_EQ(roots[0].name, "frmMain");
    ASSERT_EQ(roots[0].children.size(), 2u);
    const Control &frame = roots[0].children[0];
    EXPECT_EQ(frame.name, "fraOptions");
    ASSERT_EQ(frame.children.size(), 2u);
    EXPECT_EQ(frame.children[1].type, "VB.OptionButton");
    EXPECT_EQ(frame.children[1].name, "optKind");
    EXPECT_EQ(roots[0].children[1].type, "MSComctlLib.ListView");
    EXPECT_TRUE(roots[0].children[1].children.empty());

    EXPECT_TRUE(designerControls("Attribute VB_Name = \"Module1\"\r\nSub Begin()\r\nEnd Sub\r\n").empty());
    // An unclosed block ends with the text.
    const std::vector<Control> open = designerControls("Begin VB.Form f\r\nBegin VB.Label l\r\n");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].children.size(), 1u);
}

} // namespace
} // namespace quorbel::project
