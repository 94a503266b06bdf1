#include "codebox/codecolouring.h"

#include "codebox/codeboxshared.h"
#include "codebox/codekeywords.h"
#include "codebox/linescan.h"
#include "codebox/richtextbox.h"
#include "probar/probar.h"

#include <QScopeGuard>

#include <optional>

namespace quorbel {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

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
    bool barShown = false;
    const auto restore = qScopeGuard([&] {
        if (barShown)
            m_progress.hide();
        if (selStart)
            rtb.setSelStart(*selStart);
        rtb.unlockWindowUpdate();
        rtb.setMousePointer(RichTextBox::pointerDefault);
    });

    unColorAll(rtb);
    selStart = rtb.selStart();
    const qint32 count = lineInfo(rtb, LineInfoKind::LineCount);
    qint32 last = count;
    if (lineText(rtb, last).size() > 3)
        rtb.appendTextQ(kLineBreak);

    m_progress.show();
    m_progress.raise();
    barShown = true;
    m_progress.setMax(count);
    for (qint32 i = 1; i <= count; ++i) {
        qint32 line = i;
        colorLine(rtb, line, false);
        m_progress.setValue(i);
    }
}

} // namespace quorbel
