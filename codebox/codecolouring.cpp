#include "codebox/codecolouring.h"

#include "codebox/codeboxshared.h"
#include "codebox/codekeywords.h"
#include "codebox/linecolours.h"
#include "codebox/linescan.h"
#include "codebox/pasteruns.h"
#include "codebox/richtextbox.h"
#include "codebox/uniformformat.h"
#include "controlhost/colourvalue.h"
#include "probar/probar.h"

#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>

namespace quorbel {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// A format that sets the colour (a colour value) and nothing else.
QTextCharFormat formatOf(qint32 colour)
{
    QTextCharFormat format;
    format.setForeground(colourFromValue(colour));
    return format;
}

// The progress bar of a whole-text colouring of count lines: shown, with Max
// the line count, while the lines are coloured, and hidden again when the
// colouring ends, also when an error interrupts it.
class ColouringProgress {
public:
    ColouringProgress(zentrim::ProBar &bar, qint32 count) : m_bar(bar), m_count(count)
    {
        m_bar.show();
        m_bar.raise();
        try {
            m_bar.setMax(count);
        } catch (...) {
            // The host told of the change and failed: no destructor hides
            // the bar of an object not made.
            m_bar.hide();
            throw;
        }
        // The bar takes a value about twice per pixel of its width, not once
        // per line: a long text's bar moves as far per step, the first and
        // the last line still set it.
        m_step = std::max(1, count / std::max(1, 2 * m_bar.width()));
    }
    ~ColouringProgress() { m_bar.hide(); }
    ColouringProgress(const ColouringProgress &) = delete;
    ColouringProgress &operator=(const ColouringProgress &) = delete;

    // Line line (1-based) is coloured.
    void lineDone(qint32 line)
    {
        if (line == 1 || line == m_count || line % m_step == 0)
            m_bar.setValue(line);
    }

private:
    zentrim::ProBar &m_bar;
    qint32 m_count;
    qint32 m_step = 1;
};

// Keeps the caret and suspends drawing for one interactive line colouring;
// the caret comes back before drawing resumes, whatever ends the colouring.
class InteractiveScope {
public:
    explicit InteractiveScope(RichTextBox &rtb) : m_rtb(rtb), m_selStart(rtb.selStart()), m_lock(rtb) {}
    ~InteractiveScope() { m_rtb.setSelStart(m_selStart); }
    InteractiveScope(const InteractiveScope &) = delete;
    InteractiveScope &operator=(const InteractiveScope &) = delete;

private:
    RichTextBox &m_rtb;
    int m_selStart;
    RichTextBox::WindowUpdateLock m_lock;
};

// Colours in one pass the lines of a whole-text colouring, as colorLine
// colours each of them (non-interactive), but reading every line from one
// copy of the text and colouring through one document cursor instead of
// selections of the box: no position is converted. Only a keyword that must
// be re-cased goes through the box's selection, so that the box takes note
// of the change of text.
class WholeTextColouring {
public:
    // common is the one format of every character of the text, if it has
    // one.
    WholeTextColouring(RichTextBox &rtb, const CodeBoxShared &shared, const std::optional<QTextCharFormat> &common)
        : m_rtb(rtb), m_cursor(rtb.document()), m_comment(formatOf(shared.Color_Comment)),
          m_keyword(formatOf(shared.Color_KeyWords)), m_identifier(formatOf(shared.Color_IDWords))
    {
        // When every character has one format, each coloured range is that
        // format with its colour changed: setting whole formats gives what
        // merging the colour in gives, without a merge per range.
        if (common) {
            m_whole = true;
            m_comment = withColour(*common, m_comment);
            m_keyword = withColour(*common, m_keyword);
            m_identifier = withColour(*common, m_identifier);
        }
    }

    // Colours line, the text of the line that starts at document position
    // docStart and at crlfStart (line breaks counting two); lastLine: no line
    // break follows it.
    void colourLine(QStringView line, int docStart, qint32 crlfStart, bool lastLine)
    {
        colouredRanges(line, lastLine, m_ranges);
        for (const ColouredRange &range : m_ranges) {
            if (range.colour == CodeColour::KeyWord)
                recase(crlfStart + qint32(range.position), line.sliced(range.position, range.length));
            colour(docStart + int(range.position), int(range.length), formatFor(range.colour));
        }
    }

private:
    static QTextCharFormat withColour(QTextCharFormat format, const QTextCharFormat &colour)
    {
        format.merge(colour);
        return format;
    }

    void colour(int docPosition, int length, const QTextCharFormat &format)
    {
        if (length <= 0)
            return;
        m_cursor.setPosition(docPosition);
        m_cursor.setPosition(docPosition + length, QTextCursor::KeepAnchor);
        if (m_whole)
            m_cursor.setCharFormat(format);
        else
            m_cursor.mergeCharFormat(format);
    }

