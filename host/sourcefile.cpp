#include "host/sourcefile.h"

#include "engine/modulename.h"
#include "engine/sourcetext.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace quorbel::host {

namespace {

// The first word of line (letters, digits, points, underscores) after its
// leading blanks.
std::string_view firstWord(std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
    std::size_t end = start;
    while (end < line.size() && (std::isalnum(static_cast<unsigned char>(line[end])) != 0 || line[end] == '_'))
        ++end;
    return line.substr(start, end - start);
}

bool sameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// "Object = ..." of a form's header: the word followed by an equals sign.
bool isObjectLine(std::string_view line)
{
    const std::string_view word = firstWord(line);
    if (!sameWord(word, "Object"))
        return false;
    const std::size_t rest = line.find(word) + word.size();
    const std::size_t sign = line.find_first_not_of(" \t", rest);
    return sign != std::string_view::npos && line[sign] == '=';
}

} // namespace

std::string codeView(std::string_view text)
{
    std::size_t pos = 0;
    int depth = 0;
    bool first = true;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 2;
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        const std::string_view word = firstWord(line);
        if (depth > 0) {
            if (sameWord(word, "Begin"))
                ++depth;
            else if (sameWord(word, "End"))
                --depth;
        } else if (first && sameWord(word, "VERSION")) {
            // the file format's version line
        } else if (sameWord(word, "Begin")) {
            depth = 1;
        } else if (!sameWord(word, "Attribute") && !isObjectLine(line)) {
            break;
        }
        first = false;
        pos = next;
    }
    return std::string(text.substr(pos));
}

SourceModule readModule(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw SourceFileError("cannot open " + file.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw SourceFileError("cannot read " + file.string());
    const SourceText source = decodeSource(bytes.str());
    SourceModule module;
    module.name = moduleName(source.text).value_or(file.stem().string());
    module.code = codeView(source.text);
    return module;
}

} // namespace quorbel::host
