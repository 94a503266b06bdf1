#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace quorbel::testing {

// Whether the corpus folder is there. It lives beside the project, not in
// it, so a checkout without it still runs every other test.
inline bool corpusPresent()
{
    return std::filesystem::is_directory(QUORBEL_CORPUS_DIR);
}

// Every VB6 source (.bas, .cls, .frm, in any case) under the corpus folder,
// in path order.
inline std::vector<std::filesystem::path> corpusFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(QUORBEL_CORPUS_DIR)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (entry.is_regular_file() && (ext == ".bas" || ext == ".cls" || ext == ".frm"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace quorbel::testing

// Skips the running test with a message when the corpus folder is absent.
#define QUORBEL_SKIP_WITHOUT_CORPUS()                                                                                  \
    if (!::quorbel::testing::corpusPresent())                                                                          \
    GTEST_SKIP() << "no corpus at " QUORBEL_CORPUS_DIR " (configure with -DQUORBEL_CORPUS_DIR=FOLDER)"
