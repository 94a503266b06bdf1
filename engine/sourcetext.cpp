#include "engine/sourcetext.h"

#include "engine/asciicase.h"
#include "engine/codepage.h"
#include "engine/conversionerror.h"
#include "engine/encodingdetection.h"
#include "engine/linebreaks.h"
#include "engine/utf8.h"

namespace quorbel {

namespace {

std::string dropByteOrderMark(std::string text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    return text;
}

} // namespace

SourceText decodeSource(std::string_view bytes, std::string_view encoding)
{
    SourceText result;
    if (!encoding.empty()) {
        if (isWindows1252Name(encoding)) {
            result = {windows1252ToUtf8(bytes), std::string(kWindows1252)};
        } else {
            ConvertedText converted = convertToUtf8(bytes, std::string(encoding), InvalidBytes::Stop);
            if (!converted.known)
                throw ConversionError("unknown encoding \"" + std::string(encoding) + "\"");
            if (!converted.ok)
                throw ConversionError("not valid " + std::string(encoding) + " at byte " +
                                      std::to_string(converted.badOffset));
            result = {dropByteOrderMark(std::move(converted.text)), upperAsciiCase(encoding)};
        }
    } else if (isValidUtf8(bytes)) {
        result = {dropByteOrderMark(std::string(bytes)), "UTF-8"};
    } else {
        const std::string from = detectEncoding(bytes);
        ConvertedText converted;
        if (!from.empty() && from != kWindows1252)
            converted = convertToUtf8(bytes, from, InvalidBytes::Stop);
        // The bytes are not UTF-8, so a detector that names UTF-8 (or a
        // conversion that gives something else) is wrong: such bytes read
        // as Windows-1252 like any other unsure guess.
        if (converted.ok && isValidUtf8(converted.text))
            result = {dropByteOrderMark(std::move(converted.text)), from};
        else
            result = {windows1252ToUtf8(bytes), std::string(kWindows1252)};
    }
    normaliseLineBreaksInPlace(result.text);
    return result;
}

SourceText decodeSource(std::string &&bytes, std::string_view encoding)
{
    if (!encoding.empty() || !isValidUtf8(bytes))
        return decodeSource(std::string_view(bytes), encoding);
    SourceText result{dropByteOrderMark(std::move(bytes)), "UTF-8"};
    // Most files have CR LF breaks already (or LF, which must be copied).
    bool crLfOnly = true;
    for (std::size_t i = 0; crLfOnly && i < result.text.size(); ++i) {
        const char c = result.text[i];
        if (c == '\r')
            crLfOnly = i + 1 < result.text.size() && result.text[++i] == '\n';
        else if (c == '\n')
            crLfOnly = false;
    }
    if (!crLfOnly)
        normaliseLineBreaksInPlace(result.text);
    return result;
}

} // namespace quorbel
