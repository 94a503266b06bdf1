#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

namespace quorbel {

// The clipboard as the code box reads it: whether it holds text, and the text.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // True when the clipboard holds text (the platform's plain-text format).
    virtual bool hasText() const = 0;
    // The clipboard's text; empty when it holds none.
    virtual QString text() const = 0;
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
};

// A clipboard held in memory, for tests: empty until setText.
class MemoryClipboard : public Clipboard {
public:
    bool hasText() const override { return m_hasText; }
    QString text() const override { return m_text; }

    void setText(const QString &text)
    {
        m_text = text;
        m_hasText = true;
    }
    void clear()
    {
        m_text.clear();
        m_hasText = false;
    }

private:
    QString m_text;
    bool m_hasText = false;
};

} // namespace quorbel
