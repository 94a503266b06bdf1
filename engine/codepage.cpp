#include "engine/codepage.h"

#include "engine/asciicase.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace quorbel {

namespace {

// Code points of 0x80 to 0x9F in Windows-1252 (it agrees with Latin-1
// everywhere else); 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> kHigh1252 = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// An iconv conversion descriptor that is closed however its user leaves.
class IconvHandle {
public:
    IconvHandle(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (valid())
            iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

std::string windows1252ToUtf8(std::string_view bytes, UndefinedBytes undefined)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            const char16_t mapped = kHigh1252[b - 0x80];
            if (mapped != 0)
                appendUtf8(out, mapped);
            else if (undefined == UndefinedBytes::AsControls)
                appendUtf8(out, b);
            else
                out += kReplacementUtf8;
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

unsigned char windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kHigh1252.size(); ++i) {
        if (kHigh1252[i] != 0 && kHigh1252[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

bool isWindows1252Name(std::string_view name)
{
    const std::string n = upperAsciiCase(name);
    return n == kWindows1252 || n == "CP1252" || n == "WINDOWS1252";
}

std::string iconvNameOfCodePage(int codePage)
{
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 20127:
        return "ASCII";
    case 28591:
        return "ISO-8859-1";
    case 950:
        return "BIG5";
    case 1361:
        return "JOHAB";
    default:
        return "CP" + std::to_string(codePage);
    }
}

ConvertedText convertToUtf8(std::string_view bytes, const std::string &from, InvalidBytes invalid)
{
    ConvertedText result;
    const IconvHandle cd("UTF-8", from.c_str());
    if (!cd.valid())
        return result;
    result.known = true;
    std::string out(bytes.size() * 2 + 16, '\0');
    char *in = const_cast<char *>(bytes.data()); // iconv's signature; the input is not written
    std::size_t inLeft = bytes.size();
    std::size_t used = 0;
    for (;;) {
        char *outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        // With no input left, the call ends a shift state the output needs.
        const std::size_t rc = iconv(cd.get(), inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1) && inLeft == 0)
            break;
        if (rc == static_cast<std::size_t>(-1) && errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (rc == static_cast<std::size_t>(-1)) {
            // EILSEQ, or a sequence cut off at the end.
            if (invalid == InvalidBytes::Stop) {
                result.badOffset = bytes.size() - inLeft;
                return result;
            }
            if (out.size() - used < kReplacementUtf8.size())
                out.resize(out.size() * 2);
            out.replace(used, kReplacementUtf8.size(), kReplacementUtf8);
            used += kReplacementUtf8.size();
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    out.resize(used);
    result.ok = true;
    result.text = std::move(out);
    return result;
}

} // namespace quorbel
