#include "codebox/codekeywords.h"

#include <QHash>

namespace quorbel {

namespace {

constexpr QStringView kList =
    u"*#Const*#Else*#ElseIf*#End*#If*Alias*Alias*And*As*Base*Binary*Boolean*Byte*ByVal*Call*Case*CBool*CByte*"
    u"CCur*CDate*CDbl*CDec*CInt*CLng*Close*Compare*Const*CSng*CStr*Currency*CVar*CVErr*Debug*Decimal*Declare*"
    u"DefBool*DefByte*DefCur*DefDate*DefDbl*DefDec*DefInt*DefLng*DefObj*DefSng*DefStr*DefVar*Dim*Do*Double*Each*"
    u"Else*ElseIf*End*Enum*Eqv*Erase*Error*Event*Exit*Explicit*False*For*Function*Get*Global*GoSub*GoTo*If*Imp*"
    u"In*Input*Input*Integer*Is*LBound*Let*Lib*Like*Line*Lock*Long*Loop*LSet*Name*New*Next*Not*Object*On*Open*"
    u"Option*Optional*Or*Output*Print*Private*Property*Public*Put*Random*Read*ReDim*Resume*Return*RSet*Seek*"
    u"Select*Set*Single*Spc*Static*String*Stop*Sub*Tab*Then*True*Type*UBound*Unlock*Variant*Wend*While*With*Xor*"
    u"Nothing*To*";

// A word without an asterisk can only match one whole entry, so the list's
// substring search reduces to a lookup of the case-folded word; colouring a
// large module asks this once per word.
const QHash<QString, QString> &entriesByFoldedName()
{
    static const QHash<QString, QString> entries = [] {
        QHash<QString, QString> result;
        for (QStringView entry : kList.split(u'*', Qt::SkipEmptyParts)) {
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
    const qsizetype at = kList.indexOf(delimited, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : kList.mid(at + 1, word.size()).toString();
}

} // namespace

QStringView codeKeyWordList()
{
    return kList;
}

bool isCodeKeyWord(QStringView word)
{
    return !keyWordListForm(word).isEmpty();
}

QString keyWordListForm(QStringView word)
{
    if (word.isEmpty())
        return {};
    if (word.contains(u'*'))
        return searchListForm(word);
    return entriesByFoldedName().value(word.toString().toCaseFolded());
}

} // namespace quorbel
