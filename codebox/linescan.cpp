#include "codebox/linescan.h"

#include "codebox/codekeywords.h"

#include <QVarLengthArray>

#include <algorithm>

namespace quorbel {

QString maskStrings(QStringView line)
{
    // Room for the blank that colouring appends.
    QString result;
    result.reserve(line.size() + 1);
    result.append(line);
    if (!line.contains(u'"'))
        return result;
    const bool hasApostrophe = line.contains(u'\'');
    const qsizetype lastQuote = line.lastIndexOf(u'"');
    bool blanked = false;
    // p is 0-based here; the loop runs while p is at or before the last quote.
    qsizetype p = 0;
    while (p <= lastQuote) {
        const qsizetype a = line.indexOf(u'"', p);
        if (hasApostrophe) {
            const qsizetype c = line.indexOf(u'\'', p);
            if (a < 0 || (c >= 0 && c < a)) {
                // A comment starts before the next string: nothing after it is
                // code, unless a string has already been blanked.
                if (!blanked)
                    break;
                ++p;
                continue;
            }
        }
        const qsizetype b = a < 0 ? -1 : line.indexOf(u'"', a + 1);
        if (b < 0) {
            ++p;
            continue;
        }
        for (qsizetype i = a + 1; i < b; ++i)
            result[i] = u' ';
        blanked = true;
        p = b + 2;
    }
    return result;
}

QList<CodeWord> scanCodeWords(QStringView masked, qsizetype last)
{
    QList<CodeWord> words;
    // The word is built from its characters: an "&" inside it is not part of
    // it, and its range is then taken as the word's length just before the
    // character that ends it. The word lives in a buffer kept across words,
    // and of the previous word only what the rules ask is kept.
    enum class Previous { Other, GoTo, Dim, Ampersand };
    QVarLengthArray<QChar, 64> current;
    Previous previous = Previous::Other;
    bool bracket = false;
    const qsizetype end = qMin(last, masked.size());
    // One allocation for the words of nearly every line, not one per growth
    // (a word takes at least two characters with the one that ends it).
    constexpr qsizetype kWordsOfALine = 16;
    if (end > 1)
        words.reserve(std::min(kWordsOfALine, end / 2));
    for (qsizetype i = 0; i < end; ++i) {
        const QChar qch = masked[i];
        const char ch = char(qch.unicode() & 0xFF);
        const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
        const bool digit = ch >= '0' && ch <= '9';
        if (letter || (digit && !current.isEmpty())) {
            current.append(qch);
            continue;
        }
        if (digit)
            continue;
        if (ch == '&') {
            previous = Previous::Ampersand;
            continue;
        }
        if (ch == '[')
            bracket = true;
        const QStringView word(current.constData(), current.size());
        if (!word.isEmpty() && previous != Previous::GoTo && ch != ':') {
            const qsizetype start = i - word.size();
            if (previous != Previous::Dim && !bracket && isCodeKeyWord(word))
                words.append({start, word.size(), true});
            else if (previous != Previous::Ampersand)
                words.append({start, word.size(), false});
        }
        if (ch == ']')
            bracket = false;
        previous = word == u"GoTo" ? Previous::GoTo : word == u"Dim" ? Previous::Dim : Previous::Other;
        current.clear();
    }
    return words;
}

} // namespace quorbel
