#pragma once

#include "platform/error.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace quorbel {

// Raised by a property bag that cannot read or write a key; what() names the key.
class PropertyBagError : public Error {
public:
    using Error::Error;
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

// A property bag held in memory: every write is kept, in write order, as one
// (key, value) entry, so a key written twice appears twice. Keys match without
// regard to case; a read returns the value of the last entry under its key.
class MemoryPropertyBag : public PropertyBag {
public:
    using Entry = QPair<QString, QVariant>;

    MemoryPropertyBag() = default;
    explicit MemoryPropertyBag(QList<Entry> entries) : m_entries(std::move(entries)) {}

    QVariant read(const QString &key, const QVariant &def) override
    {
        if (!m_failOn.isEmpty() && key.compare(m_failOn, Qt::CaseInsensitive) == 0)
            throw PropertyBagError("cannot read the stored property \"" + key.toStdString() + "\"");
        for (auto it = m_entries.crbegin(); it != m_entries.crend(); ++it) {
            if (it->first.compare(key, Qt::CaseInsensitive) == 0)
                return it->second;
        }
        return def;
    }

    void write(const QString &key, const QVariant &value, const QVariant &def) override
    {
        if (value == def)
            return;
        m_entries.append({key, value});
    }

    // Every entry written or loaded, in order.
    const QList<Entry> &entries() const { return m_entries; }
    // Replaces the design's contents, as when a stored design is loaded.
    void load(QList<Entry> entries) { m_entries = std::move(entries); }
    // Every key in entry order (a key written twice appears twice).
    QStringList keys() const
    {
        QStringList result;
        for (const Entry &entry : m_entries)
            result.append(entry.first);
        return result;
    }
    // From now on, reading key (any letter case) throws PropertyBagError; an
    // empty key reads normally again.
    void failOn(const QString &key) { m_failOn = key; }

private:
    QList<Entry> m_entries;
    QString m_failOn;
};

} // namespace quorbel
