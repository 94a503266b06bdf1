#pragma once

#include "codebox/controlevents.h"
#include "codebox/crlfpositions.h"
#include "codebox/rtf.h"
#include "codebox/undoledger.h"
#include "engine/textcontrol.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include <functional>
#include <vector>

class QMimeData;

namespace quorbel {

// A rich text box for code: a QPlainTextEdit (whose layout works line by
// line, so an edit or a colour change costs the same wherever it is made in
// the text) with a colour per character, that never wraps (with the default
// right margin) and answers the TextControl operations with the numbering
// of a rich edit control: positions are UTF-16 units of the text in which
// every line break is CR LF and counts as two characters, whatever the
// document stores. A position that falls between the CR and the LF of a line
// break is taken as the start of the next line.
//
// Positions are converted by CrlfPositions: no call copies the whole text,
// except text(), TextQ(), TextRTF() and setText().
//
// Undo: user edits (typing, paste, drop, cut) are undo steps of their own;
// edits made inside a ProgrammaticEdit scope (colouring, re-casing, appended
// line breaks) go with the user step before them (see UndoLedger).
//
// Events: the signals below carry the arguments of the box's events; the
// arguments a handler may change come in an event object (controlevents.h).
class RichTextBox : public QPlainTextEdit, public TextControl {
    Q_OBJECT
public:
    // Mouse pointer values.
    static constexpr int pointerDefault = 0;
    static constexpr int pointerHourglass = 11;
    // The right margin, in twips, at which nothing wraps.
    static constexpr float noWrapMargin = 99999.0f;

    explicit RichTextBox(QWidget *parent = nullptr);
    ~RichTextBox() override;

    // --- TextControl (UTF-8 at this edge; see the class comment) ---------
    std::string text() const override;
    // Replaces the whole text with plain text in the default colour; line
    // breaks (CR LF, LF, CR) become lines. Clears the undo history.
    void setText(std::string_view text) override;
    std::string selText() const override;
    void setSelText(std::string_view text) override;
    int selStart() const override;
    void setSelStart(int position) override;
    int selLength() const override;
    void setSelLength(int length) override;
    int lineCount() const override;
    int lineIndex(int line) const override;
    int lineFromChar(int index) const override;
    // start -1 removes the selection and keeps the caret; end -1 is the end
    // of the text; positions past the end are the end. The caret goes to end.
    void setSel(int start, int end) override;

    // --- QString forms of the same (CR LF line breaks) -------------------
    QString TextQ() const;
    void setTextQ(const QString &text);
    QString SelTextQ() const;
    // Replaces the selection; line breaks in text (CR LF, LF, CR, U+2028,
    // U+2029) become CR LF lines. The inserted text takes the colour of the
    // character before it. The caret goes after it.
    void setSelTextQ(const QString &text);
    // Appends text at the end without moving the caret or the selection and
    // without touching the colour of what is already there.
    void appendTextQ(const QString &text);
    // Length of the text in positions (line breaks count two).
    int textLength() const;

    // --- Selection colour -------------------------------------------------
    // Colour value of the first selected character, or at the caret of the
    // character before it (the colour typing takes); characters without a
    // colour of their own report the palette's text colour.
    qint32 SelColor() const;
    // Colours every selected character; nothing without a selection.
    void setSelColor(qint32 colour);

    // --- Rich text (see codebox/rtf.h) ------------------------------------
    QString SelRTF() const;
    // Replaces the selection with the rich text's text and colours (RTF of
    // other programs too); the caret goes after it. A text that is not RTF
    // at all ("{\rtf" missing) is inserted as plain text.
    void setSelRTF(const QString &rtf);
    // The selection's text and colours as runs, as SelRTF writes them (line
    // breaks CR LF, joining the run before them), and their insertion in
    // place of the selection, as setSelRTF inserts the rich text of such
    // runs: the same result without writing and reading rich text.
    std::vector<RtfRun> SelRuns() const;
    void setSelRuns(const std::vector<RtfRun> &runs);
    QString TextRTF() const;
    // Replaces the whole text with the rich text; clears the undo history.
    void setTextRTF(const QString &rtf);

