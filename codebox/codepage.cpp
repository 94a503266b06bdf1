#include "codebox/codepage.h"

#include "engine/codepage.h"

#include <string>
#include <string_view>

namespace quorbel {

QString decodeCodePage(const QByteArray &bytes, int codePage)
{
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (codePage == 65001)
        return QString::fromUtf8(bytes);
    if (codePage != 1252 && codePage != 0) {
        const ConvertedText converted = convertToUtf8(view, iconvNameOfCodePage(codePage), InvalidBytes::Replace);
        if (converted.known)
            return QString::fromUtf8(converted.text.data(), static_cast<qsizetype>(converted.text.size()));
    }
    const std::string text = windows1252ToUtf8(view, UndefinedBytes::AsReplacement);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

unsigned char cp1252Byte(QChar ch)
{
    return windows1252Byte(ch.unicode());
}

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return 1252; // symbol fonts: their bytes are shown as they are
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

} // namespace quorbel
