// The one-step colour change of a selection of one format, on a bare
// document: it must leave exactly what QTextCursor::mergeCharFormat leaves.
#include "codebox/uniformformat.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <vector>

namespace quorbel {
namespace {

// Every character's format, line separators included (a separator's format
// is the next block's character format).
std::vector<QTextFormat> formatsOf(const QTextDocument &document)
{
    std::vector<QTextFormat> formats;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        if (block != document.firstBlock())
            formats.push_back(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            formats.insert(formats.end(), std::size_t(it.fragment().length()), it.fragment().charFormat());
    }
    return formats;
}

QTextCharFormat colour(Qt::GlobalColor value)
{
    QTextCharFormat format;
    format.setForeground(QColor(value));
    return format;
}

QTextCharFormat bold()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

void apply(QTextDocument &document, int from, int to, const QTextCharFormat &format)
{
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
}

TEST(UniformFormat, OneStepLeavesWhatAMergeLeaves)
{
    // Documents of one format; one with a bold word; one whose only other
    // format is on a line separator; one whose other format lies just
    // outside the selections at either end.
    const std::vector<std::function<void(QTextDocument &)>> makers = {
        [](QTextDocument &) {},
        [](QTextDocument &d) {
            apply(d, 4, 7, [] {
                QTextCharFormat f;
                f.setFontWeight(QFont::Bold);
                return f;
            }());
        },
        [](QTextDocument &d) { apply(d, 7, 8, bold()); },
        [](QTextDocument &d) {
            apply(d, 0, 2, colour(Qt::red));
            apply(d, 12, 14, colour(Qt::red));
        },
    };
    const std::vector<std::pair<int, int>> selections = {{0, 16}, {2, 12}, {3, 8}, {7, 8}, {9, 11}, {5, 5}, {8, 9}};
    for (std::size_t m = 0; m < makers.size(); ++m) {
        for (const auto &[from, to] : selections) {
            QTextDocument merged;
            QTextDocument stepped;
            for (QTextDocument *document : {&merged, &stepped}) {
                document->setPlainText(QStringLiteral("Dim abc\nxy\nend\nz"));
                makers[m](*document);
            }
            apply(merged, from, to, colour(Qt::blue));
            const std::optional<QTextCharFormat> before = uniformCharFormat(stepped, from, to);
            QTextCursor cursor(&stepped);
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            const std::optional<QTextCharFormat> set = mergeIntoSelection(cursor, colour(Qt::blue));
            EXPECT_EQ(formatsOf(stepped), formatsOf(merged)) << "document " << m << " from " << from << " to " << to;
            // The one step is taken exactly when the selection held one
            // format, and tells the format it set.
            EXPECT_EQ(set.has_value(), before.has_value()) << "document " << m << " from " << from << " to " << to;
            if (set) {
                EXPECT_EQ(uniformCharFormat(stepped, from, to), set);
            }
        }
    }

    // The range ends are exact: a different format just outside does not
    // count, one on the first or last character does.
    QTextDocument document;
    document.setPlainText(QStringLiteral("ab\ncd\nef"));
    apply(document, 2, 3, colour(Qt::red)); // the first separator
    EXPECT_TRUE(uniformCharFormat(document, 0, 2));
    EXPECT_TRUE(uniformCharFormat(document, 3, 8));
    EXPECT_FALSE(uniformCharFormat(document, 1, 3));
    EXPECT_FALSE(uniformCharFormat(document, 2, 4));
    EXPECT_TRUE(uniformCharFormat(document, 2, 3));
    EXPECT_FALSE(uniformCharFormat(document, 0, 8));
    EXPECT_FALSE(uniformCharFormat(document, 4, 4));
}

} // namespace
} // namespace quorbel
