#include "fuzz/checks/plainrules.h"

namespace quorbel::fuzz {

// The blanking loop as plainly written, with 1-based positions and both
// searches repeated from every position.
std::string plainCodeOnly(std::string line)
{
    if (line.find('"') == std::string::npos)
        return line;
    const auto inStr = [&](std::size_t pos, char c) -> std::size_t {
        const std::size_t at = line.find(c, pos - 1);
        return at == std::string::npos ? 0 : at + 1;
    };
    const std::size_t n = line.size();
    bool found = false;
    for (std::size_t pos = 1; pos <= n; ++pos) {
        const std::size_t q = inStr(pos, '"');
        const std::size_t a = inStr(pos, '\'');
        if (q != 0 && (q < a || a == 0)) {
            const std::size_t r = q < n ? inStr(q + 1, '"') : 0;
            if (r != 0) {
                found = true;
                for (std::size_t k = q + 1; k < r; ++k)
                    line[k - 1] = ' ';
                pos = r + 1;
            }
        } else if (!found) {
            break;
        }
    }
    return line;
}

std::string plainCrLf(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\r\n";
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace quorbel::fuzz
