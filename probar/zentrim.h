#pragma once

#include "probar/zentrim_export.h"

class QString;
class QWidget;

namespace zentrim {

// Creates a control of the library by its class name. The only class is
// "Zentrim.ProBar"; the name matches without regard to ASCII case, as class
// names of stored designs do. For any other name, or when the control cannot
// be made, returns nullptr and puts the reason into *error (when error is not
// null); never throws. The new control belongs to parent (nullptr: to the
// caller) and has no host yet (ProBar::setHost).
ZENTRIM_EXPORT QWidget *createControl(const QString &className, QWidget *parent, QString *error);

} // namespace zentrim

// The library's version, "major.minor.patch".
extern "C" ZENTRIM_EXPORT const char *zentrim_version();
