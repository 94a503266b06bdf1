#include "addin/commondialog.h"
#include "codebox/richtextbox.h"
#include "codebox/vbcodebox.h"
#include "engine/settingkeys.h"
#include "tests/addin/converterfixture.h"
#include "tests/support/scratchfiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using testing::ConverterFixture;
using testing::readBytes;
using testing::scratchFolder;
using testing::writeBytes;

struct ConverterConvert : ::testing::Test, ConverterFixture {
    fs::path dir;
    void SetUp() override
    {
        dir = scratchFolder("addin", ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
};

// Every file under folder, by its path relative to folder, with its bytes.
std::map<std::string, std::string> filesUnder(const fs::path &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = readBytes(entry.path());
    }
    return files;
}

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

// A code window of the environment converted into a page set: the same
// pages as the command line writes for the same text and names.
TEST_F(ConverterConvert, ConvertsTheCodeWindowIntoThePagesTheCommandLineWrites)
{
    const std::string source = readBytes(fs::path(QUORBEL_SOURCE_DIR) / "examples" / "Inventory.bas");
    ASSERT_FALSE(source.empty());
    pane.caption = "Project1 - Inventory (Code)";
    pane.lines = linesOf(source);
    store(keys::CommentsPrintCurrentDate, "0"); // a page without today's date
    frmAddin &w = open();
    w.Form_Activate();
    w.chkShowOptions().setChecked(false);

    const fs::path target = dir / "window" / "Inventory.html";
    fs::create_directories(target.parent_path());
    dialogs.answers = {target.string()};
    messages.answers = {Answer::No}; // do not view
    w.cmdConvert().click();

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, FileDialogs::Kind::Save);
    EXPECT_EQ(dialogs.calls[0].fileName, "Inventory.html");
    EXPECT_EQ(dialogs.calls[0].filter, "HTML (*.html*)|*.html*");
    ASSERT_EQ(texts(), std::vector<std::string>{"Do you wish to view " + target.string() + " ?"});
    EXPECT_EQ(messages.calls[0].buttons, Buttons::YesNo);
    EXPECT_EQ(messages.calls[0].icon, Icon::Question);
    EXPECT_EQ(messages.calls[0].title, "View File");
    EXPECT_TRUE(shell.started.empty());
    EXPECT_TRUE(w.txtSource2().isEmpty());
    EXPECT_TRUE(w.lblInfo().text().contains("line count = "));

    // The command line on the same text, names and settings.
    const fs::path text = dir / "source.bas";
    writeBytes(text, w.txtsource().Text().toStdString());
    fs::create_directories(dir / "cli");
    QProcess cli;
    QProcessEnvironment env;
    env.insert("HOME", QString::fromStdString((dir / "home").string()));
    env.insert("PATH", "/usr/bin:/bin");
    cli.setProcessEnvironment(env);
    cli.start(QUORBEL_CLI_PATH, {"convert", QString::fromStdString(text.string()), "--code", "Inventory", "--project",
                                 "Project1 ", "--quiet", "--set", "Comments-Print Current Date=0", "-o",
                                 QString::fromStdString((dir / "cli" / "Inventory.html").string())});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    const auto fromWindow = filesUnder(dir / "window");
    EXPECT_EQ(fromWindow.size(), 3u);
    EXPECT_EQ(fromWindow, filesUnder(dir / "cli"));

    // Again: asked before the set is replaced; No leaves it and still offers
    // to view it.
    const std::string before = readBytes(target);
    messages.calls.clear();
    dialogs.answers = {target.string()};
    messages.answers = {Answer::No, Answer::Yes};
    w.cmdConvert().click();
    ASSERT_EQ(texts(), (std::vector<std::string>{target.string() + "\r\nAlready exsists. Overwrite ?",
                                                 "Do you wish to view " + target.string() + " ?"}));
    EXPECT_EQ(messages.calls[0].icon, Icon::Exclamation);
    EXPECT_EQ(messages.calls[0].title, "File Exists");
    EXPECT_EQ(readBytes(target), before);
    EXPECT_EQ(shell.started, (std::vector<std::vector<std::string>>{{"open", target.string()}}));
}

