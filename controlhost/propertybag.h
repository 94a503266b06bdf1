#pragma once

#include <QString>
#include <QVariant>

#include <stdexcept>

namespace quorbel {

// Raised by a property bag that cannot read or write a key; what() names the key.
class PropertyBagError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The property store of a stored design: what an embeddable control reads when
// it is created from a design and writes when its host saves the design.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    // The value stored under key, or def when the design holds none. May throw
    // (PropertyBagError or another std::exception) when the stored value cannot
    // be read.
    virtual QVariant read(const QString &key, const QVariant &def) = 0;
    // Stores value under key; a value equal to def is left out of the design,
    // so a reader gets def back for it.
    virtual void write(const QString &key, const QVariant &value, const QVariant &def) = 0;
};

} // namespace quorbel
