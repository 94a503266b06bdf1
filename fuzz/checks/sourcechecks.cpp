// Source decoding for any bytes: valid UTF-8 with CR LF line breaks.
#include "fuzz/checks/fuzzchecks.h"
#include "fuzz/checks/plainrules.h"

#include "engine/sourcetext.h"
#include "engine/utf8.h"

namespace quorbel::fuzz {
namespace {

void require(bool holds, const std::string &property)
{
    if (!holds)
        throw PropertyViolation(property);
}

bool onlyCrLfBreaks(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

} // namespace

void checkSourceDecoding(std::string_view bytes)
{
    const SourceText source = decodeSource(bytes);
    require(isValidUtf8(source.text), "decoding gave invalid UTF-8 (from " + source.encoding + ")");
    require(onlyCrLfBreaks(source.text), "decoding left a line break other than CR LF");
    require(!source.encoding.empty(), "decoding named no encoding");
    if (isValidUtf8(bytes) && !bytes.starts_with("\xEF\xBB\xBF"))
        require(source.encoding == "UTF-8" && source.text == plainCrLf(bytes),
                "valid UTF-8 was changed beyond its line breaks");
    // Decoding what decoding gave changes nothing but a leading U+FEFF,
    // which the second time reads as a byte order mark.
    std::string_view once = source.text;
    if (once.starts_with("\xEF\xBB\xBF"))
        once.remove_prefix(3);
    require(decodeSource(source.text).text == once, "decoding twice changes the text");
}

} // namespace quorbel::fuzz
