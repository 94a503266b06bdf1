#include "codebox/crlfpositions.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace quorbel {
namespace {

// The line (0-based) of each position of text with CR LF line breaks, worked
// out by walking the text: a line's CR and LF belong to it.
std::vector<int> linesOfPositions(const QString &crlfText)
{
    std::vector<int> lines;
    int line = 0;
    for (qsizetype i = 0; i < crlfText.size(); ++i) {
        lines.push_back(line);
        if (crlfText.at(i) == u'\n')
            ++line;
    }
    lines.push_back(line); // the end
    return lines;
}

TEST(CrlfPositions, EmptyDocumentHasOnePositionEverywhere)
{
    QTextDocument doc;
    const CrlfPositions positions(doc);
    EXPECT_EQ(positions.length(), 0);
    for (int pos : {-3, 0, 1, 99}) {
        EXPECT_EQ(positions.toCrlf(pos), 0) << pos;
        EXPECT_EQ(positions.toDoc(pos), 0) << pos;
        EXPECT_EQ(positions.blockAt(pos).blockNumber(), 0) << pos;
    }
}

TEST(CrlfPositions, PositionsAtAndAroundLineBreaks)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("ab\ncd\n")); // as text: a b CR LF c d CR LF
    const CrlfPositions positions(doc);
    EXPECT_EQ(positions.length(), 8);

    // Document position -> two-character line breaks; outside is clamped.
    const std::vector<std::pair<int, int>> toCrlf{{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 4},
                                                  {4, 5},  {5, 6}, {6, 8}, {7, 8}};
    for (const auto &[doc, crlf] : toCrlf)
        EXPECT_EQ(positions.toCrlf(doc), crlf) << "document position " << doc;

    // Back: between CR and LF is the start of the next line; past the end
    // is the end.
    const std::vector<std::pair<int, int>> toDoc{{-5, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 3},
                                                 {5, 4},  {6, 5}, {7, 6}, {8, 6}, {50, 6}};
    for (const auto &[crlf, doc] : toDoc)
        EXPECT_EQ(positions.toDoc(crlf), doc) << "position " << crlf;

    // A line's CR and LF belong to it; the empty last line holds the end.
    const std::vector<std::pair<int, int>> lines{{0, 0}, {2, 0}, {3, 0}, {4, 1}, {7, 1}, {8, 2}, {9, 2}};
    for (const auto &[crlf, line] : lines)
        EXPECT_EQ(positions.blockAt(crlf).blockNumber(), line) << "position " << crlf;
    EXPECT_EQ(CrlfPositions::lineStart(doc.findBlockByNumber(2)), 8);
}

TEST(CrlfPositions, EmptyLinesAndUtf16Units)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("\n\n"));
    const CrlfPositions positions(doc);
    EXPECT_EQ(positions.length(), 4);
    EXPECT_EQ(positions.toCrlf(1), 2);
    EXPECT_EQ(positions.toCrlf(2), 4);
    EXPECT_EQ(positions.toDoc(1), 1);
    EXPECT_EQ(positions.toDoc(3), 2);
    EXPECT_EQ(positions.blockAt(1).blockNumber(), 0);
    EXPECT_EQ(positions.blockAt(2).blockNumber(), 1);

    // A character outside the basic plane takes two positions.
    doc.setPlainText(QStringLiteral("\u00e9\U0001F600\nx"));
    EXPECT_EQ(positions.toCrlf(4), 5);
    EXPECT_EQ(positions.toDoc(5), 4);
    EXPECT_EQ(positions.length(), 6);
}

TEST(CrlfPositions, LookupsInAnyOrderAgreeWithTheText)
{
    // Lines of many lengths, empty ones among them.
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QString(i % 7 == 0 ? 0 : (i * 5) % 11 + 1, QChar(u'a' + i % 26)) + u'\n';
    text += QStringLiteral("last");
    QTextDocument doc;
    doc.setPlainText(text);
    const CrlfPositions positions(doc);
    QString crlfText = text;
    crlfText.replace(u'\n', QStringLiteral("\r\n"));
    const std::vector<int> expected = linesOfPositions(crlfText);
    ASSERT_EQ(positions.length(), crlfText.size());

    std::vector<int> order(expected.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    const auto check = [&](const char *pass) {
        for (int pos : order) {
            const QTextBlock block = positions.blockAt(pos);
            ASSERT_EQ(block.blockNumber(), expected[std::size_t(pos)]) << pass << " at " << pos;
            // Every position but an LF maps to a document position and back.
            if (pos == 0 || crlfText.at(pos - 1) != u'\r') {
                ASSERT_EQ(positions.toCrlf(positions.toDoc(pos)), pos) << pass << " at " << pos;
            }
        }
    };
    check("forwards");
    std::reverse(order.begin(), order.end());
    check("backwards");
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    check("shuffled");

    // The document shrinks under a lookup made near its end.
    EXPECT_EQ(positions.blockAt(positions.length()).blockNumber(), 60);
    doc.setPlainText(QStringLiteral("x\ny"));
    EXPECT_EQ(positions.blockAt(3).blockNumber(), 1);
    EXPECT_EQ(positions.blockAt(2).blockNumber(), 0);
    EXPECT_EQ(positions.toDoc(3), 2);
    EXPECT_EQ(positions.length(), 4);
}

} // namespace
} // namespace quorbel
