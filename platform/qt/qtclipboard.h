#pragma once

#include "platform/qt/clipboard.h"

namespace quorbel {

// The application's clipboard. Needs a QGuiApplication.
class QtClipboard : public Clipboard {
public:
    bool hasText() const override;
    QString text() const override;
    void setImage(const QImage &picture) override;
    QImage image() const override;
    void setMimeData(std::unique_ptr<QMimeData> data) override;
};

} // namespace quorbel
