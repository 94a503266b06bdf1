#pragma once

#include <QString>
#include <QStringView>

namespace quorbel {

// The code box's keyword list: every keyword between asterisks, beginning
// "*#Const*#Else*" and ending "*Nothing*To*", 128 entries ("Alias" and "Input"
// stand twice). It is made from the converter's list (kKeyWordList) by
// putting "Event" after "Error"; words are matched with Unicode case folding.
QStringView codeKeyWordList();

// True when "*" + word + "*" occurs in the keyword list, compared without
// regard to case. An empty word is never a keyword.
bool isCodeKeyWord(QStringView word);

// The keyword as the list writes it: the list's characters just after the
// first "*" that starts a case-blind match of "*" + word + "*", as many as the
// word has ("dim" gives "Dim", "goto" gives "GoTo"). Empty when word is not a
// keyword.
QString keyWordListForm(QStringView word);

// What colouring writes in place of word: its keyWordListForm when that holds
// the same letters in another letter case; empty when nothing is written (not
// a keyword, already in the list's form, or a range that holds other
// characters than the word, as a word with an "&" inside does).
QString keyWordRecased(QStringView word);

} // namespace quorbel
