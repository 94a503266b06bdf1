#include "engine/sourcetext.h"

#include "engine/bytescan.h"
#include "engine/conversionerror.h"
#include "platform/hugepages.h"

#include <uchardet.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <vector>

namespace quorbel {

namespace {

constexpr std::string_view kWindows1252 = "WINDOWS-1252";

// Code points of 0x80 to 0x9F in Windows-1252. The five holes of the code
// page map to the C1 controls of the same number (as browsers do), so a file
// that holds them, such as obfuscated string constants, converts whole.
constexpr std::array<char32_t, 32> kHigh1252 = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

std::string upper(std::string_view name)
{
    std::string result(name);
    for (char &c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

bool isWindows1252(std::string_view name)
{
    const std::string n = upper(name);
    return n == kWindows1252 || n == "CP1252" || n == "WINDOWS1252";
}

// The encoding to convert from for what the detector names. VB6 files were
// written with the Windows code pages, which extend the standard sets the
// detector reports: Shift-JIS files hold CP932 characters, ISO-8859-1 files
// the Windows-1252 punctuation of 0x80 to 0x9F.
std::string windowsFlavour(std::string_view detected)
{
    const std::string n = upper(detected);
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

std::string detect(std::string_view bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return {};
    uchardet_data_end(detector.get());
    const char *charset = uchardet_get_charset(detector.get());
    return charset ? std::string(charset) : std::string();
}

struct IconvResult {
    bool ok = false;
    bool known = false;
    std::size_t badOffset = 0;
    std::string text;
};

IconvResult convertWithIconv(std::string_view bytes, const std::string &from)
{
    IconvResult result;
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return result;
    result.known = true;
    std::string out(bytes.size() * 2 + 16, '\0');
    char *in = const_cast<char *>(bytes.data()); // iconv's signature; the input is not written
    std::size_t inLeft = bytes.size();
    std::size_t used = 0;
    for (;;) {
        char *outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t rc = iconv(cd, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1) && inLeft == 0)
            break;
        if (rc == static_cast<std::size_t>(-1) && errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (rc == static_cast<std::size_t>(-1)) {
            // EILSEQ or a sequence cut off at the end: not this encoding.
            result.badOffset = bytes.size() - inLeft;
            iconv_close(cd);
            return result;
        }
    }
    iconv_close(cd);
    out.resize(used);
    result.ok = true;
    result.text = std::move(out);
    return result;
}

std::string dropByteOrderMark(std::string text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    return text;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, p + i, 8);
            if (eight & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i == n)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0)
                lo = 0x90;
            if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (i + len > n || p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (std::size_t k = 2; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += len;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            appendUtf8(out, kHigh1252[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string normaliseLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    adviseHugePages(out.data(), out.capacity());
    out.assign(text);
    normaliseLineBreaksInPlace(out);
    return out;
}

void normaliseLineBreaksInPlace(std::string &text)
{
    std::size_t lone = 0;
    scanBytes(text, '\r', '\n', [&](std::size_t i) {
        if (text[i] == '\r' ? i + 1 == text.size() || text[i + 1] != '\n' : i == 0 || text[i - 1] != '\r')
            ++lone;
        return true;
    });
    if (lone == 0)
        return;
    // From the back: the bytes before r are still as they were, the bytes
    // from w on are final, and w - r is the number of lone breaks before r.
    std::size_t r = text.size();
    text.resize(r + lone);
    char *const d = text.data();
    std::size_t w = text.size();
    while (w > r) {
        if (r >= 16) {
            // A block without breaks moves as a whole. A block with some
            // moves its bytes after the last break the same way, when its
            // 16 bytes land where nothing unread lies; the break follows.
            char block[16];
            std::memcpy(block, d + r - 16, 16);
            const std::uint32_t breaks = bytesIn(block, '\r', '\n');
            if (breaks == 0 || w - r >= 16) {
                std::memcpy(d + w - 16, block, 16);
                const std::size_t after = breaks == 0 ? 16 : 15 - static_cast<std::size_t>(std::bit_width(breaks) - 1);
                r -= after;
                w -= after;
                if (breaks == 0)
                    continue;
            }
        }
        const char c = d[--r];
        if (c == '\n') {
            d[--w] = '\n';
            if (r > 0 && d[r - 1] == '\r')
                --r;
            d[--w] = '\r';
        } else if (c == '\r') {
            // An LF after it would have taken it with itself: a lone CR.
            d[--w] = '\n';
            d[--w] = '\r';
        } else {
            d[--w] = c;
        }
    }
}

bool hasNonAscii(std::string_view text)
{
    // Pages of many megabytes are asked: 4 KB at a time, eight bytes to a
    // word, or-ed together in a loop without an early exit.
    constexpr std::size_t kChunk = 4096;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    std::size_t start = 0;
    for (; start + kChunk <= text.size(); start += kChunk) {
        std::uint64_t any = 0;
        for (std::size_t i = start; i < start + kChunk; i += 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, text.data() + i, 8);
            any |= eight;
        }
        if (any & kHighBits)
            return true;
    }
    for (; start < text.size(); ++start) {
        if (static_cast<unsigned char>(text[start]) >= 0x80)
            return true;
    }
    return false;
}

SourceText decodeSource(std::string_view bytes, std::string_view encoding)
{
    SourceText result;
    if (!encoding.empty()) {
        if (isWindows1252(encoding)) {
            result = {windows1252ToUtf8(bytes), std::string(kWindows1252)};
        } else {
            IconvResult converted = convertWithIconv(bytes, std::string(encoding));
            if (!converted.known)
                throw ConversionError("unknown encoding \"" + std::string(encoding) + "\"");
            if (!converted.ok)
                throw ConversionError("not valid " + std::string(encoding) + " at byte " +
                                      std::to_string(converted.badOffset));
            result = {dropByteOrderMark(std::move(converted.text)), upper(encoding)};
        }
    } else if (isValidUtf8(bytes)) {
        result = {dropByteOrderMark(std::string(bytes)), "UTF-8"};
    } else {
        const std::string from = windowsFlavour(detect(bytes));
        IconvResult converted;
        if (!from.empty() && from != kWindows1252)
            converted = convertWithIconv(bytes, from);
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

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return bytes;
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
