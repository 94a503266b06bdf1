#include "platform/qt/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quorbel {

bool QtClipboard::hasText() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::setImage(const QImage &picture)
{
    QGuiApplication::clipboard()->setImage(picture);
}

QImage QtClipboard::image() const
{
    return QGuiApplication::clipboard()->image();
}

void QtClipboard::setMimeData(std::unique_ptr<QMimeData> data)
{
    QGuiApplication::clipboard()->setMimeData(data.release());
}

} // namespace quorbel
