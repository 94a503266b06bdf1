// The site of tests/data/project/sample/Project1.vbp compared byte for byte
// with tests/data/project/expected/ (the index page and two linked code
// pages); QUORBEL_REGEN_GOLDENS=1 rewrites them instead.
#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/sourcetext.h"
#include "platform/label.h"
#include "platform/settings/memorysettingsstore.h"
#include "project/site.h"
#include "tests/project/sitecheck.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace quorbel::project {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(QUORBEL_TEST_DATA_DIR) / "project";

struct SiteRun {
    int status = -1;
    std::vector<std::string> warnings;
};

SiteRun writeSample(const fs::path &out, bool links, const SettingsStore &settings)
{
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    SiteOptions options;
    options.links = links;
    SiteRun run;
    options.warn = [&run](const std::string &w) { run.warnings.push_back(w); };
    run.status = writeSite((kData / "sample" / "Project1.vbp").string(), out.string(),
                           EngineServices{settings, messages, clock}, options);
    EXPECT_TRUE(messages.calls.empty());
    return run;
}

// page without what links add: the page a single conversion writes. A
// link gives back its text; an anchor that links added (one not at the end
// of its line) goes; an anchor renamed to be unique ("Name~2") gets its name
// back.
std::string withoutLinks(const std::string &page)
{
    constexpr std::string_view linkStart = "<A HREF='";
    constexpr std::string_view linkStyle = "' STYLE='color:inherit;text-decoration:none'>";
    constexpr std::string_view anchorStart = "<A NAME='";
    constexpr std::string_view anchorEnd = "'></A>";
    const std::string_view text(page);
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with(linkStart)) {
            const std::size_t style = rest.find('\'', linkStart.size());
            const std::size_t end = rest.find("</A>");
            if (style != std::string_view::npos && rest.substr(style).starts_with(linkStyle) &&
                end != std::string_view::npos && end > style &&
                rest.substr(style + linkStyle.size(), end - style - linkStyle.size()).find('<') ==
                    std::string_view::npos) {
                out += rest.substr(style + linkStyle.size(), end - style - linkStyle.size());
                at += end + 4;
                continue;
            }
        } else if (rest.starts_with(anchorStart)) {
            const std::size_t quote = rest.find('\'', anchorStart.size());
            if (quote != std::string_view::npos && rest.substr(quote).starts_with(anchorEnd)) {
                const std::size_t end = quote + anchorEnd.size();
                if (!rest.substr(end).starts_with("\r\n")) {
                    at += end;
                    continue;
                }
                std::string_view name = rest.substr(anchorStart.size(), quote - anchorStart.size());
                const std::size_t tilde = name.rfind('~');
                if (tilde != std::string_view::npos && tilde + 1 < name.size() &&
                    name.find_first_not_of("0123456789", tilde + 1) == std::string_view::npos)
                    name = name.substr(0, tilde);
                out.append(anchorStart).append(name).append(anchorEnd);
                at += end;
                continue;
            }
        }
        out += text[at++];
    }
    return out;
}

TEST(SiteGolden, SampleProjectIndexAndLinkedPages)
{
    const MemorySettingsStore settings;
    const fs::path out = testing::scratchFolder("project", "golden");
    const SiteRun run = writeSample(out, true, settings);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.warnings, (std::vector<std::string>{"Project1.vbp: Gone.bas: missing"}));
    for (const std::string page : {"index.html", "Module1/Code.html", "Class1/Code.html", "Form1/Code.html"}) {
        const fs::path expected = kData / "expected" / page;
        if (std::getenv("QUORBEL_REGEN_GOLDENS")) {
            testing::writeBytes(expected, testing::readBytes(out / page));
            continue;
        }
        EXPECT_EQ(testing::readBytes(out / page), testing::readBytes(expected)) << page;
    }
    const testing::SiteCheck check = testing::checkSite(out);
    EXPECT_EQ(check.problems, std::vector<std::string>{});
    EXPECT_GT(check.links, 20);
}

TEST(SiteGolden, LinksAddOnlyTagsAndNoLinksWritesTheSingleConversionsPages)
{
    MemorySettingsStore settings;
    settings.set("Quorbel", "Settings", "Frames", "0");
    const fs::path linked = testing::scratchFolder("project", "linked");
    const fs::path plain = testing::scratchFolder("project", "plain");
    writeSample(linked, true, settings);
    writeSample(plain, false, settings);
    for (const std::string name : {"Module1", "Module2", "Twice", "Class1", "Form1"}) {
        const std::string page = name + ".html";
        const std::string withLinks = testing::readBytes(linked / page);
        const std::string without = testing::readBytes(plain / page);
        if (name != "Twice") { // its one call is to a name declared twice: no link
            EXPECT_NE(withLinks, without) << page;
        }
        EXPECT_EQ(withoutLinks(withLinks), without) << page;
        EXPECT_EQ(without.find("STYLE='color:inherit"), std::string::npos);
    }
    // The page a single conversion of the same source writes.
    const std::string source = testing::readBytes(kData / "sample" / "Module2.bas");
    PageState state;
    state.CodeName = "Module2";
    state.ProjectName = "Project1";
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    PageWriter writer(state, EngineServices{settings, messages, clock});
    PlainLabel label;
    const fs::path single = testing::scratchFolder("project", "single");
    writer.writePages(decodeSource(source).text, (single / "Module2.html").string(), label);
    EXPECT_EQ(testing::readBytes(single / "Module2.html"), testing::readBytes(plain / "Module2.html"));
    EXPECT_EQ(testing::checkSite(linked).problems, std::vector<std::string>{});
}

TEST(SiteGolden, GroupIndexOverItsProjectsEachInItsFolder)
{
    const MemorySettingsStore settings;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    const fs::path out = testing::scratchFolder("project", "group");
    std::vector<std::string> warnings;
    SiteOptions options;
    options.warn = [&warnings](const std::string &w) { warnings.push_back(w); };
    EXPECT_EQ(
        writeSite((kData / "Group1.vbg").string(), out.string(), EngineServices{settings, messages, clock}, options),
        1);
    EXPECT_EQ(warnings,
              (std::vector<std::string>{"Project1.vbp: Gone.bas: missing", "Group1.vbg: Lost\\Lost.vbp: missing"}));
    const std::string index = testing::readBytes(out / "index.html");
    EXPECT_NE(index.find("<TITLE>Group1</TITLE>"), std::string::npos);
    EXPECT_NE(index.find("<H2>Project1</H2>\r\n<P CLASS='title'>Sample &amp; Co</P>\r\n<H3>Modules</H3>"),
              std::string::npos);
    EXPECT_NE(index.find("<A HREF='Project1/Module1/Code.html#Start'>Start</A>"), std::string::npos);
    EXPECT_NE(index.find("<H2>Lost (missing)</H2>"), std::string::npos);
    EXPECT_NE(testing::readBytes(out / "Project1" / "Class1" / "Code.html").find("../Module1/Code.html#Start"),
              std::string::npos);
    EXPECT_EQ(testing::checkSite(out).problems, std::vector<std::string>{});
}

} // namespace
} // namespace quorbel::project
