#pragma once

#include <QImage>
#include <QMimeData>
#include <QString>

#include <memory>

namespace quorbel {

// The clipboard as the code box and the add-in use it: text, a picture, and
// text in several formats at once.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // True when the clipboard holds text (the platform's plain-text format).
    virtual bool hasText() const = 0;
    // The clipboard's text; empty when it holds none.
    virtual QString text() const = 0;
    // Replaces the clipboard's content with a picture.
    virtual void setImage(const QImage &picture) = 0;
    // The clipboard's picture; a null image when it holds none.
    virtual QImage image() const = 0;
    // Replaces the clipboard's content with data in all its formats (plain
    // text, HTML, rich text, ...).
    virtual void setMimeData(std::unique_ptr<QMimeData> data) = 0;
};

} // namespace quorbel
