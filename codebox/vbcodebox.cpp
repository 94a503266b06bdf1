#include "codebox/vbcodebox.h"

#include "codebox/codeboxmenu.h"
#include "codebox/controlerror.h"
#include "codebox/richtextbox.h"
#include "controlhost/controlhost.h"
#include "controlhost/propertybag.h"
#include "controlhost/twips.h"
#include "engine/elapsedtime.h"
#include "platform/clock.h"
#include "platform/qt/clipboard.h"
#include "probar/probar.h"
#include "probar/zentrim.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMimeData>
#include <QScopeGuard>

namespace quorbel {

namespace {

// The design is laid out at the design resolution (15 twips a pixel).
constexpr int twips(int value)
{
    return twipsToPixels(value);
}

// The design of the control: its own area, the label outside it and the
// bar's height.
constexpr int kDesignWidth = twips(4800);
constexpr int kDesignHeight = twips(3600);
const QRect kLabel1Geometry(twips(5760), twips(3600), twips(3015), twips(495));
constexpr int kProBarHeight = twips(375);

constexpr short kShiftControl = 2;
constexpr short kKeyV = 86;

QFont codeFont()
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The progress bar's stored design: its message text only. Writes are not
// kept (the design is never saved).
class ProBarDesign : public PropertyBag {
public:
    QVariant read(const QString &key, const QVariant &def) override
    {
        return key.compare(QStringLiteral("MessageText"), Qt::CaseInsensitive) == 0
                   ? QVariant(QStringLiteral("Colouring Code"))
                   : def;
    }
    void write(const QString &, const QVariant &, const QVariant &) override {}
};

zentrim::ProBar *createProBar(QWidget *parent)
{
    QString error;
    QWidget *control = zentrim::createControl(QStringLiteral("Zentrim.ProBar"), parent, &error);
    auto *bar = qobject_cast<zentrim::ProBar *>(control);
    if (bar == nullptr) {
        delete control;
        throw ControlError(429, "The code box cannot create its progress bar: " +
                                    (error.isEmpty() ? std::string("not a Zentrim.ProBar") : error.toStdString()));
    }
    ProBarDesign design;
    bar->ReadProperties(design);
    return bar;
}

} // namespace

VBCodeBox::VBCodeBox(const CodeBoxServices &services, QWidget *parent)
    : QWidget(parent), m_shared(services.shared), m_clipboard(services.clipboard), m_clock(services.clock),
      m_host(services.host), m_messages(services.messages), m_printers(services.printers),
      m_aboutBox(services.aboutBox), m_rtb1(new RichTextBox(this)), m_rtbPaste(new RichTextBox(this)),
      m_proBar1(createProBar(this)), m_label1(new QLabel(QStringLiteral("Label1"), this)),
      m_colouring(m_shared, *m_proBar1), m_typing(m_shared, m_colouring)
{
    m_rtb1->setObjectName(QStringLiteral("RTB1"));
    m_rtb1->setFont(codeFont());
    m_rtbPaste->setObjectName(QStringLiteral("RTBPaste"));
    m_rtbPaste->setFont(codeFont());
    m_rtbPaste->hide();
    m_proBar1->setObjectName(QStringLiteral("ProBar1"));
    m_proBar1->setGeometry(0, 0, kDesignWidth, kProBarHeight);
    m_proBar1->hide();
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(kLabel1Geometry);
    // The label is drawn on the control's surface, under the text box.
    m_label1->lower();
    m_rtb1->setPasteHandler([this](const QString &text) { pasteAction(text); });
    m_menu = new CodeBoxMenu(*m_rtb1, m_clipboard,
                             {[this](const QString &text) { pasteAction(text); }, [this] { color(); },
                              [this] { printRTF(*m_rtb1, 100, 100, 100, 100); }, [this] { return Color_Auto(); }},
                             this);
    connectEvents();
    resize(kDesignWidth, kDesignHeight);
    Resize();
}

VBCodeBox::~VBCodeBox() = default;

// --- Properties --------------------------------------------------------------

void VBCodeBox::notify(const QString &name)
{
    if (m_host != nullptr)
        m_host->propertyChanged(name);
}

void VBCodeBox::requireRunTime(const char *property) const
{
    if (m_host != nullptr && !m_host->userMode())
        throw ControlError(kErrorSetAtDesignTime,
                           std::string("The property ") + property + " can be set only at run time");
}

QFont VBCodeBox::ambientFont() const
{
    return m_host != nullptr ? m_host->ambientFont() : QApplication::font();
}

void VBCodeBox::setColor_Text(qint32 colour)
{
    m_shared.Color_Text = colour;
    notify(QStringLiteral("Color_Text"));
}

void VBCodeBox::setColor_Comment(qint32 colour)
{
    m_shared.Color_Comment = colour;
    notify(QStringLiteral("Color_Comment"));
}

void VBCodeBox::setColor_IDWords(qint32 colour)
{
    m_shared.Color_IDWords = colour;
    notify(QStringLiteral("Color_IDWords"));
}

void VBCodeBox::setColor_KeyWords(qint32 colour)
{
    m_shared.Color_KeyWords = colour;
    notify(QStringLiteral("Color_KeyWords"));
}

void VBCodeBox::setColor_Auto(bool on)
{
    m_shared.Color_Auto = on;
    notify(QStringLiteral("Color_Auto"));
}

void VBCodeBox::setFont_Large(bool large)
{
    m_shared.Font_Large = large;
    notify(QStringLiteral("Font_Large"));
}

void VBCodeBox::setShowMenu(bool show)
{
    m_showMenu = show;
    notify(QStringLiteral("ShowMenu"));
}

void VBCodeBox::setTextRTF(const QString &rtf)
{
    m_textRTF = rtf;
    notify(QStringLiteral("TextRTF"));
}

void VBCodeBox::setSelLength(qint32 length)
{
    m_selLength = length;
    notify(QStringLiteral("SelLength"));
}

QString VBCodeBox::SelRTF() const
{
    return m_rtb1->SelRTF();
}

void VBCodeBox::setSelRTF(const QString &rtf)
{
    requireRunTime("SelRTF");
    m_rtb1->setSelRTF(rtf);
    notify(QStringLiteral("SelRTF"));
}

QString VBCodeBox::SelText() const
{
    return m_rtb1->SelTextQ();
}

void VBCodeBox::setSelText(const QString &text)
{
    requireRunTime("SelText");
    m_rtb1->setSelTextQ(text);
    notify(QStringLiteral("SelText"));
}

qint32 VBCodeBox::SelStart() const
{
    return m_rtb1->selStart();
}

void VBCodeBox::setSelStart(qint32 position)
{
    requireRunTime("SelStart");
    m_rtb1->setSelStart(position);
    notify(QStringLiteral("SelStart"));
}

qint32 VBCodeBox::hWnd() const
{
    return m_rtb1->handle();
}

void VBCodeBox::setHWnd(qint32)
{
    requireRunTime("hWnd");
    throw ControlError(kErrorReadOnlyAtRunTime, "The property hWnd is read-only");
}

qint32 VBCodeBox::BackColor() const
{
    return m_rtb1->BackColor();
}

void VBCodeBox::setBackColor(qint32 colour)
{
    m_rtb1->setBackColor(colour);
    notify(QStringLiteral("BackColor"));
}

bool VBCodeBox::Enabled() const
{
    return m_rtb1->isEnabled();
}

void VBCodeBox::setControlEnabled(bool enabled)
{
    m_rtb1->setEnabled(enabled);
    notify(QStringLiteral("Enabled"));
}

QFont VBCodeBox::Font() const
{
    return m_rtb1->font();
}

void VBCodeBox::setControlFont(const QFont &font)
{
    m_rtb1->setFont(font);
    notify(QStringLiteral("Font"));
}

float VBCodeBox::RightMargin() const
{
    return m_rtb1->RightMargin();
}

void VBCodeBox::setRightMargin(float twips)
{
    m_rtb1->setRightMargin(twips);
    notify(QStringLiteral("RightMargin"));
}

QString VBCodeBox::Text() const
{
    return m_rtb1->TextQ();
}

void VBCodeBox::setText(const QString &text)
{
    m_rtb1->setTextQ(text);
    notify(QStringLiteral("Text"));
}

QString VBCodeBox::ToolTipText() const
{
    return m_rtb1->toolTip();
}

void VBCodeBox::setToolTipText(const QString &text)
{
    m_rtb1->setToolTip(text);
    notify(QStringLiteral("ToolTipText"));
}

qint32 VBCodeBox::WhatsThisHelpID() const
{
    return m_rtb1->WhatsThisHelpID();
}

void VBCodeBox::setWhatsThisHelpID(qint32 id)
{
    m_rtb1->setWhatsThisHelpID(id);
    notify(QStringLiteral("WhatsThisHelpID"));
}

qint32 VBCodeBox::OLEDragMode() const
{
    return m_rtb1->OLEDragMode();
}

void VBCodeBox::setOLEDragMode(qint32 mode)
{
    m_rtb1->setOLEDragMode(mode);
    notify(QStringLiteral("OLEDragMode"));
}

qint32 VBCodeBox::OLEDropMode() const
{
    return m_rtb1->OLEDropMode();
}

void VBCodeBox::setOLEDropMode(qint32 mode)
{
    m_rtb1->setOLEDropMode(mode);
    notify(QStringLiteral("OLEDropMode"));
}

// --- Colouring ----------------------------------------------------------------

void VBCodeBox::PasteCode(const QString &Text)
{
    const double started = m_clock.secondsSinceMidnight();
    if (!m_shared.Color_Auto) {
        m_rtb1->setSelTextQ(Text);
        return;
    }
    {
        m_rtb1->setMousePointer(RichTextBox::pointerHourglass);
        const auto restore = qScopeGuard([this] {
            m_rtb1->setMousePointer(RichTextBox::pointerDefault);
            m_rtbPaste->setTextQ(QString());
        });
        // The runs RTBPaste would hold after colouring the text with a line
        // break appended, made from the text itself: filling, colouring and
        // reading a box of its own cost more than the paste.
        m_rtb1->setSelRuns(m_colouring.colourPaste(Text));
    }
    const double elapsed = elapsedSeconds(started, m_clock.secondsSinceMidnight());
    m_label1->setText(QString::number(elapsed, 'f', 4));
}

void VBCodeBox::color()
{
    m_colouring.colorAll(*m_rtb1);
}

void VBCodeBox::autoColor(RichTextBox &RTB, qint16 KeyCode)
{
    m_typing.autoColor(RTB, KeyCode);
}

void VBCodeBox::colorLine(RichTextBox &RTB, qint32 &lineNumber, bool autoColour)
{
    m_colouring.colorLine(RTB, lineNumber, autoColour);
}

void VBCodeBox::unColorAll(RichTextBox &RTB)
{
    m_colouring.unColorAll(RTB);
}

void VBCodeBox::pasteAction(const QString &text)
{
    if (m_shared.Color_Auto)
        PasteCode(text);
    else
        m_rtb1->setSelTextQ(text);
}

// --- Events -------------------------------------------------------------------

void VBCodeBox::connectEvents()
{
    RichTextBox *rtb = m_rtb1;
    connect(rtb, &RichTextBox::OLEDragOver, this, &VBCodeBox::OLEDragOver, Qt::DirectConnection);
    connect(rtb, &RichTextBox::OLEDragDrop, this, &VBCodeBox::OLEDragDrop, Qt::DirectConnection);
    connect(rtb, &RichTextBox::OLEGiveFeedback, this, &VBCodeBox::OLEGiveFeedback, Qt::DirectConnection);
    connect(rtb, &RichTextBox::OLEStartDrag, this, &VBCodeBox::OLEStartDrag, Qt::DirectConnection);
    connect(rtb, &RichTextBox::OLESetData, this, &VBCodeBox::OLESetData, Qt::DirectConnection);
    connect(rtb, &RichTextBox::OLECompleteDrag, this, &VBCodeBox::OLECompleteDrag, Qt::DirectConnection);
    connect(rtb, &RichTextBox::SelChange, this, &VBCodeBox::SelChange, Qt::DirectConnection);
    connect(rtb, &RichTextBox::Change, this, &VBCodeBox::Change, Qt::DirectConnection);
    connect(rtb, &RichTextBox::Click, this, &VBCodeBox::Click, Qt::DirectConnection);
    connect(rtb, &RichTextBox::DblClick, this, &VBCodeBox::DblClick, Qt::DirectConnection);
    connect(rtb, &RichTextBox::KeyPress, this, &VBCodeBox::KeyPress, Qt::DirectConnection);
    connect(rtb, &RichTextBox::KeyDown, this, &VBCodeBox::onKeyDown, Qt::DirectConnection);
    connect(rtb, &RichTextBox::KeyUp, this, &VBCodeBox::onKeyUp, Qt::DirectConnection);
    // The pop-up menu of the right button is shown before MouseDown is
    // raised.
    connect(rtb, &RichTextBox::MouseDown, this, &VBCodeBox::onMouseDown, Qt::DirectConnection);
    connect(rtb, &RichTextBox::MouseMove, this, &VBCodeBox::MouseMove, Qt::DirectConnection);
    connect(rtb, &RichTextBox::MouseUp, this, &VBCodeBox::onMouseUp, Qt::DirectConnection);
}

void VBCodeBox::onKeyDown(KeyCodeEvent *event)
{
    // Ctrl+V with text on the clipboard is pasted, coloured, on key up; the
    // text box must not paste it as well.
    if (event->shift() == kShiftControl && event->keyCode() == kKeyV && m_clipboard.hasText())
        event->setKeyCode(0);
    emit KeyDown(event);
}

void VBCodeBox::onKeyUp(KeyCodeEvent *event)
{
    emit KeyUp(event);
    if (event->keyCode() == kKeyV && event->shift() == kShiftControl && m_clipboard.hasText())
        pasteAction(m_clipboard.text());
    else
        m_typing.autoColor(*m_rtb1, event->keyCode());
}

void VBCodeBox::onMouseDown(short button, short shift, float x, float y)
{
    if (button == 2 && m_showMenu) {
        m_menu->updateStates();
        m_menu->exec(QCursor::pos());
    }
    emit MouseDown(button, shift, x, y);
}

void VBCodeBox::onMouseUp(short button, short shift, float x, float y)
{
    m_typing.mouseUp(*m_rtb1);
    emit MouseUp(button, shift, x, y);
}

// --- Layout -------------------------------------------------------------------

void VBCodeBox::Resize()
{
    const int w = width();
    const int h = height();
    m_rtb1->setGeometry(0, 0, w, h);
    const int barHeight = m_proBar1->height();
    m_proBar1->setGeometry(0, qRound(h / 2.0 - barHeight / 2.0), w, barHeight);
}

void VBCodeBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Resize();
}

} // namespace quorbel
