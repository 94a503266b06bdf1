#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/pagefiles.h"
#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/plaintextbox.h"
#include "engine/settings.h"
#include "platform/label.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

fs::path scratch(const std::string &name)
{
    return testing::scratchFolder("pagewriter", name);
}

struct Fixture {
    MemorySettingsStore store;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    PageState state;
    EngineServices services{store, messages, clock};
    PageWriter writer{state, services};
    PlainLabel label;
    void set(std::string_view key, std::string_view value) { store.set(kSettingsApp, kSettingsSection, key, value); }
};

TEST(PageFiles, NamesComeFromTheFileNamePartOfTheTarget)
{
    PageFiles f = pageFiles("/out/Module1.html", "html", true);
    EXPECT_EQ(f.base, "/out/Module1");
    EXPECT_EQ(f.baseName, "Module1");
    EXPECT_EQ(f.codePage, "/out/Module1/Code.html");
    EXPECT_EQ(f.headerPage, "/out/Module1/Header.html");
    EXPECT_EQ(f.framePage, "/out/Module1.html");

    f = pageFiles("/out.d/v1.2/Module1.txt", "htm", false);
    EXPECT_EQ(f.codePage, "/out.d/v1.2/Module1.htm");
    EXPECT_EQ(f.headerPage, "");
    EXPECT_EQ(pageFiles("Module1.tar.gz", "html", false).codePage, "Module1.tar.html");
    EXPECT_EQ(pageFiles("a b.html", "html", true).baseName, "a b");

    for (const char *target : {"/out.d/Module1", "Module1", "/out/.hidden", "/out/", "", "my.pages/"})
        EXPECT_THROW(pageFiles(target, "html", true), ConversionError) << target;
    EXPECT_THROW(pageFiles("a.html", "", true), ConversionError);
    EXPECT_THROW(pageFiles("a.html", "../x", true), ConversionError);
}

TEST(PageWriter, TimingLineAndSinglePage)
{
    Fixture f;
    const fs::path dir = scratch("timing");
    f.set("Frames", "0");
    f.state.CodeName = "Module1";
    f.clock.times = {100.0, 100.125};
    PlainTextBox box("Dim x\r\n");
    const std::string block = f.writer.srcToHTML(box, (dir / "Module1.html").string(), f.label);
    EXPECT_EQ(f.label.caption(), "0.125 seconds     line count = 3");
    EXPECT_EQ(box.text(), "Dim x\r\n\r\n");
    EXPECT_TRUE(block.starts_with("<PRE>\r\n"));
    EXPECT_EQ(f.state.colouriser.count(Declaration::Sub) + f.state.colouriser.count(Declaration::Function), 0);

    // The page for standard output is the page written, and touches no file.
    const std::string written = readFileBytes((dir / "Module1.html").string());
    fs::remove_all(dir);
    PlainTextBox again("Dim x\r\n");
    f.clock.times = {86399.5, 0.25}; // over midnight
    EXPECT_EQ(f.writer.singlePage(again, f.label), written);
    EXPECT_EQ(f.label.caption(), "0.750 seconds     line count = 3");
    EXPECT_FALSE(fs::exists(dir));
    EXPECT_TRUE(f.messages.calls.empty());
}

TEST(PageWriter, EmptySourceOrRefusedTargetChangesNothing)
{
    Fixture f;
    const fs::path dir = scratch("nothing");
    f.label.setCaption("before");
    PlainTextBox empty("");
    EXPECT_EQ(f.writer.srcToHTML(empty, (dir / "Module1.html").string(), f.label), "");
    EXPECT_EQ(f.writer.singlePage(empty, f.label), "");
    PlainTextBox box("Sub A()\r\n");
    try {
        f.writer.srcToHTML(box, (dir / "Module1").string(), f.label);
        FAIL() << "a target without extension was accepted";
    } catch (const ConversionError &error) {
        EXPECT_EQ(std::string(error.what()), "the target file name has no extension: " + (dir / "Module1").string());
    }
    f.set("Ext", "a/b");
    EXPECT_THROW(f.writer.srcToHTML(box, (dir / "Module1.html").string(), f.label), ConversionError);
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_EQ(f.label.caption(), "before");
    EXPECT_EQ(empty.text(), "");
    EXPECT_EQ(box.text(), "Sub A()\r\n");
}

TEST(PageWriter, FailuresReachTheCaller)
{
    Fixture f;
    const fs::path dir = scratch("failures");
    PlainTextBox box("Sub A()\r\n");
    // A folder where the code page goes is not deleted.
    fs::create_directories(dir / "Module1" / "Code.html");
    EXPECT_THROW(f.writer.srcToHTML(box, (dir / "Module1.html").string(), f.label), ConversionError);
    EXPECT_TRUE(fs::is_directory(dir / "Module1" / "Code.html"));
    // A target folder that does not exist.
    PlainTextBox again("Sub A()\r\n");
    EXPECT_THROW(f.writer.srcToHTML(again, (dir / "none" / "Module1.html").string(), f.label), ConversionError);
    // A page that cannot be written (frames mode without the folder).
    f.set("Comments Frames", "0");
    PlainTextBox third("Sub A()\r\n");
    EXPECT_THROW(f.writer.srcToHTML(third, (dir / "Other.html").string(), f.label), FileError);
    EXPECT_TRUE(f.messages.calls.empty());
}

TEST(PageWriter, FramePagesNameTheFilesWritten)
{
    Fixture f;
    const fs::path dir = scratch("frames");
    f.set("Ext", "htm");
    f.state.CodeName = "Module1";
    f.state.ProjectName = "P";
    PlainTextBox box("Sub A()\r\nEnd Sub\r\n");
    f.writer.srcToHTML(box, (dir / "My Module#1.html").string(), f.label);
    EXPECT_TRUE(fs::exists(dir / "My Module#1" / "Code.htm"));
    EXPECT_TRUE(fs::exists(dir / "My Module#1" / "Header.htm"));
    const std::string frame = readFileBytes((dir / "My Module#1.htm").string());
    EXPECT_NE(frame.find("src=\"My%20Module%231/Header.htm\""), std::string::npos);
    EXPECT_NE(frame.find("src=\"My%20Module%231/Code.htm\""), std::string::npos);
    EXPECT_EQ(frame.find("charset"), std::string::npos);
    const std::string header = readFileBytes((dir / "My Module#1" / "Header.htm").string());
    EXPECT_NE(header.find("Name = 'Code.htm#' + Name\r\n"), std::string::npos);
    EXPECT_NE(header.find("      <OPTION VALUE='A'>A</OPTION>\r\n"), std::string::npos);

    // Names outside ASCII: every page declares its character set.
    f.state.ProjectName = "Proj\xC3\xA9t";
    PlainTextBox other("Sub Ma\xC3\xA7\xC3\xA3()\r\nEnd Sub\r\n");
    f.writer.srcToHTML(other, (dir / "M.html").string(), f.label);
    const std::string meta = "<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=utf-8'>";
    EXPECT_NE(readFileBytes((dir / "M.htm").string()).find("<head>" + meta + "<Title>"), std::string::npos);
    EXPECT_NE(readFileBytes((dir / "M" / "Header.htm").string()).find("<BASE TARGET='MAIN'>\r\n" + meta + "\r\n"),
              std::string::npos);
    EXPECT_NE(readFileBytes((dir / "M" / "Code.htm").string()).find("Quorbel 1.2'>\r\n" + meta + "\r\n</HEAD>"),
              std::string::npos);
}

} // namespace
} // namespace quorbel
