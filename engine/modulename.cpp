#include "engine/modulename.h"

#include "engine/asciicase.h"
#include "engine/bytescan.h"

namespace quorbel {

namespace {

std::string_view skipBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

std::optional<std::string> valueOf(std::string_view line)
{
    line = skipBlanks(line);
    if (!startsWithAsciiCaseBlind(line, "attribute"))
        return std::nullopt;
    line = skipBlanks(line.substr(9));
    if (!startsWithAsciiCaseBlind(line, "vb_name"))
        return std::nullopt;
    line = skipBlanks(line.substr(7));
    if (line.empty() || line.front() != '=')
        return std::nullopt;
    line = skipBlanks(line.substr(1));
    if (line.empty() || line.front() != '"')
        return std::nullopt;
    line.remove_prefix(1);
    const auto close = line.find('"');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(line.substr(0, close));
}

} // namespace

std::optional<std::string> moduleName(std::string_view source)
{
    std::size_t start = 0;
    while (start < source.size()) {
        const std::size_t end = findLineBreak(source, start);
        if (auto value = valueOf(source.substr(start, end - start)))
            return value;
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace quorbel
