#include "codebox/uniformformat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace quorbel {

std::optional<QTextCharFormat> uniformCharFormat(const QTextDocument &document, int from, int to)
{
    if (from >= to)
        return std::nullopt;
    // Every character's format is one of the document's character formats,
    // each held once: a document that holds one (as a text just set does)
    // needs no look at its characters.
    const QList<QTextFormat> formats = document.allFormats();
    if (std::count_if(formats.begin(), formats.end(), [](const QTextFormat &f) { return f.isCharFormat(); }) == 1)
        return std::find_if(formats.begin(), formats.end(), [](const QTextFormat &f) { return f.isCharFormat(); })
            ->toCharFormat();
    int index = -1;
    const auto same = [&index](int formatIndex) {
        if (index >= 0 && formatIndex != index)
            return false;
        index = formatIndex;
        return true;
    };
    // Only the blocks at the two ends can lie partly outside the range:
    // positions, which each cost a search of the document, are read there
    // only, once per block (a block's fragments follow each other).
    const QTextBlock first = document.findBlock(from);
    const QTextBlock last = document.findBlock(to - 1);
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        // A block's character format is that of the separator before it,
        // which lies in the range for every block after the first (the
        // separator after the last block is looked at below).
        if (block != first && !same(block.charFormatIndex()))
            return std::nullopt;
        const bool edge = block == first || block == last;
        int position = edge ? block.position() : 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = position;
            position += fragment.length();
            if (edge && (position <= from || start >= to))
                continue;
            if (!same(fragment.charFormatIndex()))
                return std::nullopt;
        }
        if (block == last) {
            // The last block's separator, when the range holds it, is the
            // next block's character format.
            const QTextBlock next = block.next();
            if (next.isValid() && block.position() + block.length() - 1 < to && !same(next.charFormatIndex()))
                return std::nullopt;
            break;
        }
    }
    if (index < 0)
        return std::nullopt;
    return document.allFormats().at(index).toCharFormat();
}

std::optional<QTextCharFormat> mergeIntoSelection(QTextCursor &cursor, const QTextCharFormat &format)
{
    if (!cursor.hasSelection())
        return std::nullopt;
    std::optional<QTextCharFormat> uniform =
        uniformCharFormat(*cursor.document(), cursor.selectionStart(), cursor.selectionEnd());
    if (!uniform) {
        cursor.mergeCharFormat(format);
        return std::nullopt;
    }
    // Setting keeps the object index of each character, as a merge does.
    uniform->merge(format);
    cursor.setCharFormat(*uniform);
    return uniform;
}

} // namespace quorbel
