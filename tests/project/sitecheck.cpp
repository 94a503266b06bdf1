#include "tests/project/sitecheck.h"

#include "engine/asciicase.h"
#include "tests/support/scratchfiles.h"

#include <map>
#include <set>

namespace quorbel::testing {

namespace fs = std::filesystem;

namespace {

std::string unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        for (const auto &[entity, c] : {std::pair<std::string_view, char>{"&amp;", '&'},
                                        {"&lt;", '<'},
                                        {"&gt;", '>'},
                                        {"&#39;", '\''},
                                        {"&quot;", '"'}}) {
            if (text.substr(i).starts_with(entity)) {
                out += c;
                i += entity.size() - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i];
    }
    return out;
}

std::string percentDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else
            out += text[i];
    }
    return out;
}

struct Attribute {
    std::string name; // upper case
    std::string value;
};

// The attributes of every tag of html (a "<" always opens a tag: the
// code's own "<" is written "&lt;").
std::vector<std::vector<Attribute>> tagsOf(const std::string &html)
{
    std::vector<std::vector<Attribute>> tags;
    std::size_t i = 0;
    while ((i = html.find('<', i)) != std::string::npos) {
        const std::size_t end = html.find('>', i);
        if (end == std::string::npos)
            break;
        std::vector<Attribute> attributes;
        std::size_t j = i + 1;
        while (j < end) {
            const std::size_t eq = html.find('=', j);
            if (eq == std::string::npos || eq >= end)
                break;
            std::size_t nameStart = html.find_last_of(" \t\r\n", eq);
            const std::string name = upperAsciiCase(html.substr(nameStart + 1, eq - nameStart - 1));
            const char quote = html[eq + 1];
            std::size_t valueEnd;
            std::string value;
            if (quote == '\'' || quote == '"') {
                valueEnd = html.find(quote, eq + 2);
                value = html.substr(eq + 2, valueEnd - eq - 2);
                ++valueEnd;
            } else {
                valueEnd = html.find_first_of(" >", eq + 1);
                value = html.substr(eq + 1, valueEnd - eq - 1);
            }
            attributes.push_back({name, value});
            j = valueEnd;
        }
        tags.push_back(std::move(attributes));
        i = end + 1;
    }
    return tags;
}

} // namespace

SiteCheck checkSite(const fs::path &root)
{
    SiteCheck check;
    std::map<fs::path, std::set<std::string>> anchors;
    std::map<fs::path, std::vector<std::vector<Attribute>>> pages;
    for (const auto &entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".html")
            continue;
        ++check.pages;
        const fs::path page = entry.path().lexically_normal();
        pages[page] = tagsOf(readBytes(page));
        std::set<std::string> &names = anchors[page];
        for (const auto &tag : pages[page]) {
            for (const Attribute &a : tag) {
                if (a.name == "NAME" && !names.insert(unescaped(a.value)).second)
                    check.problems.push_back(page.string() + ": anchor " + a.value + " twice");
            }
        }
    }
    for (const auto &[page, tags] : pages) {
        for (const auto &tag : tags) {
            for (const Attribute &a : tag) {
                if (a.name != "HREF" && a.name != "SRC")
                    continue;
                const std::string value = unescaped(a.value);
                const std::string lower = foldAsciiCase(value);
                if (lower.starts_with("http:") || lower.starts_with("https:") || lower.starts_with("mailto:"))
                    continue;
                ++check.links;
                const std::size_t hash = value.find('#');
                const std::string file = percentDecoded(value.substr(0, hash));
                const fs::path target = file.empty() ? page : (page.parent_path() / file).lexically_normal();
                if (!fs::is_regular_file(target)) {
                    check.problems.push_back(page.string() + ": " + value + ": no such file");
                    continue;
                }
                if (hash == std::string::npos)
                    continue;
                const std::string fragment = value.substr(hash + 1);
                if (!anchors.contains(target))
                    anchors[target]; // a page outside the site's .html pages has none
                if (!anchors[target].contains(fragment))
                    check.problems.push_back(page.string() + ": " + value + ": no such anchor");
            }
        }
    }
    return check;
}

} // namespace quorbel::testing
