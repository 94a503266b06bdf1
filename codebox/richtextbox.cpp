#include "codebox/richtextbox.h"

#include "codebox/keycodes.h"
#include "codebox/rtf.h"
#include "codebox/uniformformat.h"
#include "controlhost/colourvalue.h"
#include "controlhost/twips.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <atomic>
#include <vector>

namespace quorbel {

namespace {

constexpr auto rtfMimeTypes = {"text/rtf", "application/rtf", "text/richtext"};

// One form for every line break a text can bring: LF, which QTextCursor
// turns into a new line. A lone CR (old Mac files) and the Unicode line and
// paragraph separators are line breaks too, so that no line break ever sits
// inside a line and the line numbering stays that of the text.
QString withNewLines(const QString &text)
{
    const auto isBreak = [](QChar c) {
        return c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    };
    if (std::none_of(text.begin(), text.end(), isBreak))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        out.append(isBreak(c) ? QChar(u'\n') : c);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return out;
}

QString withCrlf(QString text)
{
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

QString crlfOnly(const QString &text)
{
    return withNewLines(text).replace(u'\n', QStringLiteral("\r\n"));
}

bool looksLikeRtf(const QString &text)
{
    return text.trimmed().startsWith(QStringLiteral("{\\rtf"));
}

qint32 runColourOf(const QTextCharFormat &format)
{
    const QBrush brush = format.foreground();
    return brush.style() == Qt::NoBrush ? RtfRun::autoColour : valueOfColour(brush.color());
}

QTextCharFormat formatOfRun(qint32 colour)
{
    QTextCharFormat format;
    if (colour != RtfRun::autoColour)
        format.setForeground(colourFromValue(colour));
    return format;
}

short shiftState(Qt::KeyboardModifiers modifiers)
{
    return static_cast<short>(((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
                              ((modifiers & Qt::AltModifier) ? 4 : 0));
}

short buttonValue(Qt::MouseButtons buttons)
{
    return static_cast<short>(((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0) |
                              ((buttons & Qt::MiddleButton) ? 4 : 0));
}

Qt::CursorShape pointerShape(int pointer)
{
    switch (pointer) {
    case 1:
        return Qt::ArrowCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case RichTextBox::pointerHourglass:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    case 15:
        return Qt::SizeAllCursor;
    default:
        return Qt::IBeamCursor;
    }
}

// Each box's handle: a number no other box of the process has.
qint32 nextHandle()
{
    static std::atomic<qint32> last{0};
    return ++last;
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QPlainTextEdit(parent), m_positions(*document()), m_undo(*document()), m_handle(nextHandle())
{
    setLineWrapMode(NoWrap);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setOLEDropMode(m_oleDropMode);
    setBackColor(m_backColor);
    connect(document(), &QTextDocument::contentsChange, this, &RichTextBox::onContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RichTextBox::onSelectionMoved);
    connect(this, &QPlainTextEdit::selectionChanged, this, &RichTextBox::onSelectionMoved);
}

RichTextBox::~RichTextBox() = default;

// ------------------------------------------------------------ positions

int RichTextBox::textLength() const
{
    return m_positions.length();
}

QTextCursor RichTextBox::currentCursor() const
{
    return m_lockDepth > 0 ? m_lockCursor : textCursor();
}

void RichTextBox::applyCursor(const QTextCursor &cursor)
{
    if (m_lockDepth > 0)
        m_lockCursor = cursor;
    else
        setTextCursor(cursor);
}

// ------------------------------------------------------------ TextControl

std::string RichTextBox::text() const
{
    return TextQ().toStdString();
}

void RichTextBox::setText(std::string_view text)
{
    setTextQ(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string RichTextBox::selText() const
{
    return SelTextQ().toStdString();
}

void RichTextBox::setSelText(std::string_view text)
{
    setSelTextQ(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int RichTextBox::selStart() const
{
    return m_positions.toCrlf(currentCursor().selectionStart());
}

void RichTextBox::setSelStart(int position)
{
    QTextCursor cursor = currentCursor();
    cursor.setPosition(m_positions.toDoc(std::clamp(position, 0, textLength())));
    applyCursor(cursor);
}

int RichTextBox::selLength() const
{
    const QTextCursor cursor = currentCursor();
    return m_positions.toCrlf(cursor.selectionEnd()) - m_positions.toCrlf(cursor.selectionStart());
}

void RichTextBox::setSelLength(int length)
{
    QTextCursor cursor = currentCursor();
    const int start = m_positions.toCrlf(cursor.selectionStart());
    cursor.setPosition(cursor.selectionStart());
    cursor.setPosition(m_positions.toDoc(std::clamp(start + std::max(length, 0), 0, textLength())),
                       QTextCursor::KeepAnchor);
    applyCursor(cursor);
}

int RichTextBox::lineCount() const
{
    return document()->blockCount();
}

int RichTextBox::lineIndex(int line) const
{
    const QTextDocument *doc = document();
    QTextBlock block;
    if (line == -1)
        block = doc->findBlock(currentCursor().position());
    else if (line >= 0 && line < doc->blockCount())
        block = doc->findBlockByNumber(line);
    if (!block.isValid())
        return -1;
    return CrlfPositions::lineStart(block);
}

int RichTextBox::lineFromChar(int index) const
{
    if (index == -1)
        return document()->findBlock(currentCursor().selectionStart()).blockNumber();
    return m_positions.blockAt(std::max(index, 0)).blockNumber();
}

void RichTextBox::setSel(int start, int end)
{
    QTextCursor cursor = currentCursor();
    if (start < 0) {
        cursor.clearSelection();
        applyCursor(cursor);
        return;
    }
    const int length = textLength();
    const int last = end < 0 ? length : std::min(end, length);
    cursor.setPosition(m_positions.toDoc(std::min(start, length)));
    cursor.setPosition(m_positions.toDoc(last), QTextCursor::KeepAnchor);
    applyCursor(cursor);
}

// ------------------------------------------------------------ QString forms

QString RichTextBox::TextQ() const
{
    return withCrlf(document()->toRawText());
}

void RichTextBox::setTextQ(const QString &text)
{
    // QPlainTextEdit::setPlainText would give the whole text the caret's format;
    // the document's own replaces it with plain, uncoloured text.
    document()->setPlainText(withNewLines(text));
    m_undo.forget();
    applyCursor(QTextCursor(document()));
}

QString RichTextBox::SelTextQ() const
{
    return withCrlf(currentCursor().selectedText());
}

void RichTextBox::setSelTextQ(const QString &text)
{
    QTextCursor cursor = currentCursor();
    QTextCharFormat format = cursor.charFormat();
    if (cursor.hasSelection()) {
        // The replacement takes the format of what it replaces (the first
        // character), as re-casing a coloured word must keep its colour.
        QTextCursor first(document());
        first.setPosition(cursor.selectionStart() + 1);
        format = first.charFormat();
    }
    cursor.insertText(withNewLines(text), format);
    if (m_undo.inProgrammaticEdit())
        m_textChangedInEdit = true;
    applyCursor(cursor);
}

void RichTextBox::appendTextQ(const QString &text)
{
    QTextCursor selection = currentCursor();
    const int anchor = selection.anchor();
    const int position = selection.position();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(withNewLines(text), end.charFormat());
    if (m_undo.inProgrammaticEdit())
        m_textChangedInEdit = true;
    // A caret at the end would otherwise move after the appended text.
    selection.setPosition(anchor);
    selection.setPosition(position, QTextCursor::KeepAnchor);
    applyCursor(selection);
}

// ------------------------------------------------------------ colour

qint32 RichTextBox::SelColor() const
{
    const QTextCursor cursor = currentCursor();
    QTextCharFormat format = cursor.charFormat();
    if (cursor.hasSelection()) {
        QTextCursor first(document());
        first.setPosition(cursor.selectionStart() + 1);
        format = first.charFormat();
    }
    const QBrush brush = format.foreground();
    return valueOfColour(brush.style() == Qt::NoBrush ? palette().color(QPalette::Text) : brush.color());
}

void RichTextBox::setSelColor(qint32 colour)
{
    QTextCharFormat format;
    format.setForeground(colourFromValue(colour));
    const bool wasQuiet = std::exchange(m_quietChange, true);
    QTextCursor widgetCursor;
    QTextCursor &cursor = m_lockDepth > 0 ? m_lockCursor : (widgetCursor = textCursor());
    // A word or a line merges its few fragments faster than it is searched
    // for one format; a whole text (unColorAll) is set in one step when it
    // holds one format.
    constexpr int kLongSelection = 1000;
    if (cursor.selectionEnd() - cursor.selectionStart() > kLongSelection)
        mergeIntoSelection(cursor, format);
    else if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    m_quietChange = wasQuiet;
}

// ------------------------------------------------------------ rich text

std::vector<RtfRun> RichTextBox::runsOf(int from, int to) const
{
    std::vector<RtfRun> runs;
    const auto add = [&runs](const QString &text, qint32 colour) {
        if (text.isEmpty())
            return;
        if (!runs.empty() && runs.back().colour == colour)
            runs.back().text += text;
        else
            runs.push_back({text, colour});
    };
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start < end)
                add(fragment.text().mid(start - fragment.position(), end - start), runColourOf(fragment.charFormat()));
        }
        if (block.position() + block.length() - 1 < to) {
            // A line break shows no colour: it joins the run before it.
            if (runs.empty())
                runs.push_back({QString(), RtfRun::autoColour});
            runs.back().text += QStringLiteral("\r\n");
        }
    }
    return runs;
}

QString RichTextBox::richTextOf(int from, int to) const
{
    const qreal points = font().pointSizeF();
    return writeRtf(runsOf(from, to), font().family(), points > 0 ? qRound(points * 2) : 20);
}

QString RichTextBox::SelRTF() const
{
    const QTextCursor cursor = currentCursor();
    return richTextOf(cursor.selectionStart(), cursor.selectionEnd());
}

std::vector<RtfRun> RichTextBox::SelRuns() const
{
    const QTextCursor cursor = currentCursor();
    return runsOf(cursor.selectionStart(), cursor.selectionEnd());
}

QString RichTextBox::TextRTF() const
{
    return richTextOf(0, document()->characterCount() - 1);
}

void RichTextBox::insertRuns(QTextCursor &cursor, const QString &rtf)
{
    if (looksLikeRtf(rtf)) {
        insertRuns(cursor, readRtf(rtf));
        return;
    }
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertText(withNewLines(rtf), cursor.charFormat());
    cursor.endEditBlock();
    if (m_undo.inProgrammaticEdit())
        m_textChangedInEdit = true;
}

void RichTextBox::insertRuns(QTextCursor &cursor, const std::vector<RtfRun> &runs)
{
    // The text goes in at once in the colour that has the most characters,
    // and every run of another colour is then given its own: a colour change
    // costs far less than an insertion, and the characters end with the
    // formats an insertion run by run gives them (a line break, too, takes
    // the colour of its run).
    std::vector<QString> texts;
    texts.reserve(runs.size());
    QString text;
    std::vector<std::pair<qint32, qsizetype>> sizes; // characters of each colour
    for (const RtfRun &run : runs) {
        texts.push_back(withNewLines(run.text));
        text += texts.back();
        const auto colour =
            std::find_if(sizes.begin(), sizes.end(), [&run](const auto &s) { return s.first == run.colour; });
        if (colour == sizes.end())
            sizes.emplace_back(run.colour, texts.back().size());
        else
            colour->second += texts.back().size();
    }
    const auto most =
        std::max_element(sizes.begin(), sizes.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    const qint32 bulk = most == sizes.end() ? RtfRun::autoColour : most->first;

    cursor.beginEditBlock();
    cursor.removeSelectedText();
    int position = cursor.position();
    cursor.insertText(text, formatOfRun(bulk));
    QTextCursor range(document());
    QTextCharFormat format;
    qint32 formatColour = bulk;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int length = int(texts[i].size());
        if (runs[i].colour != bulk && length > 0) {
            if (runs[i].colour != formatColour) {
                formatColour = runs[i].colour;
                format = formatOfRun(formatColour);
            }
            range.setPosition(position);
            range.setPosition(position + length, QTextCursor::KeepAnchor);
            range.setCharFormat(format);
        }
        position += length;
    }
    cursor.endEditBlock();
    if (m_undo.inProgrammaticEdit())
        m_textChangedInEdit = true;
}

void RichTextBox::setSelRuns(const std::vector<RtfRun> &runs)
{
    QTextCursor cursor = currentCursor();
    insertRuns(cursor, runs);
    applyCursor(cursor);
}

void RichTextBox::setSelRTF(const QString &rtf)
{
    QTextCursor cursor = currentCursor();
    insertRuns(cursor, rtf);
    applyCursor(cursor);
}

void RichTextBox::setTextRTF(const QString &rtf)
{
    document()->setPlainText(QString());
    QTextCursor cursor(document());
    insertRuns(cursor, rtf);
    m_undo.forget();
    applyCursor(QTextCursor(document()));
}

// ------------------------------------------------------------ pointer, drawing

int RichTextBox::MousePointer() const
{
    return m_mousePointer;
}

void RichTextBox::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    viewport()->setCursor(pointerShape(pointer));
}

void RichTextBox::lockWindowUpdate()
{
    if (m_lockDepth++ == 0) {
        m_lockCursor = textCursor();
        viewport()->setUpdatesEnabled(false);
    }
}

void RichTextBox::unlockWindowUpdate()
{
    if (m_lockDepth == 0 || --m_lockDepth > 0)
        return;
    const QTextCursor cursor = std::exchange(m_lockCursor, QTextCursor());
    viewport()->setUpdatesEnabled(true);
    setTextCursor(cursor);
    viewport()->update();
}

// ------------------------------------------------------------ undo

void RichTextBox::beginProgrammaticEdit()
{
    if (!m_undo.inProgrammaticEdit())
        m_textChangedInEdit = false;
    m_undo.beginProgrammaticEdit();
}

void RichTextBox::endProgrammaticEdit()
{
    // Closing the edit block reports the edit's changes at once: they are
    // announced by the one Change below.
    const bool wasQuiet = std::exchange(m_quietChange, true);
    const bool closed = m_undo.endProgrammaticEdit();
    m_quietChange = wasQuiet;
    if (closed && m_textChangedInEdit)
        emit Change();
}

void RichTextBox::undoUserStep()
{
    QTextCursor cursor = currentCursor();
    if (m_undo.undoUserStep(cursor))
        applyCursor(cursor);
}

void RichTextBox::redoUserStep()
{
    QTextCursor cursor = currentCursor();
    if (m_undo.redoUserStep(cursor))
        applyCursor(cursor);
}

void RichTextBox::onContentsChange(int, int, int)
{
    if (!m_quietChange && !m_undo.inProgrammaticEdit())
        emit Change();
}

void RichTextBox::onSelectionMoved()
{
    const QTextCursor cursor = textCursor();
    if (cursor.anchor() == m_lastAnchor && cursor.position() == m_lastPosition)
        return;
    m_lastAnchor = cursor.anchor();
    m_lastPosition = cursor.position();
    emit SelChange();
}

// ------------------------------------------------------------ paste

void RichTextBox::setPasteHandler(PasteHandler handler)
{
    m_pasteHandler = std::move(handler);
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const
{
    if (source == nullptr)
        return false;
    if (source->hasText())
        return true;
    return std::any_of(rtfMimeTypes.begin(), rtfMimeTypes.end(),
                       [source](const char *type) { return source->hasFormat(QString::fromLatin1(type)); });
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (source == nullptr)
        return;
    QString text;
    if (source->hasText()) {
        text = source->text();
    } else {
        for (const char *type : rtfMimeTypes) {
            if (source->hasFormat(QString::fromLatin1(type))) {
                text = rtfPlainText(readRtf(source->data(QString::fromLatin1(type))));
                break;
            }
        }
    }
    if (text.isEmpty())
        return;
    text = crlfOnly(text);
    if (m_pasteHandler)
        m_pasteHandler(text);
    else
        setSelTextQ(text);
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    QMimeData *data = QPlainTextEdit::createMimeDataFromSelection();
    data->setData(QStringLiteral("text/rtf"), SelRTF().toLatin1());
    return data;
}

// ------------------------------------------------------------ properties

void RichTextBox::setBackColor(qint32 colour)
{
    m_backColor = colour;
    QPalette colours = palette();
    // A system colour is the platform's, not what an earlier value left in
    // the box's own palette.
    colours.setColor(QPalette::Base, resolveColour(colour, QApplication::palette(this)));
    setPalette(colours);
}

void RichTextBox::setRightMargin(float twips)
{
    m_rightMargin = twips;
    setLineWrapMode(twips <= 0 ? WidgetWidth : NoWrap);
}

void RichTextBox::setOLEDropMode(int mode)
{
    m_oleDropMode = mode;
    setAcceptDrops(mode != 0);
    viewport()->setAcceptDrops(mode != 0);
}

void RichTextBox::setScrollBars(int bars)
{
    m_scrollBars = bars;
    setHorizontalScrollBarPolicy((bars & 1) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((bars & 2) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// ------------------------------------------------------------ keys

void RichTextBox::keyPressEvent(QKeyEvent *event)
{
    const short shift = shiftState(event->modifiers());
    const short code = static_cast<short>(virtualKeyCode(event->key()));
    if (code != 0) {
        KeyCodeEvent down(code, shift);
        emit KeyDown(&down);
        if (down.keyCode() == 0) {
            event->accept();
            return;
        }
    }
    if (event->matches(QKeySequence::Undo)) {
        undoUserStep();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        redoUserStep();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                             (typed.at(0).unicode() >= 0x20 || typed.at(0) == u'\r' || typed.at(0) == u'\t' ||
                              typed.at(0) == u'\b' || typed.at(0) == u'\x1b');
    if (isCharacter) {
        KeyAsciiEvent press(static_cast<short>(typed.at(0).unicode()));
        emit KeyPress(&press);
        const short keyAscii = press.keyAscii();
        if (keyAscii == 0) {
            event->accept();
            return;
        }
        if (keyAscii != static_cast<short>(typed.at(0).unicode())) {
            const QChar replacement(static_cast<char16_t>(keyAscii));
            const int key = replacement == u'\r' ? int(Qt::Key_Return) : int(Qt::Key_unknown);
            QKeyEvent changed(QEvent::KeyPress, key, Qt::NoModifier, QString(replacement));
            QPlainTextEdit::keyPressEvent(&changed);
            event->setAccepted(changed.isAccepted());
            return;
        }
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (event->modifiers() & Qt::ShiftModifier)) {
        // Shift+Enter would put a line separator inside the line; a line
        // break here is always a new line.
        QKeyEvent plain(QEvent::KeyPress, event->key(), event->modifiers() & ~Qt::ShiftModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RichTextBox::keyReleaseEvent(QKeyEvent *event)
{
    const short keyCode = static_cast<short>(virtualKeyCode(event->key()));
    if (keyCode != 0) {
        KeyCodeEvent up(keyCode, shiftState(event->modifiers()));
        emit KeyUp(&up);
    }
    QPlainTextEdit::keyReleaseEvent(event);
}

// ------------------------------------------------------------ mouse

QPointF RichTextBox::toTwips(const QPointF &pixels) const
{
    return {pixelsToTwips(pixels.x(), logicalDpiX()), pixelsToTwips(pixels.y(), logicalDpiY())};
}

void RichTextBox::mousePressEvent(QMouseEvent *event)
{
    if (m_oleDragMode == 0 && event->button() == Qt::LeftButton) {
        // Manual drag mode: a press inside the selection places the caret
        // there, as anywhere else, instead of starting a drag.
        const int position = cursorForPosition(event->position().toPoint()).position();
        QTextCursor cursor = textCursor();
        if (cursor.hasSelection() && position >= cursor.selectionStart() && position <= cursor.selectionEnd()) {
            cursor.setPosition(position);
            setTextCursor(cursor);
        }
    }
    QPlainTextEdit::mousePressEvent(event);
    const QPointF at = toTwips(event->position());
    emit MouseDown(buttonValue(event->button()), shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    const QPointF at = toTwips(event->position());
    emit MouseMove(buttonValue(event->buttons()), shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    const QPointF at = toTwips(event->position());
    emit MouseUp(buttonValue(event->button()), shiftState(event->modifiers()), float(at.x()), float(at.y()));
    if (event->button() == Qt::LeftButton)
        emit Click();
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit DblClick();
}

// ------------------------------------------------------------ drag and drop

bool RichTextBox::raiseDragOver(QDropEvent *event, short state)
{
    const QPointF at = toTwips(event->position());
    OLEDropEvent over(event->mimeData(), event->proposedAction() == Qt::MoveAction ? 2 : 1,
                      buttonValue(event->buttons()), shiftState(event->modifiers()), float(at.x()), float(at.y()),
                      state);
    emit OLEDragOver(&over);
    if (over.effect() == 0 || m_oleDropMode == 0) {
        event->ignore();
        return false;
    }
    return true;
}

void RichTextBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (!raiseDragOver(event, 0))
        return;
    if (m_oleDropMode == 2)
        QPlainTextEdit::dragEnterEvent(event);
    else
        event->acceptProposedAction();
}

void RichTextBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (!raiseDragOver(event, 2))
        return;
    if (m_oleDropMode == 2)
        QPlainTextEdit::dragMoveEvent(event);
    else
        event->acceptProposedAction();
}

void RichTextBox::dragLeaveEvent(QDragLeaveEvent *event)
{
    OLEDropEvent leave(nullptr, 0, 0, 0, 0.0f, 0.0f, 1);
    emit OLEDragOver(&leave);
    QPlainTextEdit::dragLeaveEvent(event);
}

void RichTextBox::dropEvent(QDropEvent *event)
{
    if (m_oleDropMode == 0) {
        event->ignore();
        return;
    }
    const QPointF at = toTwips(event->position());
    OLEDropEvent drop(event->mimeData(), event->proposedAction() == Qt::MoveAction ? 2 : 1,
                      buttonValue(event->buttons()), shiftState(event->modifiers()), float(at.x()), float(at.y()));
    emit OLEDragDrop(&drop);
    if (drop.effect() == 0) {
        event->ignore();
        return;
    }
    if (m_oleDropMode == 2)
        QPlainTextEdit::dropEvent(event); // inserts through insertFromMimeData
    else
        event->acceptProposedAction();
}

void RichTextBox::OLEDrag()
{
    if (!textCursor().hasSelection())
        return;
    QMimeData *data = createMimeDataFromSelection();
    OLEStartDragEvent start(data, 3);
    emit OLEStartDrag(&start);
    const qint32 allowed = start.allowedEffects();
    OLESetDataEvent setData(data, 1);
    emit OLESetData(&setData);
    if (allowed == 0) {
        delete data;
        OLECompleteDragEvent none(0);
        emit OLECompleteDrag(&none);
        return;
    }
    OLEFeedbackEvent feedback(allowed);
    emit OLEGiveFeedback(&feedback);
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    Qt::DropActions actions;
    if (allowed & 1)
        actions |= Qt::CopyAction;
    if (allowed & 2)
        actions |= Qt::MoveAction;
    const Qt::DropAction done = drag->exec(actions, Qt::CopyAction);
    OLECompleteDragEvent complete(done == Qt::MoveAction ? 2 : done == Qt::CopyAction ? 1 : 0);
    emit OLECompleteDrag(&complete);
}

} // namespace quorbel
