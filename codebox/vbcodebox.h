#pragma once

#include "codebox/codeboxshared.h"
#include "codebox/codecolouring.h"
#include "codebox/controlevents.h"
#include "codebox/typingcolouring.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QMimeData;

namespace zentrim {
class ProBar;
}

namespace quorbel {

class CodeBoxMenu;
class PropertyBag;
class Printer;
class RichTextBox;

// The code box: a rich text box that shows Visual Basic code in a fixed-pitch
// font and colours it as it is typed, pasted or asked for.
//
// Children: RTB1, the visible text box, which fills the control; RTBPaste, a
// hidden text box, emptied by every coloured paste (which is coloured as it
// would be coloured there, see CodeColouring::colourPaste); ProBar1, a
// Zentrim.ProBar with the message "Colouring Code", shown only
// while a whole text is coloured; Label1, a label outside the design area
// that receives the time the last coloured paste took.
//
// The colours, Color_Auto and Font_Large are the shared values every code
// box made with the same CodeBoxShared reports; the others belong to the
// box. Setters of persisted properties tell the host the property's name
// (ControlHost::propertyChanged). Errors of the text box, the store or the
// host pass to the caller; the box's own failures are ControlError: 387 for a
// run-time-only property set while the host is designed, 382 for hWnd set at
// run time.
//
// Sizes and positions of the design are in twips, at 15 twips a pixel.
class VBCodeBox : public QWidget {
    Q_OBJECT
public:
    // Throws ControlError when the Zentrim library cannot make ProBar1.
    explicit VBCodeBox(const CodeBoxServices &services, QWidget *parent = nullptr);
    ~VBCodeBox() override;

    RichTextBox &RTB1() const { return *m_rtb1; }
    RichTextBox &RTBPaste() const { return *m_rtbPaste; }
    zentrim::ProBar &ProBar1() const { return *m_proBar1; }
    QLabel &Label1() const { return *m_label1; }

    // --- Shared values (every code box of the same CodeBoxShared) ---------
    qint32 Color_Text() const { return m_shared.Color_Text; }
    void setColor_Text(qint32 colour);
    qint32 Color_Comment() const { return m_shared.Color_Comment; }
    void setColor_Comment(qint32 colour);
    qint32 Color_IDWords() const { return m_shared.Color_IDWords; }
    void setColor_IDWords(qint32 colour);
    qint32 Color_KeyWords() const { return m_shared.Color_KeyWords; }
    void setColor_KeyWords(qint32 colour);
    // Consulted by the colouring when keys are released and text is pasted;
    // setting it starts or stops nothing by itself.
    bool Color_Auto() const { return m_shared.Color_Auto; }
    void setColor_Auto(bool on);
    // Stored and persisted only.
    bool Font_Large() const { return m_shared.Font_Large; }
    void setFont_Large(bool large);

    // --- Values of this box, not connected to the text box ----------------
    bool ShowMenu() const { return m_showMenu; }
    void setShowMenu(bool show);
    QString TextRTF() const { return m_textRTF; }
    void setTextRTF(const QString &rtf);
    qint32 SelLength() const { return m_selLength; }
    void setSelLength(qint32 length);

    // --- The text box's selection: setting works at run time only ---------
    QString SelRTF() const;
    void setSelRTF(const QString &rtf);
    QString SelText() const;
    void setSelText(const QString &text);
    qint32 SelStart() const;
    void setSelStart(qint32 position);
    // The text box's handle (RichTextBox::handle: reading it never makes a
    // widget native). Setting it always fails (387 while the host is
    // designed, 382 at run time) and stores nothing.
    qint32 hWnd() const;
    void setHWnd(qint32 handle);

    // --- Passed through to the text box ------------------------------------
    qint32 BackColor() const;
    void setBackColor(qint32 colour);
    // The control's Enabled and Font properties are the text box's (the
    // control's own QWidget enabled state and font stay as they are).
    bool Enabled() const;
    void setControlEnabled(bool enabled);
    QFont Font() const;
    void setControlFont(const QFont &font);
    float RightMargin() const;
    void setRightMargin(float twips);
    QString Text() const;
    void setText(const QString &text);
    QString ToolTipText() const;
    void setToolTipText(const QString &text);
    qint32 WhatsThisHelpID() const;
    void setWhatsThisHelpID(qint32 id);
    qint32 OLEDragMode() const;
    void setOLEDragMode(qint32 mode);
    qint32 OLEDropMode() const;
    void setOLEDropMode(qint32 mode);

    // --- Colouring -------------------------------------------------------
    // Inserts Text at RTB1's caret, replacing the selection: with Color_Auto
    // on, coloured first as a whole text of its own (see
    // CodeColouring::colourPaste) and inserted as runs of colour, and Label1
    // then shows the seconds it took ("0.0000"); otherwise as plain text.
    void PasteCode(const QString &Text);
    // Colours the whole text of RTB1.
    void color();
    void autoColor(RichTextBox &RTB, qint16 KeyCode);
    void colorLine(RichTextBox &RTB, qint32 &lineNumber, bool autoColour);
    void unColorAll(RichTextBox &RTB);
    const CodeColouring &colouring() const { return m_colouring; }
    const TypingColouring &typing() const { return m_typing; }

