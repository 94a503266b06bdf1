#include "probar/probar.h"

#include "controlhost/colourvalue.h"
#include "controlhost/twips.h"
#include "probar/storedvalue.h"

#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <cmath>

namespace zentrim {

namespace {

constexpr qint32 defaultBackColor = quorbel::sysButtonFace;
constexpr qint32 defaultBarColor = quorbel::sysHighlight;
constexpr qint32 defaultMessageColor = 33023; // orange: red 255, green 128
constexpr qint32 defaultMax = 100;
constexpr qint32 defaultMin = 0;
constexpr qint32 defaultValue = 50;
constexpr qint32 defaultBorderStyle = ProBar::bdFixedSingle;
const char *const defaultMessageText = "Message";

constexpr int labelHeightTwips = 255;
constexpr int designWidthTwips = 4800;
constexpr int designHeightTwips = 420;

// Bold 9.75 point "MS Sans Serif"; machines without it get the platform's
// sans-serif face at the same size and weight rather than whatever Qt would
// substitute for an unknown family.
QFont messageFont()
{
    QFont font;
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
        font.setFamily(QStringLiteral("MS Sans Serif"));
    } else {
        font.setFamily(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

// Reads one key and hands a usable value to apply; a key that cannot be
// read or converted leaves its property as it was.
template<typename Convert, typename Apply>
void readKey(quorbel::PropertyBag &bag, const QString &key, const QVariant &def, Convert convert, Apply apply)
{
    try {
        if (const auto value = convert(bag.read(key, def)))
            apply(*value);
    } catch (...) {
        // A design whose key was written by another version, or a store that
        // fails on one entry, must still load every other property.
    }
}

} // namespace

ProBar::ProBar(QWidget *parent, quorbel::ControlHost *host)
    : QWidget(parent), m_host(host), m_label(new QLabel(QString::fromLatin1(defaultMessageText), this)),
      m_messageColor(defaultMessageColor)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the two fills and the border cover every pixel
    m_label->setObjectName(QStringLiteral("lblMsg"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setAutoFillBackground(false);
    m_label->setFont(messageFont());
    m_label->setFixedHeight(quorbel::twipsToPixels(labelHeightTwips, logicalDpiY()));
    applyMessageColour();
}

ProBar::~ProBar() = default;

void ProBar::setHost(quorbel::ControlHost *host)
{
    m_host = host;
}
quorbel::ControlHost *ProBar::host() const
{
    return m_host;
}

qint32 ProBar::BackColor() const
{
    return m_backColor;
}

void ProBar::setBackColor(qint32 colour)
{
    // The colour is the window's background too: the control paints every
    // pixel of its window from it (WA_OpaquePaintEvent), resolving a system
    // colour at each paint, so no palette role is set here.
    m_backColor = colour;
    Paint();
    notify(QStringLiteral("BackColor"));
    update();
}

qint32 ProBar::BarColor() const
{
    return m_barColor;
}

void ProBar::setBarColor(qint32 colour)
{
    m_barColor = colour;
    Paint();
    notify(QStringLiteral("BarColor"));
    update();
}

bool ProBar::ShowMessage() const
{
    return m_showMessage;
}

void ProBar::setShowMessage(bool show)
{
    // The flag does not hide the label: the code box relies on its message
    // being seen while the flag keeps its default of false.
    m_showMessage = show;
    Paint();
    notify(QStringLiteral("ShowMessage"));
}

qint32 ProBar::Max() const
{
    return m_max;
}

void ProBar::setMax(qint32 max)
{
    if (max < 1)
        max = 1;
    if (m_min >= max)
        max = m_min + 1; // Min < Max always holds, so Min + 1 cannot overflow
    m_max = max;
    if (m_value > m_max)
        setValue(m_max);
    Resize();
    notify(QStringLiteral("Max"));
}

qint32 ProBar::Min() const
{
    return m_min;
}

void ProBar::setMin(qint32 min)
{
    if (min >= m_max)
        min = m_max - 1;
    if (min < 0)
        min = 0;
    m_min = min;
    if (m_value < m_min)
        setValue(m_min);
    Resize();
    notify(QStringLiteral("Min"));
}

qint32 ProBar::Value() const
{
    return m_value;
}

void ProBar::setValue(qint32 value)
{
    if (value > m_max)
        value = m_max;
    if (value < m_min)
        value = m_min;
    m_value = value;
    // Hosts set Value once per unit of work (the code box once per line of a
    // long text), so only the pixels that change are drawn, at once, and a
    // step too small to move the bar's edge draws nothing at all.
    if (isVisible()) {
        const BarGeometry now = barGeometry(m_value, m_vertical);
        if (!m_paintedValid) {
            repaint(contentsRect());
        } else if (now.bar != m_painted.bar || now.background != m_painted.background) {
            // Most steps leave both rectangles as painted: no region is built.
            const QRegion changed =
                (QRegion(now.bar) ^ QRegion(m_painted.bar)) + (QRegion(now.background) ^ QRegion(m_painted.background));
            if (!changed.isEmpty())
                repaint(changed);
        }
    }
    notify(QStringLiteral("Value"));
}

ProBar::BorderStyles ProBar::BorderStyle() const
{
    return m_borderStyle;
}

void ProBar::setBorderStyle(qint32 style)
{
    m_borderStyle = style <= bdNone ? bdNone : bdFixedSingle;
    const int border = m_borderStyle == bdFixedSingle ? 1 : 0;
    setContentsMargins(border, border, border, border);
    Resize();
    notify(QStringLiteral("BorderStyle"));
}

bool ProBar::Vertical() const
{
    return m_vertical;
}

void ProBar::setVertical(bool vertical)
{
    m_vertical = vertical;
    notify(QStringLiteral("Vertical"));
}

qint32 ProBar::MessageColor() const
{
    return m_messageColor;
}

void ProBar::setMessageColor(qint32 colour)
{
    m_messageColor = colour;
    applyMessageColour();
    notify(QStringLiteral("MessageColor"));
}

QString ProBar::MessageText() const
{
    return m_label->text();
}

void ProBar::setMessageText(const QString &text)
{
    m_label->setText(text);
    notify(QStringLiteral("MessageText"));
}

void ProBar::InitProperties()
{
    setBackColor(defaultBackColor);
    setBarColor(defaultBarColor);
    setVertical(false);
    setMax(defaultMax);
    setMin(defaultMin);
    setValue(defaultValue);
    setBorderStyle(defaultBorderStyle);
}

void ProBar::ReadProperties(quorbel::PropertyBag &bag)
{
    // Max before Min before Value: each setter clamps against what is already
    // held, and a fresh control holds zero in all three.
    readKey(bag, QStringLiteral("BackColor"), defaultBackColor, storedColour, [this](qint32 v) { setBackColor(v); });
    readKey(bag, QStringLiteral("BarColor"), defaultBarColor, storedColour, [this](qint32 v) { setBarColor(v); });
    readKey(bag, QStringLiteral("Vertical"), false, storedBoolean, [this](bool v) { setVertical(v); });
    readKey(bag, QStringLiteral("Max"), defaultMax, storedInt32, [this](qint32 v) { setMax(v); });
    readKey(bag, QStringLiteral("Min"), defaultMin, storedInt32, [this](qint32 v) { setMin(v); });
    readKey(bag, QStringLiteral("Value"), defaultValue, storedInt32, [this](qint32 v) { setValue(v); });
    readKey(bag, QStringLiteral("BorderStyle"), defaultBorderStyle, storedInt32,
            [this](qint32 v) { setBorderStyle(v); });
    readKey(bag, QStringLiteral("MessageColor"), defaultMessageColor, storedColour,
            [this](qint32 v) { setMessageColor(v); });
    readKey(bag, QStringLiteral("MessageText"), QString::fromLatin1(defaultMessageText), storedText,
            [this](const QString &v) { setMessageText(v); });
}

void ProBar::WriteProperties(quorbel::PropertyBag &bag)
{
    bag.write(QStringLiteral("BackColor"), m_backColor, defaultBackColor);
    bag.write(QStringLiteral("BarColor"), m_barColor, defaultBarColor);
    bag.write(QStringLiteral("Vertical"), m_vertical, false);
    bag.write(QStringLiteral("Max"), m_max, defaultMax);
    bag.write(QStringLiteral("Min"), m_min, defaultMin);
    bag.write(QStringLiteral("Value"), m_value, defaultValue);
    bag.write(QStringLiteral("BorderStyle"), qint32(m_borderStyle), defaultBorderStyle);
    bag.write(QStringLiteral("MessageColor"), MessageColor(), defaultMessageColor);
    bag.write(QStringLiteral("MessageText"), MessageText(), QString::fromLatin1(defaultMessageText));
}

void ProBar::Resize()
{
    m_scaleWidth = m_max - m_min;
    m_scaleHeight = m_max - m_min;
    Paint();
    const QRect client = contentsRect();
    m_label->setGeometry(client.left(), client.top() + client.height() / 2 - m_label->height() / 2, client.width(),
                         m_label->height());
}

void ProBar::Paint()
{
    repaint();
}

qint32 ProBar::scaleWidth() const
{
    return m_scaleWidth;
}
qint32 ProBar::scaleHeight() const
{
    return m_scaleHeight;
}

QSize ProBar::sizeHint() const
{
    return {quorbel::twipsToPixels(designWidthTwips, logicalDpiX()),
            quorbel::twipsToPixels(designHeightTwips, logicalDpiY())};
}

void ProBar::fillRectangle(QPainter &painter, const QRect &rect, const QColor &colour)
{
    painter.fillRect(rect, colour);
}

void ProBar::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect client = contentsRect();
    if (m_borderStyle == bdFixedSingle && !client.contains(event->rect())) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const BarGeometry geometry = barGeometry(m_value, m_vertical);
    fillRectangle(painter, geometry.background, quorbel::resolveColour(m_backColor, palette()));
    if (m_value > m_min)
        fillRectangle(painter, geometry.bar, quorbel::resolveColour(m_barColor, palette()));
    // Only a paint of the whole client area tells what the screen shows now.
    if (event->region().contains(client)) {
        m_painted = geometry;
        m_paintedValid = true;
    }
}

void ProBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Resize();
}

void ProBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        applyMessageColour(); // a system colour reference follows the new palette
}

ProBar::BarGeometry ProBar::barGeometry(qint32 value, bool vertical) const
{
    // The user scale measures the client area as scaleWidth x scaleHeight
    // units; the bar spans (Value - Min) of them. Corners count as drawn, so
    // any progress above Min shows at least one line of pixels.
    const QRect client = contentsRect();
    const qint64 units = vertical ? m_scaleHeight : m_scaleWidth;
    const int length = vertical ? client.height() : client.width();
    const qint64 filled = qint64(value) - m_min;
    int extent = 0;
    if (filled > 0 && units > 0 && length > 0) {
        extent = int(std::llround(double(filled) * length / double(units)));
        extent = qBound(1, extent, length);
    }
    if (vertical) {
        return {QRect(client.left(), client.top(), client.width(), client.height() - extent),
                QRect(client.left(), client.bottom() + 1 - extent, client.width(), extent)};
    }
    return {QRect(client.left() + extent, client.top(), client.width() - extent, client.height()),
            QRect(client.left(), client.top(), extent, client.height())};
}

void ProBar::notify(const QString &name)
{
    if (m_host)
        m_host->propertyChanged(name);
}

void ProBar::applyMessageColour()
{
    QPalette labelPalette = m_label->palette();
    labelPalette.setColor(QPalette::WindowText, quorbel::resolveColour(m_messageColor, palette()));
    m_label->setPalette(labelPalette);
}

} // namespace zentrim
