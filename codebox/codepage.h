#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace quorbel {

// Text of bytes in a Windows code page (1252, 1251, 932, ...). Bytes that do
// not form a character of the code page become U+FFFD; a code page that is
// unknown here is read as 1252. Never throws.
QString decodeCodePage(const QByteArray &bytes, int codePage);

// The Windows-1252 byte of a character, or 0 when 1252 has none.
unsigned char cp1252Byte(QChar ch);

// The code page of an RTF \fcharsetN value; 0 for charsets that mean the
// document's own code page (1 "default").
int codePageOfCharset(int charset);

} // namespace quorbel
