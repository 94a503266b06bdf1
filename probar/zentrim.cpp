#include "probar/zentrim.h"

#include "probar/probar.h"

#include <QString>

#include <exception>

namespace zentrim {

namespace {
const QString proBarClassName = QStringLiteral("Zentrim.ProBar");
}

QWidget *createControl(const QString &className, QWidget *parent, QString *error)
{
    // A host calls this from its own code; nothing may escape into it.
    try {
        if (className.compare(proBarClassName, Qt::CaseInsensitive) == 0)
            return new ProBar(parent);
        if (error)
            *error = QStringLiteral("no control class \"%1\" in Zentrim; it offers %2").arg(className, proBarClassName);
    } catch (const std::exception &e) {
        if (error)
            *error =
                QStringLiteral("cannot create the control \"%1\": %2").arg(className, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        if (error)
            *error = QStringLiteral("cannot create the control \"%1\"").arg(className);
    }
    return nullptr;
}

} // namespace zentrim

const char *zentrim_version()
{
    return ZENTRIM_VERSION;
}