TEST_F(ConverterConvert, ConvertStopsWithItsMessagesAndErrorPoints)
{
    frmAddin &w = open();
    w.chkShowOptions().setChecked(false);
    // An empty box.
    w.cmdConvert().click();
    ASSERT_EQ(texts(), std::vector<std::string>{"No code to convert"});
    EXPECT_EQ(messages.calls[0].icon, Icon::Information);
    EXPECT_TRUE(dialogs.calls.empty());

    // A cancelled dialog: nothing said, nothing written.
    w.Form_Activate();
    messages.calls.clear();
    w.cmdConvert().click();
    EXPECT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].fileName, "Module1.html");
    EXPECT_TRUE(messages.calls.empty());

    // A target the page writer refuses (no extension; a missing folder):
    // the trap's message with error point 2.
    for (const fs::path &target : {dir / "Module1", dir / "missing" / "deeper" / "Module1.html"}) {
        messages.calls.clear();
        store(keys::CommentsFrames, "0");
        dialogs.answers = {target.string()};
        w.cmdConvert().click();
        EXPECT_EQ(texts(), std::vector<std::string>{"An Error occured while converting and saving at error point : 2"});
        EXPECT_EQ(messages.calls[0].icon, Icon::None);
    }
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(ConverterConvert, OpenReadsASourceFileAndLeavesItsFilterForTheNextSave)
{
    frmAddin &w = open();
    w.chkShowOptions().setChecked(false);
    // A Windows-1252 file with LF line breaks: decoded, breaks made CR LF.
    writeBytes(dir / "Old.bas", "' caf\xe9\nSub A()\nEnd Sub\n");
    dialogs.answers = {(dir / "Old.bas").string()};
    w.txtName().setText("Old");
    w.mnuOpen_Click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, FileDialogs::Kind::Open);
    EXPECT_EQ(dialogs.calls[0].filter,
              "VB Moduel (*.bas*)|*.bas*|VB Class (*.cls*)|*.cls|VB Form (*.frm*)|*.frm|All Files (*.*)|*.");
    EXPECT_EQ(w.txtsource().Text(), QString::fromUtf8("' caf\xc3\xa9\r\nSub A()\r\nEnd Sub\r\n"));
    EXPECT_EQ(w.txtName().text(), "Old"); // names as they were

    dialogs.answers = {(dir / "Gone.bas").string()};
    w.mnuOpen_Click();
    ASSERT_EQ(texts(), std::vector<std::string>{"File Dosen't exist"});
    EXPECT_EQ(messages.calls[0].icon, Icon::Critical);

    w.cmdConvert().click(); // cancelled
    EXPECT_EQ(dialogs.calls.back().kind, FileDialogs::Kind::Save);
    EXPECT_EQ(dialogs.calls.back().filter, dialogs.calls[0].filter);
    EXPECT_EQ(dialogs.calls.back().fileName, "Old.html");

    // The file the code came from is never replaced by a page, even when
    // the person agrees to overwrite it.
    messages.calls.clear();
    dialogs.answers = {(dir / "Old.bas").string()};
    w.cmdConvert().click();
    ASSERT_EQ(texts(), std::vector<std::string>{(dir / "Old.bas").string() +
                                                "\r\nis the source file of this code and is not replaced."});
    EXPECT_EQ(messages.calls[0].icon, Icon::Critical);
    EXPECT_EQ(readBytes(dir / "Old.bas"), "' caf\xe9\nSub A()\nEnd Sub\n");
}

