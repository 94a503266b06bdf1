#include "project/projecttext.h"

#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/sourcetext.h"
#include "engine/utf8.h"

namespace quorbel::project {

namespace {

// The code pages tried besides the detected one (iconv names).
constexpr std::string_view kCodePages[] = {"CP932",  "GB18030", "CP949",  "CP950",  "CP1251",
                                           "CP1250", "CP1253",  "CP1255", "CP1256", "CP874"};

} // namespace

std::string projectText(const std::string &path, std::string_view encoding,
                        const std::function<int(std::string_view text)> &missing)
{
    const std::string bytes = readFileBytes(path);
    std::string best = decodeSource(bytes, encoding).text;
    if (!encoding.empty() || isValidUtf8(bytes))
        return best;
    int fewest = missing(best);
    for (const std::string_view codePage : kCodePages) {
        if (fewest == 0)
            break;
        try {
            std::string text = decodeSource(bytes, codePage).text;
            if (const int n = missing(text); n < fewest) {
                fewest = n;
                best = std::move(text);
            }
        } catch (const ConversionError &) {
            // Bytes this code page does not have: not the one.
        }
    }
    return best;
}

} // namespace quorbel::project
