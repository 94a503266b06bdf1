#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace zentrim {

// Conversions of a value read from a stored design to a property's type.
// Each gives nothing when the value has the wrong type or does not fit, so
// that the caller can leave the property as it was.

// A whole number of 32 bits; text and fractions (rounded half to even) count,
// true counts as -1.
std::optional<qint32> storedInt32(const QVariant &value);
// A colour value, signed (-2147483633) or unsigned (2147483663).
std::optional<qint32> storedColour(const QVariant &value);
// A Boolean: a flag, a number (non-zero is true) or the text True or False.
std::optional<bool> storedBoolean(const QVariant &value);
// A text; any single value Qt can show as text.
std::optional<QString> storedText(const QVariant &value);

} // namespace zentrim