TEST_F(ConverterConvert, CheckBoxesMenuFramesExtensionCancelAndUnload)
{
    frmAddin &w = open();
    EXPECT_EQ(stored(keys::Ext), "html"); // saved again by loading
    w.txtExt().setText("htm");
    EXPECT_EQ(stored(keys::Ext), "htm");

    // Clearing Frames asks only when both settings are "0".
    QTest::mouseClick(&w.ChkFrames(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w.ChkFrames().checkState(), Qt::Unchecked);
    EXPECT_TRUE(messages.calls.empty());
    w.ChkFrames().setChecked(true);
    store(keys::HTMLCommentShowSubs, "0");
    store(keys::CommentPrintSubsAndFunctions, "0");
    messages.answers = {Answer::Yes};
    QTest::mouseClick(&w.ChkFrames(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(texts(), std::vector<std::string>{"It is recommended to print a hyperlink to the subs and functions "
                                                "on the page. Do you wish to do this ?"});
    EXPECT_EQ(messages.calls[0].icon, Icon::Information);
    EXPECT_EQ(stored(keys::CommentPrintSubsAndFunctions), "1");

    // The Frames entry toggles its mark and sets the box to match.
    messages.calls.clear();
    w.mnuFrames().trigger(); // mark off; the box was cleared already
    EXPECT_FALSE(w.mnuFrames().isChecked());
    EXPECT_EQ(w.ChkFrames().checkState(), Qt::Unchecked);
    EXPECT_EQ(stored(keys::Frames), "0");
    w.mnuFrames().trigger();
    EXPECT_EQ(w.ChkFrames().checkState(), Qt::Checked);
    EXPECT_EQ(stored(keys::Frames), "1");
    EXPECT_TRUE(messages.calls.empty());

    w.chkAutoColor().click();
    EXPECT_FALSE(w.txtsource().Color_Auto());
    EXPECT_FALSE(codeBoxes.Color_Auto); // shared by every code box
    w.chkShowOptions().setChecked(false);

    w.Form_Activate();
    QPointer<frmAddin> alive(&w);
    w.cmdCancel().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()); // closed and gone
    EXPECT_EQ(stored(keys::AutoColor), "0");
    EXPECT_EQ(stored(keys::ShowOptions), "0");
    EXPECT_EQ(stored(keys::Frames), "1");
}

// Two windows share the names and the colours: a name typed in one is the
// default target name of the other.
TEST_F(ConverterConvert, TwoWindowsShareNamesAndColours)
{
    frmAddin &first = open();
    frmAddin &second = open();
    first.chkShowOptions().setChecked(false);
    first.Form_Activate();
    second.txtName().setText("Renamed");
    first.cmdConvert().click(); // cancelled
    EXPECT_EQ(dialogs.calls.back().fileName, "Renamed.html");
    first.txtsource().setColor_KeyWords(255);
    EXPECT_EQ(second.txtsource().Color_KeyWords(), 255);
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

// The window as a person sees it, holding coloured corpus code, written as
// a picture into the build folder.
TEST_F(ConverterConvert, ScreenshotOfTheWindowWithCorpusCode)
{
    const fs::path file = fs::path(QUORBEL_CORPUS_DIR) / "jpbro__VbFcgi" / "src" / "Shared" / "MMime.bas";
    if (!fs::exists(file))
        GTEST_SKIP() << "corpus file " << file << " not found";
    pane.caption = "VbFcgiLib - MMime (Code)";
    pane.lines = linesOf(readBytes(file));
    frmAddin &w = open();
    w.show();
    w.Form_Activate();
    ASSERT_TRUE(w.txtsource().Text().startsWith("Attribute VB_Name"));
    const QImage shot = w.grab().toImage();
    const QString path = QStringLiteral(QUORBEL_IMAGE_DIR "/converter-window.png");
    ASSERT_TRUE(shot.save(path));
    // The keyword blue and the comment green of the code reached the screen.
    int keyword = 0, comment = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            keyword += c.blue() > 100 && c.red() < 90 && c.green() < 60;
            comment += c.green() > 100 && c.red() < 110 && c.blue() < 90;
        }
    }
    EXPECT_GT(keyword, 30);
    EXPECT_GT(comment, 300);
}

} // namespace
} // namespace quorbel
