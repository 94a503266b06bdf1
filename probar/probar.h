#pragma once

#include "controlhost/controlhost.h"
#include "controlhost/propertybag.h"
#include "probar/zentrim_export.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPainter;

namespace zentrim {

// A progress bar: a bar that fills the control from the left edge (from the
// bottom edge when Vertical is set) as Value goes from Min to Max, with the
// message label "lblMsg" centred over it. Class name "Zentrim.ProBar".
//
// The control raises no events. Every change of a persisted property is told
// to the host (ControlHost::propertyChanged) with the property's name. Numbers
// and the border style are clamped, never rejected; after any set
// 0 <= Min < Max, Max >= 1 and Min <= Value <= Max. A freshly made control,
// before InitProperties or ReadProperties, holds zero in every number and
// false in both flags.
//
// Colours are colour values (red in the low byte) or system colour references
// (top bit set, index in the low byte), resolved through the palette whenever
// the control draws.
class ZENTRIM_EXPORT ProBar : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("Description.MessageColor",
                "Returns/sets the foreground color used to display text and graphics in an object.")
    Q_CLASSINFO("Description.MessageText",
                "Returns/sets the text displayed in an object's title bar or below an object's icon.")
    Q_PROPERTY(qint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(qint32 BarColor READ BarColor WRITE setBarColor)
    Q_PROPERTY(bool ShowMessage READ ShowMessage WRITE setShowMessage)
    Q_PROPERTY(qint32 Max READ Max WRITE setMax)
    Q_PROPERTY(qint32 Min READ Min WRITE setMin)
    Q_PROPERTY(qint32 Value READ Value WRITE setValue)
    Q_PROPERTY(BorderStyles BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool Vertical READ Vertical WRITE setVertical)
    Q_PROPERTY(qint32 MessageColor READ MessageColor WRITE setMessageColor)
    Q_PROPERTY(QString MessageText READ MessageText WRITE setMessageText)

public:
    // 32 bits wide, so that any number a host passes by property name is a
    // valid value until setBorderStyle clamps it.
    enum BorderStyles : qint32 { bdNone = 0, bdFixedSingle = 1 };
    Q_ENUM(BorderStyles)

    // host may be null (no notifications) and may be given later.
    explicit ProBar(QWidget *parent = nullptr, quorbel::ControlHost *host = nullptr);
    ~ProBar() override;

    void setHost(quorbel::ControlHost *host);
    quorbel::ControlHost *host() const;

    // Colour of the unfilled part and of the window. Set: store, window
    // colour, paint at once, notify "BackColor", schedule a redraw.
    qint32 BackColor() const;
    void setBackColor(qint32 colour);
    // Colour of the bar. Set: store, paint at once, notify "BarColor",
    // schedule a redraw.
    qint32 BarColor() const;
    void setBarColor(qint32 colour);
    // Stored and returned only; setting it paints at once and notifies
    // "ShowMessage". The message stays visible whatever its value, and it is
    // neither written to nor read from a stored design.
    bool ShowMessage() const;
    void setShowMessage(bool show);
    // Set: below 1 becomes 1, at or below Min becomes Min + 1; a Value above
    // the new Max is set to Max through setValue (notifying "Value"); then
    // Resize and notify "Max".
    qint32 Max() const;
    void setMax(qint32 max);
    // Set: at or above Max becomes Max - 1, below 0 becomes 0; a Value below
    // the new Min is set to Min through setValue; then Resize and notify "Min".
    qint32 Min() const;
    void setMin(qint32 min);
    // Set: clamped to Min..Max, stored, then notify "Value". The bar is
    // painted at once (two rectangle fills) only when its drawn extent
    // changes by at least one pixel; otherwise nothing is drawn.
    qint32 Value() const;
    void setValue(qint32 value);
    // Set: below 0 becomes bdNone, above 1 becomes bdFixedSingle; store, set
    // the border (a single line around the window), Resize, notify
    // "BorderStyle".
    BorderStyles BorderStyle() const;
    void setBorderStyle(qint32 style);
    // Set: store and notify "Vertical"; nothing is redrawn until the next
    // paint, which then grows the bar from the bottom edge.
    bool Vertical() const;
    void setVertical(bool vertical);
    // The message label's text colour. Set: colour the label, notify
    // "MessageColor".
    qint32 MessageColor() const;
    void setMessageColor(qint32 colour);
    // The message label's caption. Set: change the caption, notify
    // "MessageText".
    QString MessageText() const;
    void setMessageText(const QString &text);

    // A new control placed in a design: BackColor, BarColor, Vertical, Max,
    // Min, Value, BorderStyle get their defaults through their setters, in
    // that order.
    void InitProperties();
    // Restores the control from a stored design, each key through its setter
    // in the order BackColor, BarColor, Vertical, Max, Min, Value,
    // BorderStyle, MessageColor, MessageText. A key that cannot be read or
    // holds a value of the wrong type is passed over: its property keeps what
    // it held and the next key is read.
    void ReadProperties(quorbel::PropertyBag &bag);
    // Writes the same nine keys, in the same order, each with its default.
    // Errors of the bag pass to the caller.
    void WriteProperties(quorbel::PropertyBag &bag);
    // Sets the user scale (Max - Min units across and down), paints at once
    // and centres the message label vertically across the full width. Runs
    // on every resize of the window.
    void Resize();
    // Paints the bar at once (when the control is visible).
    void Paint();

    // The user scale set by the last Resize: client width and height in units.
    qint32 scaleWidth() const;
    qint32 scaleHeight() const;
    // The design size, 4800 x 420 twips.
    QSize sizeHint() const override;

protected:
    // Fills one rectangle of the bar (client coordinates, in pixels). Every
    // paint of the bar goes through here: the background part, then the bar
    // part when Value is above Min.
    virtual void fillRectangle(QPainter &painter, const QRect &rect, const QColor &colour);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct BarGeometry {
        QRect background;
        QRect bar; // empty when Value is at Min
    };
    BarGeometry barGeometry(qint32 value, bool vertical) const;
    void notify(const QString &name);
    void applyMessageColour();

    quorbel::ControlHost *m_host = nullptr;
    QLabel *m_label = nullptr;
    qint32 m_backColor = 0;
    qint32 m_barColor = 0;
    bool m_showMessage = false;
    qint32 m_max = 0;
    qint32 m_min = 0;
    qint32 m_value = 0;
    BorderStyles m_borderStyle = bdNone;
    bool m_vertical = false;
    qint32 m_messageColor = 0;
    qint32 m_scaleWidth = 0;
    qint32 m_scaleHeight = 0;
    // What the last paint drew, so that a change of Value that moves no
    // pixel of the bar draws nothing.
    BarGeometry m_painted;
    bool m_paintedValid = false;
};

} // namespace zentrim