    // Only a change of letter case is written (see colorRange). Text the box
    // writes may take another format: from then on colours are merged in.
    void recase(qint32 crlfStart, QStringView word)
    {
        const QString form = keyWordRecased(word);
        if (form.isEmpty())
            return;
        m_rtb.setSel(crlfStart, crlfStart + qint32(word.size()));
        m_rtb.setSelTextQ(form);
        if (m_whole) {
            m_whole = false;
            m_comment = colourOnly(m_comment);
            m_keyword = colourOnly(m_keyword);
            m_identifier = colourOnly(m_identifier);
        }
    }

    const QTextCharFormat &formatFor(CodeColour colour) const
    {
        switch (colour) {
        case CodeColour::Comment:
            return m_comment;
        case CodeColour::KeyWord:
            return m_keyword;
        case CodeColour::IdWord:
            break;
        }
        return m_identifier;
    }

    static QTextCharFormat colourOnly(const QTextCharFormat &format)
    {
        QTextCharFormat colour;
        colour.setForeground(format.foreground());
        return colour;
    }

    RichTextBox &m_rtb;
    QTextCursor m_cursor;
    bool m_whole = false; // whole formats are set, see the constructor
    QTextCharFormat m_comment;
    QTextCharFormat m_keyword;
    QTextCharFormat m_identifier;
    QList<ColouredRange> m_ranges; // the ranges of the line being coloured
};

} // namespace

qint32 lineInfo(const RichTextBox &rtb, LineInfoKind kind, qint32 line)
{
    switch (kind) {
    case LineInfoKind::LineCount:
        return rtb.lineCount();
    case LineInfoKind::CaretLine:
        return rtb.lineFromChar(-1) + 1;
    case LineInfoKind::LineStart:
        return rtb.lineIndex(line - 1) + 1;
    case LineInfoKind::LineLength:
        return rtb.lineIndex(line) + 1 - rtb.lineIndex(line - 1) - 3;
    }
    return 0;
}

QString lineText(RichTextBox &rtb, qint32 &line)
{
    if (line == 0)
        line = lineInfo(rtb, LineInfoKind::CaretLine);
    const qint32 start = lineInfo(rtb, LineInfoKind::LineStart, line);
    const qint32 next = lineInfo(rtb, LineInfoKind::LineStart, line + 1);
    // A missing line starts at 0, so the selection is removed (-1) and the
    // text is empty; after the last line next is 0 and -1 selects to the end.
    rtb.setSel(start - 1, next - 1);
    return rtb.SelTextQ();
}

CodeColouring::CodeColouring(const CodeBoxShared &shared, zentrim::ProBar &progress)
    : m_shared(shared), m_progress(progress)
{
}

void CodeColouring::colorLine(RichTextBox &rtb, qint32 &lineNumber, bool interactive) const
{
    RichTextBox::ProgrammaticEdit edit(rtb);
    std::optional<InteractiveScope> scope;
    if (interactive)
        scope.emplace(rtb);

    const qint32 start = lineInfo(rtb, LineInfoKind::LineStart, lineNumber);
    const QString line = lineText(rtb, lineNumber);
    const QString masked = maskStrings(line) + u' ';
    const qint32 apostrophe = qint32(masked.indexOf(u'\'')) + 1;

    if (interactive && lineNumber != 1 && lineNumber == lineInfo(rtb, LineInfoKind::LineCount) && masked.size() > 3) {
        // Appended, not a replacement of the whole text, so that the colours
        // of every other line stay.
        rtb.appendTextQ(kLineBreak);
    }
    const qint32 length = lineInfo(rtb, LineInfoKind::LineLength, lineNumber);

    qsizetype scanEnd = 0;
    if (apostrophe > 0) {
        // The last line has no line break to measure against (its length is
        // negative); its comment still runs to the end of the line, which is
        // the end of the text read.
        const qint32 lineLength = (length < 0 && start > 0) ? qint32(line.size()) : length;
        colorRange(rtb, start + apostrophe - 2, lineLength - apostrophe + 1, m_shared.Color_Comment, {});
        scanEnd = apostrophe + 1;
    } else {
        scanEnd = length + 1;
    }
    for (const CodeWord &word : scanCodeWords(masked, scanEnd)) {
        const QStringView text = QStringView(masked).sliced(word.position, word.length);
        colorRange(rtb, start - 1 + qint32(word.position), qint32(word.length),
                   word.keyword ? m_shared.Color_KeyWords : m_shared.Color_IDWords,
                   word.keyword ? text : QStringView());
    }
}

