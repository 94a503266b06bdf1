#include "codebox/codekeywords.h"

#include "engine/keywordlist.h"

#include <QHash>

#include <algorithm>

#include <stdexcept>
#include <string>

namespace quorbel {

namespace {

// The code box colours one keyword more than the converter: "Event", which
// stands after "Error".
constexpr std::string_view kCodeBoxOnly = "Event*";
constexpr std::string_view kCodeBoxOnlyAfter = "*Error*";

// The converter's list with the code box's own keyword put in.
QString derivedList()
{
    std::string words(kKeyWordList);
    const std::size_t at = words.find(kCodeBoxOnlyAfter);
    if (at == std::string::npos)
        throw std::logic_error("the keyword list has no \"Error\"");
    words.insert(at + kCodeBoxOnlyAfter.size(), kCodeBoxOnly);
    return QString::fromLatin1(words);
}

const QString &list()
{
    static const QString derived = derivedList();
    return derived;
}

// A word without an asterisk can only match one whole entry, so the list's
// substring search reduces to a lookup of the case-folded word; colouring a
// large module asks this once per word.
const QHash<QString, QString> &entriesByFoldedName()
{
    static const QHash<QString, QString> entries = [] {
        QHash<QString, QString> result;
        for (QStringView entry : QStringView(list()).split(u'*', Qt::SkipEmptyParts)) {
            const QString folded = entry.toString().toCaseFolded();
            if (!result.contains(folded))
                result.insert(folded, entry.toString());
        }
        return result;
    }();
    return entries;
}

// The list form by the literal search, for words that hold an asterisk and
// may therefore span entries.
QString searchListForm(QStringView word)
{
    const QString delimited = u'*' + word.toString() + u'*';
    const qsizetype at = list().indexOf(delimited, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : list().mid(at + 1, word.size());
}

} // namespace

QStringView codeKeyWordList()
{
    return list();
}

bool isCodeKeyWord(QStringView word)
{
    return !keyWordListForm(word).isEmpty();
}

QString keyWordListForm(QStringView word)
{
    if (word.isEmpty())
        return {};
    // A plain loop: words are short, and the library's search costs more
    // than the whole word here.
    if (std::find(word.begin(), word.end(), u'*') != word.end())
        return searchListForm(word);
    // Colouring asks this for every word of a module: an ASCII word (nearly
    // every word) is folded on the stack, where case folding is lower case,
    // and looked up without a copy; a word longer than any entry is none.
    constexpr qsizetype kLongest = 32;
    if (word.size() <= kLongest) {
        char16_t folded[kLongest];
        bool ascii = true;
        for (qsizetype i = 0; i < word.size() && ascii; ++i) {
            const char16_t c = word[i].unicode();
            ascii = c < 0x80;
            folded[i] = (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
        }
        if (ascii) {
            const QString key = QString::fromRawData(reinterpret_cast<const QChar *>(folded), word.size());
            return entriesByFoldedName().value(key);
        }
    } else if (std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        return {};
    }
    return entriesByFoldedName().value(word.toString().toCaseFolded());
}

QString keyWordRecased(QStringView word)
{
    QString form = keyWordListForm(word);
    if (form.isEmpty() || word == form || word.compare(form, Qt::CaseInsensitive) != 0)
        return {};
    return form;
}

} // namespace quorbel