    // --- Edit menu, printing, pass-through members (vbcodeboxmembers.cpp) --
    // The right button's pop-up menu (shown while ShowMenu is on).
    CodeBoxMenu &mnuPopUpMenu() const { return *m_menu; }
    // Prints the whole text of RTB inside the margins (twips) on the printer
    // chosen for it (the print dialog; nothing is printed when it is
    // cancelled), or into a PDF file where there is no printer, whose name
    // the message boxes then show. The menu's Print uses RTB1 and 100 twips
    // all round.
    void printRTF(RichTextBox &RTB, qint32 LeftMarginWidth, qint32 TopMarginHeight, qint32 RightMarginWidth,
                  qint32 BottomMarginHeight);
    // Prints RTB1's selection on printer; with vStartDoc the job is started
    // and ended around it.
    void SelPrint(Printer &printer, bool vStartDoc = true);
    // Searches RTB1 for bstrString from vStart (default: the caret) up to
    // vEnd (default: the end); vOptions adds 2 whole word, 4 match case, 8
    // no highlight. Selects what it found unless 8 is given; returns its
    // position, or -1.
    qint32 Find(const QString &bstrString, std::optional<qint32> vStart = {}, std::optional<qint32> vEnd = {},
                std::optional<qint32> vOptions = {});
    qint32 GetLineFromChar(qint32 lChar) const;
    void Cls();
    void OLEDrag();
    void AboutBox();
    // Appends the text and CR LF to the file (created when missing); errors
    // are shown ("Error : ") and go no further.
    void OutputFile(const QString &fileName, const QString &Contents);
    void AppendFile(const QString &file, const QString &toBePrinted);
    // The whole file; on an error "Error :  " is shown and the result is
    // empty.
    QString InputFile(const QString &file);
    // The part of fileName before its last backslash; empty without one.
    QString GetDir(const QString &fileName) const;

    // --- Lifecycle -------------------------------------------------------
    // A new control in a design: the shared and instance values take their
    // initial values; the text box keeps its design settings.
    void InitProperties();
    // Created from a stored design: 21 keys read in order, each applied at
    // once. Throws ControlError 13 for a value of the wrong type.
    void ReadProperties(PropertyBag &bag);
    // The design is saved: the keys in order, "TextRTF" and "SelLength"
    // twice (first the text box's, then the box's own values).
    void WriteProperties(PropertyBag &bag);
    // Lays the children out for the current size: RTB1 fills the control,
    // ProBar1 spans its width, centred vertically, at its designed height.
    void Resize();

signals:
    // The text box's events, passed on in this order of declaration; the
    // event objects are the text box's own, so a handler's change reaches it.
    void OLEDragOver(quorbel::OLEDropEvent *event);
    void OLEDragDrop(quorbel::OLEDropEvent *event);
    void OLEGiveFeedback(quorbel::OLEFeedbackEvent *event);
    void OLEStartDrag(quorbel::OLEStartDragEvent *event);
    void OLESetData(quorbel::OLESetDataEvent *event);
    void OLECompleteDrag(quorbel::OLECompleteDragEvent *event);
    void SelChange();
    void Change();
    void Click();
    void DblClick();
    void KeyPress(quorbel::KeyAsciiEvent *event);
    void KeyDown(quorbel::KeyCodeEvent *event);
    void KeyUp(quorbel::KeyCodeEvent *event);
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void connectEvents();
    void onKeyDown(KeyCodeEvent *event);
    void onKeyUp(KeyCodeEvent *event);
    void onMouseDown(short button, short shift, float x, float y);
    void onMouseUp(short button, short shift, float x, float y);
    MessageBoxes &messages() const;
    // The paste of Ctrl+V, of the text box's own pastes and of the menu.
    void pasteAction(const QString &text);
    void requireRunTime(const char *property) const;
    void notify(const QString &name);
    QFont ambientFont() const;

    CodeBoxShared &m_shared;
    Clipboard &m_clipboard;
    Clock &m_clock;
    ControlHost *m_host;
    MessageBoxes *m_messages;
    PrinterChooser *m_printers;
    std::function<void()> m_aboutBox;

    RichTextBox *m_rtb1 = nullptr;
    RichTextBox *m_rtbPaste = nullptr;
    zentrim::ProBar *m_proBar1 = nullptr;
    QLabel *m_label1 = nullptr;
    CodeColouring m_colouring;
    TypingColouring m_typing;
    CodeBoxMenu *m_menu = nullptr;

    qint32 m_storedHWnd = 0;
    QString m_textRTF;
    qint32 m_selLength = 0;
    bool m_showMenu = true;
};

} // namespace quorbel
