#include "platform/qt/qtfiledialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace quorbel {

namespace {

QString qtPatterns(const QString &patterns)
{
    QStringList list;
    for (QString pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        if (pattern == u"*.*" || pattern == u"*.")
            pattern = QStringLiteral("*");
        list << pattern;
    }
    return list.join(u' ');
}

} // namespace

QString qtFileFilter(std::string_view filter)
{
    const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        filters << description + QStringLiteral(" (") + qtPatterns(parts[i + 1]) + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialogs::show(Kind kind, std::string_view filter, std::string_view fileName)
{
    const QString name = QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    const QString qtFilter = qtFileFilter(filter);
    const QString chosen = kind == Kind::Open
                               ? QFileDialog::getOpenFileName(m_parent, QStringLiteral("Open"), name, qtFilter)
                               : QFileDialog::getSaveFileName(m_parent, QStringLiteral("Save As"), name, qtFilter,
                                                              nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

} // namespace quorbel
