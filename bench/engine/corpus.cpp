#include "bench/engine/corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorbel::bench {
namespace {

namespace fs = std::filesystem;

std::string readCrLf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16 + 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            text += '\r';
        text += bytes[i];
    }
    text += "\r\n";
    return text;
}

Corpus load()
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(QUORBEL_CORPUS_DIR)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (entry.is_regular_file() && (ext == ".bas" || ext == ".cls" || ext == ".frm"))
            files.push_back(entry.path());
    }
    if (files.empty())
        throw std::runtime_error("no VB6 sources under " QUORBEL_CORPUS_DIR);
    std::sort(files.begin(), files.end());
    Corpus corpus;
    for (const fs::path &file : files) {
        corpus.texts.push_back(readCrLf(file));
        corpus.bytes += corpus.texts.back().size();
    }
    corpus.largest = *std::max_element(corpus.texts.begin(), corpus.texts.end(),
                                       [](const std::string &a, const std::string &b) { return a.size() < b.size(); });
    return corpus;
}

} // namespace

const Corpus &corpus()
{
    static const Corpus loaded = load();
    return loaded;
}

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string_view::npos; start = at + 2)
        lines.push_back(text.substr(start, at + 2 - start));
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace quorbel::bench
