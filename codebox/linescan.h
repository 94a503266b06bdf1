#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace quorbel {

// A copy of line in which the characters between each pair of double quotes
// are blanks (the quotes stay, the length stays). While no pair has been
// blanked, an apostrophe met before the next double quote ends the search, so
// a quote inside a comment that starts before any string is left alone. After
// a closing quote the search resumes two characters further on, so the second
// quote of a doubled quote ("") ends the blanking early.
QString maskStrings(QStringView line);

// One word found by scanCodeWords: where it starts in the scanned text
// (0-based), its length, and whether it is coloured as a keyword (and
// re-cased) or as an identifier.
struct CodeWord {
    qsizetype position = 0;
    qsizetype length = 0;
    bool keyword = false;

    friend bool operator==(const CodeWord &, const CodeWord &) = default;
};

// The words of a masked line that the code box colours, in line order.
// masked is maskStrings of the line followed by one blank; the scan judges the
// characters at 1-based positions 1 to last (clamped to the text), each by the
// low 8 bits of its code: letters and "_" grow the current word, digits grow a
// word that has begun, "&" makes "&" the previous word, anything else ends the
// word. An ended word is coloured unless the previous word is "GoTo" or the
// ending character is ":"; it is a keyword when the previous word is not
// "Dim", no "[" is open and isCodeKeyWord holds, otherwise an identifier
// unless the previous word is "&".
QList<CodeWord> scanCodeWords(QStringView masked, qsizetype last);

} // namespace quorbel
