#pragma once

#include <QTextBlock>

class QTextDocument;

namespace quorbel {

// Positions of a QTextDocument's text counted as a rich edit control counts
// them: UTF-16 units of the text in which every line break is CR LF and
// counts as two characters, whereas the document counts one separator per
// line. A position that falls between the CR and the LF of a line break is
// taken as the start of the next line.
//
// Every conversion is O(log n) in the number of lines; a lookup that walks
// the text forwards (as colouring does) is O(1).
class CrlfPositions {
public:
    explicit CrlfPositions(const QTextDocument &document) : m_document(document) {}

    // Document position -> position with two-character line breaks;
    // positions outside the document are clamped to it.
    int toCrlf(int docPos) const;
    // Position with two-character line breaks -> document position; negative
    // positions are 0, positions past the end are the end.
    int toDoc(int crlfPos) const;
    // The line holding a position with two-character line breaks (a line's
    // break belongs to it); positions past the end are in the last line.
    QTextBlock blockAt(int crlfPos) const;
    // Where a line starts, line breaks counting two.
    static int lineStart(const QTextBlock &block) { return block.position() + block.blockNumber(); }
    // Length of the whole text, line breaks counting two.
    int length() const;

private:
    const QTextDocument &m_document;
    mutable int m_hintBlock = 0; // the block the last lookup found
};

} // namespace quorbel
