#include "codebox/codekeywords.h"
#include "codebox/linescan.h"
#include "engine/keywordlist.h"
#include "tests/codebox/qstringprinter.h"

#include <gtest/gtest.h>

#include <string>

#include <QStringList>

namespace quorbel {
namespace {

// Renders the scan of one line as "word:k" / "word:i" items, to compare at a
// glance. The line gets its CR LF and the blank, and the scan ends after the
// character that follows the first apostrophe, else at the CR.
QString scan(const QString &line)
{
    const QString masked = maskStrings(line + QStringLiteral("\r\n")) + u' ';
    const qsizetype apostrophe = masked.indexOf(u'\'');
    QStringList out;
    for (const CodeWord &word : scanCodeWords(masked, apostrophe >= 0 ? apostrophe + 2 : line.size() + 1))
        out << masked.mid(word.position, word.length) + QString(word.keyword ? ":k" : ":i");
    return out.join(u' ');
}

TEST(CodeKeyWords, ListHoldsTheConverterListWithEventAfterError)
{
    const QStringView list = codeKeyWordList();
    EXPECT_TRUE(list.startsWith(u"*#Const*#Else*"));
    EXPECT_TRUE(list.endsWith(u"*With*Xor*Nothing*To*"));
    const auto entries = list.split(u'*', Qt::SkipEmptyParts);
    EXPECT_EQ(entries.size(), 128);
    EXPECT_EQ(entries.count(u"Alias"), 2);
    EXPECT_EQ(entries.count(u"Input"), 2);
    EXPECT_TRUE(list.contains(u"*Erase*Error*Event*Exit*"));
    EXPECT_EQ(list.count(u"**"), 0);
    // Without "Event" it is the converter's list, letter for letter.
    QString without = list.toString();
    without.remove(QStringLiteral("Event*"));
    EXPECT_EQ(without.toStdString(), std::string(kKeyWordList));
}

TEST(CodeKeyWords, TestIgnoresCaseAndGivesTheListForm)
{
    EXPECT_TRUE(isCodeKeyWord(u"dim"));
    EXPECT_TRUE(isCodeKeyWord(u"DIM"));
    EXPECT_TRUE(isCodeKeyWord(u"Event"));
    EXPECT_TRUE(isCodeKeyWord(u"#if"));
    EXPECT_FALSE(isCodeKeyWord(u""));
    EXPECT_FALSE(isCodeKeyWord(u"Dimension"));
    EXPECT_FALSE(isCodeKeyWord(u"im"));
    EXPECT_FALSE(isCodeKeyWord(u"Changed"));
    // The test is a substring search of the delimited word, so a word that
    // holds asterisks matches across entries.
    EXPECT_TRUE(isCodeKeyWord(u"nothing*to"));
    EXPECT_EQ(keyWordListForm(u"nothing*to"), u"Nothing*To");

    EXPECT_EQ(keyWordListForm(u"dim"), u"Dim");
    EXPECT_EQ(keyWordListForm(u"goto"), u"GoTo");
    EXPECT_EQ(keyWordListForm(u"BYVAL"), u"ByVal");
    EXPECT_EQ(keyWordListForm(u"cverr"), u"CVErr");
    EXPECT_EQ(keyWordListForm(u"redim"), u"ReDim");
    EXPECT_EQ(keyWordListForm(u"x"), u"");
}

TEST(MaskStrings, BlanksStringInsidesButNotCommentsBeforeThem)
{
    EXPECT_EQ(maskStrings(u"x = 1"), u"x = 1");
    EXPECT_EQ(maskStrings(u"x = \"If Then\" ' If"), u"x = \"       \" ' If");
    EXPECT_EQ(maskStrings(u"a = \"x\" & \"yz\""), u"a = \" \" & \"  \"");
    // A quote inside a comment that starts before any string stays.
    EXPECT_EQ(maskStrings(u"' say \"hi there\""), u"' say \"hi there\"");
    EXPECT_EQ(maskStrings(u"x = 1 ' \"a b\""), u"x = 1 ' \"a b\"");
    // An apostrophe inside a string does not stop the blanking.
    EXPECT_EQ(maskStrings(u"s = \"it's\" ' ok"), u"s = \"    \" ' ok");
    // Once a string has been blanked, strings after the apostrophe are too.
    EXPECT_EQ(maskStrings(u"s = \"a\" ' \"bc\""), u"s = \" \" ' \"  \"");
    // Unclosed string: nothing is blanked.
    EXPECT_EQ(maskStrings(u"s = \"abc"), u"s = \"abc");
    // A doubled quote: the search resumes two characters after the closing
    // quote, so the rest of the literal is no longer blanked.
    EXPECT_EQ(maskStrings(u"s = \"a \"\"b\"\" c\""), u"s = \"  \"\"b\"\" c\"");
    EXPECT_EQ(maskStrings(u"s = \"say \"\"Go\"\" now\""), u"s = \"    \"\"Go\"\" now\"");
}

TEST(ScanCodeWords, ClassifiesWordsAsTheyEnd)
{
    EXPECT_EQ(scan("Dim x As Long"), "Dim:k x:i As:k Long:k");
    EXPECT_EQ(scan("dim x as long"), "dim:k x:i as:k long:k");
    // After "Dim" even a keyword is an identifier; inside brackets too.
    EXPECT_EQ(scan("Dim String As Long"), "Dim:k String:i As:k Long:k");
    EXPECT_EQ(scan("Dim [Select] As Long"), "Dim:k Select:i As:k Long:k");
    EXPECT_EQ(scan("On Error GoTo ErrHandler"), "On:k Error:k GoTo:k");
    // "GoTo" is compared with its case: a lower-case goto does not hide the label.
    EXPECT_EQ(scan("on error goto ErrHandler"), "on:k error:k goto:k ErrHandler:i");
    EXPECT_EQ(scan("ErrHandler:"), "");
    EXPECT_EQ(scan("Foo: Bar"), "Bar:i");
    EXPECT_EQ(scan("x = 1: y = 2"), "x:i y:i");
    EXPECT_EQ(scan("x = &HFF + y1"), "x:i y1:i");
    EXPECT_EQ(scan("Label2 = 12 + a1b2"), "Label2:i a1b2:i");
    EXPECT_EQ(scan("Event Changed()"), "Event:k Changed:i");
    EXPECT_EQ(scan("x = a & b"), "x:i a:i b:i");
    // A type suffix "&" leaves the name uncoloured.
    EXPECT_EQ(scan("Dim n& , m"), "Dim:k m:i");
    EXPECT_EQ(scan("x = \"If Then\" ' If"), "x:i");
    // The part of a literal after a doubled quote is scanned as code.
    EXPECT_EQ(scan("s = \"say \"\"Go\"\" now\""), "s:i Go:i now:i");
}

TEST(ScanCodeWords, StopsAtTheGivenPositionAndJudgesLowBytes)
{
    const QString masked = QStringLiteral("If a Then ' End If\r\n ");
    QStringList words;
    for (const CodeWord &word : scanCodeWords(masked, masked.indexOf(u'\'') + 2))
        words << masked.mid(word.position, word.length);
    EXPECT_EQ(words, QStringList({"If", "a", "Then"}));
    EXPECT_TRUE(scanCodeWords(masked, 0).isEmpty());
    EXPECT_TRUE(scanCodeWords(masked, -3).isEmpty());
    EXPECT_EQ(scanCodeWords(masked, 1000).size(), 5);

    // U+0141 has the low byte of "A", so it is a letter of a word; U+4E5B has
    // the low byte of "[", so it opens a bracket.
    const QString wide = QString(QChar(0x0141)) + "x = 1\r\n ";
    ASSERT_EQ(scanCodeWords(wide, 7).size(), 1);
    EXPECT_EQ(scanCodeWords(wide, 7).first(), (CodeWord{0, 2, false}));
    const QString bracket = QString(QChar(0x4E5B)) + "If \r\n ";
    EXPECT_EQ(scanCodeWords(bracket, 5), (QList<CodeWord>{{1, 2, false}}));
    // An "&" inside a word is skipped: the word's range is its length just
    // before the character that ends it.
    EXPECT_EQ(scanCodeWords(u"x = ab&cd \r\n ", 12), (QList<CodeWord>{{0, 1, false}}));
    EXPECT_EQ(scanCodeWords(u"Di&m x\r\n ", 7), (QList<CodeWord>{{1, 3, true}, {5, 1, false}}));
}

} // namespace
} // namespace quorbel
