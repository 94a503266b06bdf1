#pragma once

#include "platform/qt/clipboard.h"

#include <QString>

namespace quorbel {

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
