#include "codebox/pasteruns.h"

#include "codebox/codekeywords.h"
#include "codebox/linecolours.h"

#include <QVarLengthArray>

#include <algorithm>

namespace quorbel {

namespace {

// The characters that end a line when a text is put into a box: the line
// breaks of every convention, and the frame marks, which the document keeps
// as block separators too.
bool endsLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
           c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

class RunBuilder {
public:
    void add(QStringView text, qint32 colour)
    {
        if (text.isEmpty())
            return;
        if (!m_runs.empty() && m_runs.back().colour == colour)
            m_runs.back().text += text;
        else
            m_runs.push_back({text.toString(), colour});
    }
    // A line break shows no colour: it joins the run before it.
    void addLineBreak()
    {
        if (m_runs.empty())
            m_runs.push_back({QString(), RtfRun::autoColour});
        m_runs.back().text += QStringLiteral("\r\n");
    }
    std::vector<RtfRun> take() { return std::move(m_runs); }

private:
    std::vector<RtfRun> m_runs;
};

qint32 colourOf(CodeColour colour, const RunColours &colours)
{
    switch (colour) {
    case CodeColour::Comment:
        return colours.comment;
    case CodeColour::KeyWord:
        return colours.keyWord;
    case CodeColour::IdWord:
        break;
    }
    return colours.idWord;
}

} // namespace

PasteRuns pasteRuns(const QString &text, const RunColours &colours)
{
    RunBuilder runs;
    QList<ColouredRange> ranges;
    QVarLengthArray<qint32, 256> colourAt;
    qint32 lines = 0;
    qsizetype from = 0;
    while (true) {
        qsizetype end = from;
        while (end < text.size() && !endsLine(text[end]))
            ++end;
        ++lines;
        QString line = text.sliced(from, end - from);
        colourAt.resize(line.size());
        std::fill(colourAt.begin(), colourAt.end(), colours.text);
        colouredRanges(line, false, ranges);
        for (const ColouredRange &range : ranges) {
            if (range.colour == CodeColour::KeyWord) {
                const QString form = keyWordRecased(QStringView(line).sliced(range.position, range.length));
                if (!form.isEmpty())
                    line.replace(range.position, range.length, form);
            }
            std::fill_n(colourAt.begin() + range.position, range.length, colourOf(range.colour, colours));
        }
        for (qsizetype i = 0; i < line.size();) {
            qsizetype next = i + 1;
            while (next < line.size() && colourAt[next] == colourAt[i])
                ++next;
            runs.add(QStringView(line).sliced(i, next - i), colourAt[i]);
            i = next;
        }
        if (end == text.size())
            break;
        runs.addLineBreak();
        // CR LF is one line break.
        from = (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? end + 2 : end + 1;
    }
    return {runs.take(), lines};
}

} // namespace quorbel
