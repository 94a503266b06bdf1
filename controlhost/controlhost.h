#pragma once

#include <QFont>
#include <QString>

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

} // namespace quorbel
