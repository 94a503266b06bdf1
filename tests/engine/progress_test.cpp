#include "engine/blockstream.h"
#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/pagefiles.h"
#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/plaintextbox.h"
#include "engine/processstate.h"
#include "engine/progress.h"
#include "engine/settings.h"
#include "platform/label.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

// A source of lines lines (each declaring a Sub every tenth line), and its
// line count as the timing line reports it (the appended CR LF adds one).
std::string source(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += i % 10 == 0 ? "Sub S" + std::to_string(i) + "()\r\n" : "x = " + std::to_string(i) + "\r\n";
    return text;
}

// Every call of the hook, and whether to go on after the calls so far.
struct Recorder {
    std::vector<std::pair<int, int>> calls;
    std::size_t stopAt = SIZE_MAX; // the call that says stop
    ProgressHook hook()
    {
        return [this](int done, int total) {
            calls.emplace_back(done, total);
            return calls.size() < stopAt;
        };
    }
    // Counts only grow, every total is total, and the last call is complete.
    void expectSteady(int total) const
    {
        ASSERT_FALSE(calls.empty());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].second, total);
            EXPECT_LE(calls[i].first, total);
            if (i > 0) {
                EXPECT_GT(calls[i].first, calls[i - 1].first);
            }
        }
        EXPECT_EQ(calls.back().first, total);
    }
};

struct Converter {
    MemorySettingsStore store;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    ProcessState process;
    // A temporary services struct: the writer keeps its own copy.
    PageWriter writer{process.page, EngineServices{store, messages, clock}};
    PlainLabel label;
    Converter()
    {
        process.page.CodeName = "Module1";
        store.set(kSettingsApp, kSettingsSection, "Frames", "1");
    }
};

TEST(Progress, InMemoryConversionTellsItsLinesAndStops)
{
    const std::string text = source(10000);
    {
        Converter c;
        Recorder progress;
        c.writer.setProgress(progress.hook());
        PlainTextBox box(text);
        const fs::path folder = testing::scratchFolder("progress", "memory");
        EXPECT_FALSE(c.writer.srcToHTML(box, (folder / "Module1.html").string(), c.label).empty());
        EXPECT_EQ(c.label.caption(), "0.000 seconds     line count = 10002");
        progress.expectSteady(10002);
        EXPECT_EQ(progress.calls.size(), 3u); // after 4096 and 8192 lines, and at the end
        EXPECT_TRUE(c.messages.calls.empty());
    }
    for (const std::size_t stopAt : {1u, 3u}) { // mid-way, and at the very end
        Converter c;
        Recorder progress;
        progress.stopAt = stopAt;
        c.writer.setProgress(progress.hook());
        PlainTextBox box(text);
        const fs::path folder = testing::scratchFolder("progress", "memorystop" + std::to_string(stopAt));
        testing::writeBytes(folder / "Module1" / "Code.html", "an earlier page");
        EXPECT_THROW(c.writer.srcToHTML(box, (folder / "Module1.html").string(), c.label), ConversionStopped);
        EXPECT_EQ(progress.calls.size(), stopAt);
        EXPECT_EQ(testing::readBytes(folder / "Module1" / "Code.html"), "an earlier page");
        EXPECT_FALSE(fs::exists(folder / "Module1" / "Header.html"));
        EXPECT_TRUE(c.process.page.subNames().empty());
        EXPECT_EQ(c.label.caption(), "");
        EXPECT_TRUE(c.messages.calls.empty()); // a stop is no error
        PlainTextBox single(text);
        EXPECT_THROW(c.writer.singlePage(single, c.label), ConversionStopped);
    }
}

