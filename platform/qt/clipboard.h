#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QString>

namespace quorbel {

// The clipboard as the code box and the add-in use it: text, and a picture.
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
};

// The application's clipboard. Needs a QGuiApplication.
class QtClipboard : public Clipboard {
public:
    bool hasText() const override
    {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        return data != nullptr && data->hasText();
    }
    QString text() const override { return QGuiApplication::clipboard()->text(); }
    void setImage(const QImage &picture) override { QGuiApplication::clipboard()->setImage(picture); }
    QImage image() const override { return QGuiApplication::clipboard()->image(); }
};

// A clipboard held in memory, for tests: empty until setText.
class MemoryClipboard : public Clipboard {
public:
    bool hasText() const override { return m_hasText; }
    QString text() const override { return m_text; }
    void setImage(const QImage &picture) override
    {
        clear();
        m_image = picture;
    }
    QImage image() const override { return m_image; }

    void setText(const QString &text)
    {
        clear();
        m_text = text;
        m_hasText = true;
    }
    void clear()
    {
        m_text.clear();
        m_hasText = false;
        m_image = QImage();
    }

private:
    QString m_text;
    bool m_hasText = false;
    QImage m_image;
};

} // namespace quorbel
