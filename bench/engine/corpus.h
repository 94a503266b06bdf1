#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::bench {

// The VB6 sources of the corpus folder (QUORBEL_CORPUS_DIR), loaded once.
struct Corpus {
    // Every .bas, .cls and .frm file in name order, as the converter gets
    // it: lone LF breaks made CR LF, and one CR LF appended (as the page
    // writer does before converting).
    std::vector<std::string> texts;
    // The largest of them.
    std::string_view largest;
    std::size_t bytes = 0;
};

const Corpus &corpus();

// The lines of text, each with its CR LF (the last without).
std::vector<std::string_view> linesOf(std::string_view text);

} // namespace quorbel::bench
