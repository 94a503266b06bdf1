// Every project file of the corpus written as a site, and every local link
// of every site followed.
#include "platform/settings/memorysettingsstore.h"
#include "project/site.h"
#include "tests/project/sitecheck.h"
#include "tests/support/corpusfiles.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

namespace quorbel::project {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> corpusProjects()
{
    std::vector<fs::path> projects;
    for (const auto &entry : fs::recursive_directory_iterator(QUORBEL_CORPUS_DIR)) {
        std::string ext = entry.path().extension().string();
        for (char &c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && (ext == ".vbp" || ext == ".vbg"))
            projects.push_back(entry.path());
    }
    std::sort(projects.begin(), projects.end());
    return projects;
}

TEST(SiteCorpus, EveryProjectWrittenAndEveryLinkLeadsToItsAnchor)
{
    QUORBEL_SKIP_WITHOUT_CORPUS();
    const MemorySettingsStore settings;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    const fs::path root = testing::scratchFolder("project", "corpus");
    const std::vector<fs::path> projects = corpusProjects();
    ASSERT_GT(projects.size(), 100u);
    int links = 0;
    for (std::size_t i = 0; i < projects.size(); ++i) {
        const fs::path out = root / std::to_string(i);
        std::vector<std::string> warnings;
        SiteOptions options;
        options.warn = [&warnings](const std::string &w) { warnings.push_back(w); };
        const int status =
            writeSite(projects[i].string(), out.string(), EngineServices{settings, messages, clock}, options);
        // Status 1 only for sources the corpus really lacks (it holds no
        // user controls and property pages of some projects).
        for (const std::string &warning : warnings)
            EXPECT_TRUE(warning.ends_with(": missing")) << projects[i] << ": " << warning;
        EXPECT_EQ(status, warnings.empty() ? 0 : 1) << projects[i];
        EXPECT_TRUE(fs::is_regular_file(out / "index.html")) << projects[i];
        const testing::SiteCheck check = testing::checkSite(out);
        for (const std::string &problem : check.problems)
            ADD_FAILURE() << projects[i] << ": " << problem;
        links += check.links;
    }
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_GT(links, 100000);
}

} // namespace
} // namespace quorbel::project