TEST(Progress, StreamedConversionTellsItsBatchesAndStops)
{
    const std::string text = source(3000);
    StreamOptions options(2, 1024);
    {
        Converter c;
        Recorder progress;
        c.writer.setProgress(progress.hook());
        const fs::path folder = testing::scratchFolder("progress", "stream");
        EXPECT_EQ(c.writer.writePages(text, (folder / "Module1.html").string(), c.label, options),
                  PageOutcome::Written);
        EXPECT_EQ(c.label.caption(), "0.000 seconds     line count = 3002");
        progress.expectSteady(3002);
        EXPECT_GT(progress.calls.size(), 10u); // about one per batch of 1024 bytes
    }
    {
        // Stopped after the second batch: the page set is dropped unfinished,
        // so none of its pages appears (an earlier set would stay as it was)
        // and no temporary file is left.
        Converter c;
        Recorder progress;
        progress.stopAt = 2;
        c.writer.setProgress(progress.hook());
        const fs::path folder = testing::scratchFolder("progress", "streamstop");
        EXPECT_EQ(c.writer.writePages(text, (folder / "Module1.html").string(), c.label, options),
                  PageOutcome::Stopped);
        EXPECT_EQ(progress.calls.size(), 2u);
        EXPECT_TRUE(fs::is_empty(folder));
        EXPECT_TRUE(c.process.page.subNames().empty());
        EXPECT_EQ(c.label.caption(), "");

        // The hook of the options goes before the writer's; a stop at the
        // end still hands on nothing more.
        Recorder own;
        own.stopAt = 1;
        StreamOptions stopping(2, 1 << 20);
        stopping.progress = own.hook();
        std::string piped;
        EXPECT_EQ(c.writer.writeSinglePage(
                      text, c.label, [&](std::string_view piece) { piped += piece; }, stopping),
                  PageOutcome::Stopped);
        ASSERT_EQ(own.calls, (std::vector<std::pair<int, int>>{{3002, 3002}}));
        EXPECT_EQ(progress.calls.size(), 2u);
        EXPECT_EQ(piped.find("</PRE>"), std::string::npos);
        EXPECT_NE(piped.find("<A NAME='S2990'>"), std::string::npos);
    }
}

TEST(ProcessState, OneOwnerForWhatAProcessKeeps)
{
    ProcessState process;
    EXPECT_EQ(syntaxColourKey(process.syntax, SyntaxKey), "Key     SyntaxColor");
    EXPECT_EQ(process.codeBox.Color_KeyWords, 9307165);
    EXPECT_TRUE(process.codeBox.Color_Auto);

    // Two writers over one owner: the second sees what the first left (the
    // page extension), and the names of each conversion are its own.
    MemorySettingsStore store;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    store.set(kSettingsApp, kSettingsSection, "Ext", "htm");
    store.set(kSettingsApp, kSettingsSection, "Frames", "0");
    PageWriter first(process.page, {store, messages, clock});
    PageWriter second(process.page, {store, messages, clock});
    PlainLabel label;
    const fs::path folder = testing::scratchFolder("progress", "owner");
    EXPECT_EQ(first.writePages("Sub A()\r\n", (folder / "a.html").string(), label), PageOutcome::Written);
    EXPECT_EQ(process.page.PageExt, "htm");
    PlainTextBox box("Function F()\r\n");
    second.srcToHTML(box, (folder / "f.html").string(), label);
    EXPECT_TRUE(fs::exists(folder / "a.htm"));
    EXPECT_TRUE(fs::exists(folder / "f.htm"));
    EXPECT_NE(readFileBytes((folder / "a.htm").string()).find("<A Href='#A'>"), std::string::npos);
    const std::string page = readFileBytes((folder / "f.htm").string());
    EXPECT_NE(page.find("<A Href='#F'>"), std::string::npos);
    EXPECT_EQ(page.find("<A Href='#A'>"), std::string::npos);
    EXPECT_EQ(first.writePages("", (folder / "e.html").string(), label), PageOutcome::Empty);
    EXPECT_FALSE(fs::exists(folder / "e.htm"));
}

TEST(Errors, TheSystemsOwnErrorsShareOneBase)
{
    // What a caller that reports the system's errors catches.
    const auto base = [](const auto &raise) {
        try {
            raise();
        } catch (const Error &error) {
            return std::string(error.what());
        }
        return std::string("nothing thrown");
    };
    EXPECT_NE(base([] { readFileBytes("/no/such/file.bas"); }).find("/no/such/file.bas"), std::string::npos);
    EXPECT_NE(base([] { pageFiles("no-extension", "html", true); }), "nothing thrown");
    EXPECT_EQ(base([] { throw ConversionStopped(); }), "conversion stopped");
}

} // namespace
} // namespace quorbel
