#pragma once

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

#include <cstdint>
#include <functional>

namespace quorbel {

// The Qt colour of a colour value (red + 256 * green + 65536 * blue).
inline QColor qtColour(std::int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// A box filled with one colour that reports a left click: the colour boxes
// of the options dialog and the cells of its comment preview.
class ColourBox : public QFrame {
public:
    explicit ColourBox(QWidget *parent = nullptr) : QFrame(parent)
    {
        setAutoFillBackground(true);
        setFrameShape(QFrame::Box);
        setColour(0);
    }
    std::int32_t colour() const { return m_colour; }
    void setColour(std::int32_t value)
    {
        m_colour = value;
        QPalette p = palette();
        p.setColor(QPalette::Window, qtColour(value));
        setPalette(p);
    }
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && onClick)
            onClick();
    }

private:
    std::int32_t m_colour = 0;
};

// A label with a text colour that reports a left click (the texts of the
// comment preview).
class ColourLabel : public QLabel {
public:
    explicit ColourLabel(const QString &text, QWidget *parent = nullptr) : QLabel(text, parent) {}
    std::int32_t colour() const { return m_colour; }
    void setColour(std::int32_t value)
    {
        m_colour = value;
        QPalette p = palette();
        p.setColor(QPalette::WindowText, qtColour(value));
        setPalette(p);
    }
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && onClick)
            onClick();
        else
            QLabel::mousePressEvent(event);
    }

private:
    std::int32_t m_colour = 0;
};

} // namespace quorbel
