#pragma once

#include <QtGlobal>

class QMimeData;

namespace quorbel {

// Arguments of the text box's events that a handler may change. A signal
// passes a pointer to one of these, as Qt passes its own events: every
// handler sees the value the handlers before it left, and the sender reads
// the final value when the emit returns. Handlers must run before the emit
// returns (a direct or blocking connection): the object lives on the
// sender's stack.

// Before a character is typed: 0 swallows it, another value types that
// character instead.
class KeyAsciiEvent {
public:
    explicit KeyAsciiEvent(short keyAscii) : m_keyAscii(keyAscii) {}
    short keyAscii() const { return m_keyAscii; }
    void setKeyAscii(short keyAscii) { m_keyAscii = keyAscii; }

private:
    short m_keyAscii;
};

// A key goes down or up: a virtual-key code (65 "A" ... 90 "Z", 13 Enter,
// 37 to 40 arrows, 86 "V", ...) and the shift state (1 Shift, 2 Ctrl, 4
// Alt, added). A key-down handler that sets the code to 0 stops the key's
// action.
class KeyCodeEvent {
public:
    KeyCodeEvent(short keyCode, short shift) : m_keyCode(keyCode), m_shift(shift) {}
    short keyCode() const { return m_keyCode; }
    void setKeyCode(short keyCode) { m_keyCode = keyCode; }
    short shift() const { return m_shift; }

private:
    short m_keyCode;
    short m_shift;
};

// Something is dragged over the box or dropped on it. Effect: 0 none, 1
// copy, 2 move; a handler that sets 0 refuses the drop. Button 1 left, 2
// right, 4 middle; X, Y in twips from the box's top left corner. State
// (drag over only): 0 enter, 1 leave, 2 over.
class OLEDropEvent {
public:
    OLEDropEvent(const QMimeData *data, qint32 effect, short button, short shift, float x, float y, short state = 0)
        : m_data(data), m_effect(effect), m_button(button), m_shift(shift), m_x(x), m_y(y), m_state(state)
    {
    }
    const QMimeData *data() const { return m_data; }
    qint32 effect() const { return m_effect; }
    void setEffect(qint32 effect) { m_effect = effect; }
    short button() const { return m_button; }
    short shift() const { return m_shift; }
    float x() const { return m_x; }
    float y() const { return m_y; }
    short state() const { return m_state; }

private:
    const QMimeData *m_data;
    qint32 m_effect;
    short m_button;
    short m_shift;
    float m_x;
    float m_y;
    short m_state;
};

// A drag of the box's selection starts: the effects allowed (1 copy, 2
// move, added); a handler that sets 0 cancels the drag.
class OLEStartDragEvent {
public:
    OLEStartDragEvent(QMimeData *data, qint32 allowedEffects) : m_data(data), m_allowedEffects(allowedEffects) {}
    QMimeData *data() const { return m_data; }
    qint32 allowedEffects() const { return m_allowedEffects; }
    void setAllowedEffects(qint32 effects) { m_allowedEffects = effects; }

private:
    QMimeData *m_data;
    qint32 m_allowedEffects;
};

// The dragged data is asked for in a format.
class OLESetDataEvent {
public:
    OLESetDataEvent(QMimeData *data, short dataFormat) : m_data(data), m_dataFormat(dataFormat) {}
    QMimeData *data() const { return m_data; }
    short dataFormat() const { return m_dataFormat; }
    void setDataFormat(short format) { m_dataFormat = format; }

private:
    QMimeData *m_data;
    short m_dataFormat;
};

// The drag shows its effect; a handler may draw its own pointers instead
// of the default ones.
class OLEFeedbackEvent {
public:
    explicit OLEFeedbackEvent(qint32 effect) : m_effect(effect) {}
    qint32 effect() const { return m_effect; }
    void setEffect(qint32 effect) { m_effect = effect; }
    bool defaultCursors() const { return m_defaultCursors; }
    void setDefaultCursors(bool on) { m_defaultCursors = on; }

private:
    qint32 m_effect;
    bool m_defaultCursors = true;
};

// The drag is over: the effect that took place (0 none, 1 copy, 2 move).
class OLECompleteDragEvent {
public:
    explicit OLECompleteDragEvent(qint32 effect) : m_effect(effect) {}
    qint32 effect() const { return m_effect; }
    void setEffect(qint32 effect) { m_effect = effect; }

private:
    qint32 m_effect;
};

} // namespace quorbel