    // --- Mouse pointer: 0 default (I-beam over text), 11 hourglass, and the
    // other standard pointer numbers (1 arrow, 2 cross, 3 I-beam, 5 to 9
    // sizing arrows, 10 up arrow, 12 no drop, 13 arrow and hourglass, 14
    // arrow and question mark, 15 size all); unknown values act as 0.
    int MousePointer() const;
    void setMousePointer(int pointer);

    // --- Drawing suspension (LockWindowUpdate) ----------------------------
    // While locked (calls nest) the box is not repainted and selections set
    // through this interface do not scroll or repaint; the selection is
    // handed to the widget, scrolled into view, and the box repainted once
    // when the last lock is released.
    void lockWindowUpdate();
    void unlockWindowUpdate();
    bool isWindowUpdateLocked() const { return m_lockDepth > 0; }

    // A number that names this box for as long as it lives, distinct from
    // every other box's; asking for it leaves the widget as it is (it never
    // makes the widget a native window).
    qint32 handle() const { return m_handle; }

    // Locks drawing for the lifetime of the object, also when an exception
    // leaves the scope.
    class WindowUpdateLock {
    public:
        explicit WindowUpdateLock(RichTextBox &box) : m_box(box) { m_box.lockWindowUpdate(); }
        ~WindowUpdateLock() { m_box.unlockWindowUpdate(); }
        WindowUpdateLock(const WindowUpdateLock &) = delete;
        WindowUpdateLock &operator=(const WindowUpdateLock &) = delete;

    private:
        RichTextBox &m_box;
    };

    // --- Programmatic edits (kept out of the undo steps) ------------------
    // Calls nest; the outermost pair decides. Between them the Change signal
    // is not raised; it is raised once at the end when the text changed.
    void beginProgrammaticEdit();
    void endProgrammaticEdit();

    // Ctrl+Z and Ctrl+Y (and the platform's other undo and redo keys) call
    // these: undo takes back the last user step together with the
    // programmatic edits made after it; redo brings both back. Steps made
    // only of programmatic edits are never undone by themselves.
    void undoUserStep();
    void redoUserStep();

    class ProgrammaticEdit {
    public:
        explicit ProgrammaticEdit(RichTextBox &box) : m_box(box) { m_box.beginProgrammaticEdit(); }
        ~ProgrammaticEdit() { m_box.endProgrammaticEdit(); }
        ProgrammaticEdit(const ProgrammaticEdit &) = delete;
        ProgrammaticEdit &operator=(const ProgrammaticEdit &) = delete;

    private:
        RichTextBox &m_box;
    };

    // --- Paste --------------------------------------------------------------
    // Every paste into the box (Ctrl+V, Shift+Insert, the middle button, a
    // drop, paste()) hands the pasted plain text, its line breaks made CR LF,
    // to the handler instead of inserting it; the caret is already where the
    // text belongs (for a drop: at the drop point). Without a handler (an
    // empty function) the box inserts the text itself with setSelTextQ.
    using PasteHandler = std::function<void(const QString &text)>;
    void setPasteHandler(PasteHandler handler);

