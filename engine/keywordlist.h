#pragma once

#include <string_view>

namespace quorbel {

// The converter's keywords, each between asterisks, in their stored order
// ("Alias" and "Input" stand twice; "Event" is not here).
inline constexpr std::string_view kKeyWordList =
    "*#Const*#Else*#ElseIf*#End*#If*Alias*Alias*And*As*Base*Binary*Boolean*Byte*ByVal*Call*Case*CBool*CByte"
    "*CCur*CDate*CDbl*CDec*CInt*CLng*Close*Compare*Const*CSng*CStr*Currency*CVar*CVErr*Debug*Decimal*Declare"
    "*DefBool*DefByte*DefCur*DefDate*DefDbl*DefDec*DefInt*DefLng*DefObj*DefSng*DefStr*DefVar*Dim*Do*Double"
    "*Each*Else*ElseIf*End*Enum*Eqv*Erase*Error*Exit*Explicit*False*For*Function*Get*Global*GoSub*GoTo*If*Imp"
    "*In*Input*Input*Integer*Is*LBound*Let*Lib*Like*Line*Lock*Long*Loop*LSet*Name*New*Next*Not*Object*On*Open"
    "*Option*Optional*Or*Output*Print*Private*Property*Public*Put*Random*Read*ReDim*Resume*Return*RSet*Seek"
    "*Select*Set*Single*Spc*Static*String*Stop*Sub*Tab*Then*True*Type*UBound*Unlock*Variant*Wend*While*With"
    "*Xor*Nothing*To*";

// Whether "*" + word + "*" occurs in kKeyWordList, ASCII letters compared
// without regard to case. A word holding asterisks matches when it spans
// several entries ("dim*do"); an empty word never matches. Costs time linear
// in the word's length, not in the list's.
bool inKeyWordList(std::string_view word);

} // namespace quorbel
