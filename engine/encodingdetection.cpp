#include "engine/encodingdetection.h"

#include "engine/asciicase.h"
#include "engine/codepage.h"

#include <uchardet.h>

#include <memory>
#include <type_traits>

namespace quorbel {

namespace {

// The encoding to convert from for what the detector names. VB6 files were
// written with the Windows code pages, which extend the standard sets the
// detector reports: Shift-JIS files hold CP932 characters, ISO-8859-1 files
// the Windows-1252 punctuation of 0x80 to 0x9F.
std::string windowsFlavour(std::string_view detected)
{
    const std::string n = upperAsciiCase(detected);
    if (n == "SHIFT_JIS")
        return "CP932";
    if (n == "EUC-KR" || n == "UHC")
        return "CP949";
    if (n == "GB2312" || n == "GBK")
        return "GB18030";
    if (n == "ISO-8859-1" || n == "ASCII")
        return std::string(kWindows1252);
    return n;
}

std::string detectedCharset(std::string_view bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return {};
    uchardet_data_end(detector.get());
    const char *charset = uchardet_get_charset(detector.get());
    return charset ? std::string(charset) : std::string();
}

} // namespace

std::string detectEncoding(std::string_view bytes)
{
    return windowsFlavour(detectedCharset(bytes));
}

} // namespace quorbel