    // --- Pass-through properties -------------------------------------------
    // Enabled, Font and ToolTipText are QWidget's isEnabled/setEnabled,
    // font/setFont (the text's font; colours are kept) and
    // toolTip/setToolTip.
    //
    // Colour value, or a system colour reference (0x800000xx, the index in
    // the low byte) resolved through the palette; BackColor() returns what
    // was set.
    qint32 BackColor() const { return m_backColor; }
    void setBackColor(qint32 colour);
    // Right margin in twips: 0 (or less) wraps at the box's width; any other
    // value, noWrapMargin among them, never wraps (the box cannot wrap at a
    // fixed width). Positions and line numbers count the lines of the text
    // (hard line breaks) whatever the wrapping.
    float RightMargin() const { return m_rightMargin; }
    void setRightMargin(float twips);
    int WhatsThisHelpID() const { return m_whatsThisHelpId; }
    void setWhatsThisHelpID(int id) { m_whatsThisHelpId = id; }
    // 0 manual: a press inside the selection does not start a drag, it
    // places the caret; 1 automatic: the selection can be dragged.
    int OLEDragMode() const { return m_oleDragMode; }
    void setOLEDragMode(int mode) { m_oleDragMode = mode; }
    // 0 none: drops are refused; 1 manual: drops raise oleDragOver and
    // oleDragDrop but insert nothing; 2 automatic: dropped text is pasted
    // (through the paste handler) and the events are raised too.
    int OLEDropMode() const { return m_oleDropMode; }
    void setOLEDropMode(int mode);
    // 0 none, 1 horizontal, 2 vertical, 3 both (shown when needed).
    int ScrollBars() const { return m_scrollBars; }
    void setScrollBars(int bars);

signals:
    // Raised with the same names as the box's events. Shift is 1 Shift, 2
    // Ctrl, 4 Alt (added); Button 1 left, 2 right, 4 middle; X, Y in twips
    // from the box's top left corner.
    void SelChange();
    void Change();
    void Click();
    void DblClick();
    // Before a character is typed (see KeyAsciiEvent).
    void KeyPress(quorbel::KeyAsciiEvent *event);
    // Before the key acts; a key code of 0 stops its action (Ctrl+V then
    // does not paste).
    void KeyDown(quorbel::KeyCodeEvent *event);
    void KeyUp(quorbel::KeyCodeEvent *event);
    void MouseDown(short button, short shift, float x, float y);
    void MouseMove(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);
    // Drop side (OLEDropMode 1 or 2).
    void OLEDragOver(quorbel::OLEDropEvent *event);
    void OLEDragDrop(quorbel::OLEDropEvent *event);
    // Source side, raised by OLEDrag() (the box's own automatic drags raise
    // none of them).
    void OLEStartDrag(quorbel::OLEStartDragEvent *event);
    void OLESetData(quorbel::OLESetDataEvent *event);
    void OLEGiveFeedback(quorbel::OLEFeedbackEvent *event);
    void OLECompleteDrag(quorbel::OLECompleteDragEvent *event);

public:
    // Starts a drag of the selection (OLEStartDrag, then the drag, then
    // OLECompleteDrag with the effect that took place).
    void OLEDrag();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    // The cursor that holds the selection: the widget's, or while drawing
    // is locked the box's own.
    QTextCursor currentCursor() const;
    void applyCursor(const QTextCursor &cursor);
    std::vector<RtfRun> runsOf(int from, int to) const;
    QString richTextOf(int from, int to) const;
    void insertRuns(QTextCursor &cursor, const QString &rtf);
    void insertRuns(QTextCursor &cursor, const std::vector<RtfRun> &runs);
    void onContentsChange(int position, int removed, int added);
    void onSelectionMoved();
    QPointF toTwips(const QPointF &pixels) const;
    bool raiseDragOver(QDropEvent *event, short state);

    CrlfPositions m_positions;
    UndoLedger m_undo;
    qint32 m_handle;
    PasteHandler m_pasteHandler;
    QTextCursor m_lockCursor;
    int m_lastAnchor = 0;
    int m_lastPosition = 0;

    int m_lockDepth = 0;
    bool m_textChangedInEdit = false;
    bool m_quietChange = false;
    int m_mousePointer = pointerDefault;
    qint32 m_backColor = qint32(0x80000005u);
    float m_rightMargin = noWrapMargin;
    int m_whatsThisHelpId = 0;
    int m_oleDragMode = 1;
    int m_oleDropMode = 2;
    int m_scrollBars = 3;
};

} // namespace quorbel
