#include "probar/storedvalue.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace zentrim {

namespace {

// Stored designs come from text resources and older hosts, so a whole
// number may arrive as any numeric type or as text. Fractions round half to
// even and True counts as -1, as Basic's own conversions do.
std::optional<qint64> wholeNumber(const QVariant &value)
{
    const auto fromDouble = [](double d) -> std::optional<qint64> {
        if (!std::isfinite(d) || std::fabs(d) > 9.0e15)
            return std::nullopt;
        return qint64(std::nearbyint(d));
    };
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(value.toDouble());
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        bool ok = false;
        const qint64 whole = text.toLongLong(&ok);
        if (ok)
            return whole;
        const double d = QLocale::c().toDouble(text, &ok);
        return ok ? fromDouble(d) : std::nullopt;
    }
    default: {
        if (!value.isValid() || !value.canConvert<qlonglong>())
            return std::nullopt;
        bool ok = false;
        const qint64 whole = value.toLongLong(&ok);
        return ok ? std::optional<qint64>(whole) : std::nullopt;
    }
    }
}

} // namespace

std::optional<qint32> storedInt32(const QVariant &value)
{
    const auto whole = wholeNumber(value);
    if (!whole || *whole < std::numeric_limits<qint32>::min() || *whole > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*whole);
}

// A colour may be stored signed (-2147483633) or unsigned (2147483663).
std::optional<qint32> storedColour(const QVariant &value)
{
    const auto whole = wholeNumber(value);
    if (!whole || *whole < std::numeric_limits<qint32>::min() || *whole > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return qint32(quint32(*whole));
}

std::optional<bool> storedBoolean(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto whole = wholeNumber(value);
    return whole ? std::optional<bool>(*whole != 0) : std::nullopt;
}

std::optional<QString> storedText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (!value.isValid() || value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QVariantMap ||
        !value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

} // namespace zentrim