void CodeColouring::colorRange(RichTextBox &rtb, qint32 start, qint32 length, qint32 colour, QStringView word) const
{
    if (start < 0 || length <= 0)
        return;
    RichTextBox::ProgrammaticEdit edit(rtb);
    rtb.setSel(start, start + length);
    if (!word.isEmpty()) {
        // Only a change of letter case is written: the same letters in the
        // list's form. Rewriting an unchanged word would cost an edit, and a
        // range that does not hold the word (a word with an "&" inside) must
        // not lose characters.
        const QString form = keyWordListForm(word);
        const QString selected = rtb.SelTextQ();
        if (!form.isEmpty() && selected != form && selected.compare(form, Qt::CaseInsensitive) == 0) {
            rtb.setSelTextQ(form);
            rtb.setSel(start, start + length);
        }
    }
    rtb.setSelColor(colour);
}

void CodeColouring::unColorAll(RichTextBox &rtb) const
{
    RichTextBox::ProgrammaticEdit edit(rtb);
    const int selStart = rtb.selStart();
    rtb.setSel(0, rtb.textLength());
    rtb.setSelColor(m_shared.Color_Text);
    rtb.setSelStart(selStart);
}

void CodeColouring::unColorLine(RichTextBox &rtb, qint32 line) const
{
    RichTextBox::ProgrammaticEdit edit(rtb);
    const int selStart = rtb.selStart();
    const qint32 start = lineInfo(rtb, LineInfoKind::LineStart, line);
    const qint32 length = lineInfo(rtb, LineInfoKind::LineLength, line);
    // The last line has a negative length: it goes plain up to the end of the
    // text. A missing line starts at 0, which selects nothing.
    rtb.setSel(start - 1, length < 0 ? -1 : start + length);
    rtb.setSelColor(m_shared.Color_Text);
    rtb.setSelStart(selStart);
}

void CodeColouring::colorAll(RichTextBox &rtb) const
{
    RichTextBox::ProgrammaticEdit edit(rtb);
    rtb.setMousePointer(RichTextBox::pointerHourglass);
    rtb.lockWindowUpdate();
    std::optional<int> selStart;
    const auto restore = qScopeGuard([&] {
        if (selStart)
            rtb.setSelStart(*selStart);
        rtb.unlockWindowUpdate();
        rtb.setMousePointer(RichTextBox::pointerDefault);
    });

    // Everything plain first, as unColorAll does (the selection is given
    // back at the end), through a cursor of the document's own: a text of one
    // format then keeps the one format it is given.
    selStart = rtb.selStart();
    std::optional<QTextCharFormat> common;
    {
        QTextCursor all(rtb.document());
        all.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        common = mergeIntoSelection(all, formatOf(m_shared.Color_Text));
    }
    const qint32 count = lineInfo(rtb, LineInfoKind::LineCount);
    qint32 last = count;
    if (lineText(rtb, last).size() > 3)
        rtb.appendTextQ(kLineBreak);

    ColouringProgress progress(m_progress, count);
    if (!common) {
        // Text of several formats may differ only in colour, and now have one.
        common = uniformCharFormat(*rtb.document(), 0, rtb.document()->characterCount() - 1);
    }
    WholeTextColouring colouring(rtb, m_shared, common);
    // The lines are read from one copy of the text, not block by block: a
    // block's text and position each cost a search of the document. A
    // re-cased keyword keeps its length, so the positions stay valid.
    const QString text = rtb.document()->toRawText();
    const int blocks = rtb.document()->blockCount();
    qsizetype from = 0;
    for (qint32 i = 1; i <= count; ++i) {
        const bool lastLine = i == blocks;
        // Every line but the last ends at a separator; were one missing, the
        // line would run to the end of the text rather than out of it.
        const qsizetype separator = lastLine ? -1 : text.indexOf(QChar::ParagraphSeparator, from);
        const qsizetype end = separator < 0 ? text.size() : separator;
        colouring.colourLine(QStringView(text).sliced(from, end - from), int(from), qint32(from) + i - 1, lastLine);
        from = end + 1;
        progress.lineDone(i);
    }
}

std::vector<RtfRun> CodeColouring::colourPaste(const QString &text) const
{
    // A run carries a colour as the box reads it back from a character.
    const auto runColour = [](qint32 colour) { return valueOfColour(colourFromValue(colour)); };
    PasteRuns paste = pasteRuns(text, {runColour(m_shared.Color_Text), runColour(m_shared.Color_Comment),
                                       runColour(m_shared.Color_KeyWords), runColour(m_shared.Color_IDWords)});
    // The box would hold one line more: the empty one after the line break
    // appended.
    const qint32 count = paste.lines + 1;
    ColouringProgress progress(m_progress, count);
    for (qint32 i = 1; i <= count; ++i)
        progress.lineDone(i);
    return std::move(paste.runs);
}

} // namespace quorbel
