// Whole page sets compared byte for byte with the goldens under
// tests/data/pages/<case>/. Each case folder holds case.txt (see below), its
// input and expected/: the pages, and TREE.txt listing every file and folder
// the conversion left. QUORBEL_REGEN_GOLDENS=1 rewrites expected/ instead of
// comparing (scripts/regen-goldens).
//
// case.txt lines: "source: FILE" (relative to the case folder; default
// input.bas), "target: PATH" (relative to the output folder), "code: NAME"
// (default: the module's VB_Name), "project: NAME", "set: KEY=VALUE",
// "mkdir: FOLDER", "runs: N", "error: TEXT" (the conversion must fail with
// a message holding TEXT).
#include "engine/modulename.h"
#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/plaintextbox.h"
#include "engine/settings.h"
#include "engine/sourcetext.h"
#include "platform/label.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

struct Case {
    std::string source = "input.bas";
    std::string target = "Module1.html";
    std::optional<std::string> code;
    std::string project;
    std::vector<std::pair<std::string, std::string>> settings;
    std::vector<std::string> folders;
    int runs = 1;
    std::string error;
};

Case readCase(const fs::path &folder)
{
    Case c;
    std::istringstream lines(testing::readBytes(folder / "case.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(": ");
        if (line.empty() || line[0] == '#' || colon == std::string::npos)
            continue;
        const std::string name = line.substr(0, colon), value = line.substr(colon + 2);
        if (name == "source")
            c.source = value;
        else if (name == "target")
            c.target = value;
        else if (name == "code")
            c.code = value;
        else if (name == "project")
            c.project = value;
        else if (name == "set")
            c.settings.emplace_back(value.substr(0, value.find('=')), value.substr(value.find('=') + 1));
        else if (name == "mkdir")
            c.folders.push_back(value);
        else if (name == "runs")
            c.runs = std::stoi(value);
        else if (name == "error")
            c.error = value;
        else
            ADD_FAILURE() << folder << ": unknown line " << line;
    }
    return c;
}

// Every file and folder under root, relative, sorted; folders end with "/".
std::string listTree(const fs::path &root)
{
    std::vector<std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(root)) {
        std::string name = fs::relative(entry.path(), root).generic_string();
        entries.push_back(entry.is_directory() ? name + "/" : name);
    }
    std::sort(entries.begin(), entries.end());
    std::string listing;
    for (const auto &e : entries)
        listing += e + "\n";
    return listing;
}

std::string visible(const std::string &line)
{
    std::string out;
    for (char c : line)
        out += c == '\r' ? std::string("\\r") : std::string(1, c);
    return out;
}

// The first differing line of two texts with a little context, CR shown.
std::string describeDifference(const std::string &expected, const std::string &actual)
{
    std::vector<std::string> a, b;
    for (auto [text, lines] : {std::pair{&expected, &a}, std::pair{&actual, &b}}) {
        std::istringstream in(*text);
        for (std::string l; std::getline(in, l);)
            lines->push_back(l);
    }
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    std::ostringstream out;
    out << "first difference at line " << i + 1 << " (expected " << expected.size() << " bytes, got " << actual.size()
        << ")\n";
    for (std::size_t k = i >= 2 ? i - 2 : 0; k < i; ++k)
        out << "    " << visible(a[k]) << "\n";
    out << "  - " << (i < a.size() ? visible(a[i]) : "<end>") << "\n";
    out << "  + " << (i < b.size() ? visible(b[i]) : "<end>") << "\n";
    return out.str();
}

// The ways a source is converted: through a text box as the converter
// window does, the same with LF line breaks, and streamed from the text as
// the command line does (in small batches on two threads, so that the cuts
// between batches are tried too).
enum class Way { TextBox, TextBoxWithLf, Streamed };

