#include "codebox/crlfpositions.h"

#include <QTextDocument>

#include <algorithm>

namespace quorbel {

int CrlfPositions::toCrlf(int docPos) const
{
    docPos = std::clamp(docPos, 0, m_document.characterCount() - 1);
    return docPos + m_document.findBlock(docPos).blockNumber();
}

QTextBlock CrlfPositions::blockAt(int crlfPos) const
{
    const int count = m_document.blockCount();
    // Colouring walks the text forwards, so the block of the last lookup or
    // the one after it usually holds the next position.
    for (int number : {m_hintBlock, m_hintBlock + 1}) {
        if (number < 0 || number >= count)
            continue;
        const QTextBlock block = m_document.findBlockByNumber(number);
        const int start = lineStart(block);
        if (crlfPos >= start && (number == count - 1 || crlfPos < start + block.length() + 1)) {
            m_hintBlock = number;
            return block;
        }
    }
    int low = 0;
    int high = count - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (lineStart(m_document.findBlockByNumber(middle)) <= crlfPos)
            low = middle;
        else
            high = middle - 1;
    }
    m_hintBlock = low;
    return m_document.findBlockByNumber(low);
}

int CrlfPositions::toDoc(int crlfPos) const
{
    if (crlfPos <= 0)
        return 0;
    const QTextBlock block = blockAt(crlfPos);
    const int offset = crlfPos - lineStart(block);
    const int textLength = block.length() - 1;
    if (offset <= textLength)
        return block.position() + offset;
    // Between CR and LF, or past the end of the text.
    const QTextBlock next = block.next();
    return next.isValid() ? next.position() : block.position() + textLength;
}

int CrlfPositions::length() const
{
    return m_document.characterCount() - 1 + m_document.blockCount() - 1;
}

} // namespace quorbel
