#pragma once

#include <QTextCharFormat>

#include <optional>

class QTextCursor;
class QTextDocument;

namespace quorbel {

// The one character format of every character of document from position
// from up to position to (not included), line separators counted; none when
// the range is empty or holds more than one format.
std::optional<QTextCharFormat> uniformCharFormat(const QTextDocument &document, int from, int to);

// Merges format into the format of every character of cursor's selection,
// as QTextCursor::mergeCharFormat does. A selection of one format throughout
// (a freshly loaded text, a word not yet coloured) is set to that format with
// format merged in, in one step instead of a merge per fragment: the same
// formats at a fraction of the cost. Returns the format set in that case;
// none otherwise, and without a selection, where nothing happens.
std::optional<QTextCharFormat> mergeIntoSelection(QTextCursor &cursor, const QTextCharFormat &format);

} // namespace quorbel
