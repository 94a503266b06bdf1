#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace quorbel {

// The services a host window gives the embeddable controls it carries.
class ControlHost {
public:
    virtual ~ControlHost() = default;

    // True when the host runs the design (a user works with it), false while
    // the design is being edited.
    virtual bool userMode() const = 0;
    // Tells the host that the persisted property called name has changed, so
    // that it marks its design as modified.
    virtual void propertyChanged(const QString &name) = 0;
    // The font the host offers its controls.
    virtual QFont ambientFont() const = 0;
};

// A host that records every property-change notification in order; its user
// mode and ambient font are set by the test.
class RecordingControlHost : public ControlHost {
public:
    bool userMode() const override { return m_userMode; }
    void propertyChanged(const QString &name) override { m_notifications.append(name); }
    QFont ambientFont() const override { return m_ambientFont; }

    void setUserMode(bool userMode) { m_userMode = userMode; }
    void setAmbientFont(const QFont &font) { m_ambientFont = font; }
    // The names notified so far, oldest first.
    const QStringList &notifications() const { return m_notifications; }
    void clearNotifications() { m_notifications.clear(); }

private:
    bool m_userMode = true;
    QFont m_ambientFont;
    QStringList m_notifications;
};

} // namespace quorbel