// Converts the case's source the given way into a fresh output folder;
// returns the error message, if any.
std::string convert(const fs::path &caseDir, const Case &c, const fs::path &out, Way way)
{
    const bool withLf = way == Way::TextBoxWithLf;
    fs::remove_all(out);
    fs::create_directories(out);
    for (const auto &folder : c.folders)
        fs::create_directories(out / folder);
    std::string bytes = testing::readBytes(caseDir / c.source);
    if (withLf)
        std::erase(bytes, '\r');
    const std::string text = decodeSource(bytes).text;

    MemorySettingsStore store;
    for (const auto &[key, value] : c.settings)
        store.set(kSettingsApp, kSettingsSection, key, value);
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    const EngineServices services{store, messages, clock};
    PageState state;
    state.CodeName = c.code ? *c.code : moduleName(text).value_or("Module1");
    state.ProjectName = c.project;
    PageWriter writer(state, services);
    PlainLabel label;
    label.setCaption("unchanged");
    try {
        for (int run = 0; run < c.runs; ++run) {
            if (way == Way::Streamed) {
                writer.writePages(text, (out / c.target).string(), label, StreamOptions(2, 64));
            } else {
                PlainTextBox box(text);
                writer.srcToHTML(box, (out / c.target).string(), label);
            }
        }
    } catch (const std::exception &error) {
        return error.what();
    }
    EXPECT_TRUE(messages.calls.empty()) << caseDir << ": " << messages.calls.front().text;
    if (text.empty()) {
        EXPECT_EQ(label.caption(), "unchanged") << caseDir;
    }
    return {};
}

class PageGoldens : public ::testing::TestWithParam<std::string> {};

TEST_P(PageGoldens, ConvertsToTheExpectedPageSet)
{
    const fs::path caseDir = fs::path(QUORBEL_TEST_DATA_DIR) / "pages" / GetParam();
    const Case c = readCase(caseDir);
    const fs::path out = fs::path(QUORBEL_BUILD_DIR) / "pagegolden-output" / GetParam();
    const fs::path expected = caseDir / "expected";

    const std::string error = convert(caseDir, c, out, Way::TextBox);
    if (c.error.empty())
        EXPECT_EQ(error, "");
    else
        EXPECT_NE(error.find(c.error), std::string::npos) << "error was: " << error;

    const std::string tree = listTree(out);
    if (std::getenv("QUORBEL_REGEN_GOLDENS")) {
        fs::remove_all(expected);
        testing::writeBytes(expected / "TREE.txt", tree);
        for (const auto &entry : fs::recursive_directory_iterator(out)) {
            if (entry.is_regular_file())
                testing::writeBytes(expected / fs::relative(entry.path(), out), testing::readBytes(entry.path()));
        }
        GTEST_SKIP() << "goldens rewritten";
    }

    ASSERT_EQ(testing::readBytes(expected / "TREE.txt"), tree) << "files and folders written differ";
    std::map<std::string, std::string> pages;
    for (const auto &entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file())
            continue;
        const auto relative = fs::relative(entry.path(), out);
        const std::string want = testing::readBytes(expected / relative), got = testing::readBytes(entry.path());
        EXPECT_TRUE(want == got) << relative << ": " << describeDifference(want, got);
        pages[relative.generic_string()] = got;
    }

    // The same source with LF line breaks, and streamed as the command line
    // converts, gives the same pages.
    for (const auto &[way, name] :
         {std::pair{Way::TextBoxWithLf, "with LF line breaks"}, std::pair{Way::Streamed, "streamed"}}) {
        const std::string again = convert(caseDir, c, out, way);
        EXPECT_EQ(again, error) << name;
        EXPECT_EQ(listTree(out), tree) << name;
        for (const auto &[relative, page] : pages)
            EXPECT_TRUE(testing::readBytes(out / relative) == page) << relative << " differs " << name;
    }
}

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(fs::path(QUORBEL_TEST_DATA_DIR) / "pages")) {
        if (fs::exists(entry.path() / "case.txt"))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, PageGoldens, ::testing::ValuesIn(caseNames()), [](const auto &info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

} // namespace
} // namespace quorbel
