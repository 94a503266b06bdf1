#pragma once

#include "platform/qt/clipboard.h"

#include <QImage>
#include <QString>

namespace quorbel {

// A clipboard held in memory, for tests: empty until setText or setImage;
// each replaces what it held.
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
