#include "host/codewindow.h"
#include "host/qtvbe.h"
#include "host/sourcefile.h"
#include "host/vbproject.h"
#include "tests/host/hostfixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace quorbel::testing {
namespace {

TEST(CodeView, dropsTheHeaderOfFormsClassesAndModulesOnly)
{
    const std::string form = "VERSION 5.00\r\n"
                             "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
                             "Begin VB.Form Form1 \r\n"
                             "   Caption         =   \"End\"\r\n"
                             "   BeginProperty Font \r\n"
                             "      Name            =   \"Arial\"\r\n"
                             "   EndProperty\r\n"
                             "   Begin VB.CommandButton Command1 \r\n"
                             "      Caption         =   \"Go\"\r\n"
                             "   End\r\n"
                             "End\r\n"
                             "Attribute VB_Name = \"Form1\"\r\n"
                             "Attribute VB_GlobalNameSpace = False\r\n"
                             "Option Explicit\r\n"
                             "Public Property Get Value() As Long\r\n"
                             "Attribute Value.VB_UserMemId = 0\r\n"
                             "End Property\r\n";
    EXPECT_EQ(host::codeView(form), "Option Explicit\r\n"
                                    "Public Property Get Value() As Long\r\n"
                                    "Attribute Value.VB_UserMemId = 0\r\n"
                                    "End Property\r\n");

    const std::string cls = "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\n"
                            "Attribute VB_Name = \"cThing\"\r\n\r\n' first\r\n";
    EXPECT_EQ(host::codeView(cls), "\r\n' first\r\n");
    EXPECT_EQ(host::codeView("Attribute VB_Name = \"Module1\"\r\nSub Main()\r\nEnd Sub"), "Sub Main()\r\nEnd Sub");
    // Text without a header stays whole; so does a VERSION line below the top.
    EXPECT_EQ(host::codeView("Dim Version\r\nVERSION 5.00\r\n"), "Dim Version\r\nVERSION 5.00\r\n");
    EXPECT_EQ(host::codeView("Attribute VB_Name = \"M\"\r\nVERSION 5.00\r\n"), "VERSION 5.00\r\n");
    EXPECT_EQ(host::codeView("Attribute VB_Name = \"M\""), "");
    EXPECT_EQ(host::codeView(""), "");
}

TEST(ReadModule, decodesTheFileAndNamesItByItsAttributeElseItsStem)
{
    const auto dir = scratchFolder("host", "readModule");
    // Windows-1252 bytes and LF line breaks.
    writeBytes(dir / "m.bas", "Attribute VB_Name = \"Caf\xe9\"\nPrivate s As String ' \xe9t\xe9\n");
    const host::SourceModule named = host::readModule(dir / "m.bas");
    EXPECT_EQ(named.name, "Café");
    EXPECT_EQ(named.code, "Private s As String ' été\r\n");

    writeBytes(dir / "Helpers.bas", "Option Explicit\r\n");
    EXPECT_EQ(host::readModule(dir / "Helpers.bas").name, "Helpers");
    EXPECT_THROW(host::readModule(dir / "absent.bas"), host::SourceFileError);
}

class ProjectTest : public HostTest {};

TEST_F(ProjectTest, aProjectOpensEveryModuleItListsFoundWithoutRegardToCase)
{
    writeBytes(folder / "proj" / "Sample.vbp",
               "Type=Exe\r\n"
               "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE Automation\r\n"
               "Form=FORMS\\main.FRM\r\n"
               "Module=Helpers; code\\Helpers.bas\r\n"
               "Class=cThing; ..\\shared\\CTHING.cls\r\n"
               "Module=Gone; gone.bas\r\n"
               "Name=\"Sample Project\"\r\n"
               "Title=\"Other\"\r\n");
    writeBytes(
        folder / "proj" / "Forms" / "Main.frm",
        "VERSION 5.00\r\nBegin VB.Form frmMain\r\nEnd\r\nAttribute VB_Name = \"frmMain\"\r\nOption Explicit\r\n");
    writeBytes(folder / "proj" / "Code" / "helpers.BAS", "Attribute VB_Name = \"Helpers\"\r\nSub A()\r\nEnd Sub\r\n");
    writeBytes(folder / "shared" / "cThing.cls",
               "VERSION 1.0 CLASS\r\nBEGIN\r\nEND\r\nAttribute VB_Name = \"cThing\"\r\nPublic X As Long\r\n");

    const host::VbProject project = host::readProject(folder / "proj" / "Sample.vbp");
    EXPECT_EQ(project.name, "Sample Project");
    ASSERT_EQ(project.modules.size(), 3u);
    EXPECT_EQ(project.modules[0].filename(), "Main.frm");
    EXPECT_EQ(project.modules[1].filename(), "helpers.BAS");
    EXPECT_EQ(project.modules[2], (folder / "shared" / "cThing.cls").lexically_normal());
    EXPECT_EQ(project.missing, std::vector<std::string>{"gone.bas"});

    EXPECT_EQ(window->openPath(folder / "proj" / "Sample.vbp"), 3);
    QStringList captions;
    for (QMdiSubWindow *sub : window->codeArea().subWindowList())
        captions << sub->widget()->windowTitle();
    EXPECT_EQ(captions, (QStringList{"Sample Project - frmMain (Code)", "Sample Project - Helpers (Code)",
                                     "Sample Project - cThing (Code)"}));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_NE(messages.calls[0].text.find("not found: gone.bas"), std::string::npos);
    vbe::CodePane *pane = window->vbe().ActiveCodePane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->codeModule().Lines(1, pane->codeModule().CountOfLines()), "Public X As Long");

    // A project without a name, and a module file opened on its own.
    writeBytes(folder / "bare.vbp", "Module=M; proj\\code\\HELPERS.bas\r\n");
    EXPECT_EQ(host::readProject(folder / "bare.vbp").name, "Project1");
    EXPECT_EQ(window->openPath(folder / "shared" / "cThing.cls"), 1);
    EXPECT_EQ(window->vbe().ActiveCodePane()->window().Caption(), "Project1 - cThing (Code)");
    EXPECT_EQ(window->openPath(folder / "nothing.bas"), 0);
    EXPECT_EQ(messages.calls.size(), 2u);
}

TEST_F(ProjectTest, aProjectOfTheCorpusOpensAllItsModules)
{
    const auto vbp =
        std::filesystem::path(QUORBEL_CORPUS_DIR) / "wqweto__ZipArchive" / "test" / "basic" / "Project1.vbp";
    if (!std::filesystem::exists(vbp))
        GTEST_SKIP() << "no corpus at " << QUORBEL_CORPUS_DIR;
    const host::VbProject project = host::readProject(vbp);
    EXPECT_EQ(project.name, "Project1");
    EXPECT_EQ(project.modules.size(), 4u); // a form and three classes, one of them in another folder
    EXPECT_TRUE(project.missing.empty());
    EXPECT_EQ(window->openPath(vbp), 4);
    EXPECT_TRUE(messages.calls.empty());
    vbe::CodePane *pane = window->vbe().ActiveCodePane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->window().Caption(), "Project1 - cBufferStream (Code)");
    EXPECT_GT(pane->codeModule().CountOfLines(), 10);
    EXPECT_EQ(pane->codeModule().Lines(1, 1).rfind("Attribute", 0), std::string::npos);
}

} // namespace
} // namespace quorbel::testing
