#pragma once

#include "platform/qt/clipboard.h"

#include <QImage>
#include <QMimeData>
#include <QString>

#include <memory>

namespace quorbel {

// A clipboard held in memory, for tests: empty until setText, setImage or
// setMimeData; each replaces what it held.
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
    void setMimeData(std::unique_ptr<QMimeData> data) override
    {
        clear();
        m_hasText = data->hasText();
        m_text = data->text();
        m_data = std::move(data);
    }
    // What setMimeData put there last; null after any other change.
    const QMimeData *mimeData() const { return m_data.get(); }

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
        m_data.reset();
    }

private:
    QString m_text;
    bool m_hasText = false;
    QImage m_image;
    std::unique_ptr<QMimeData> m_data;
};

} // namespace quorbel
