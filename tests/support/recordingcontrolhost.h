#pragma once

#include "controlhost/controlhost.h"

#include <QStringList>

namespace quorbel {

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
