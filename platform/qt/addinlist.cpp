#include "platform/qt/addinlist.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cstdlib>

namespace quorbel {

namespace {

// ProgIDs hold points ("Quorbel.Wizard"), which QSettings keeps as they are
// in group names; a slash would nest groups and is refused.
QString group(const std::string &progId)
{
    if (progId.empty() || progId.find_first_of("/\\") != std::string::npos)
        throw AddInListError("not a ProgID: \"" + progId + "\"");
    return QString::fromStdString(progId);
}

void check(const QSettings &settings, const std::string &file, const char *doing)
{
    switch (settings.status()) {
    case QSettings::NoError:
        return;
    case QSettings::AccessError:
        throw AddInListError(file + ": cannot " + doing + " the add-in list (no access)");
    case QSettings::FormatError:
        throw AddInListError(file + ": the add-in list is malformed");
    }
}

} // namespace

AddInList::AddInList(std::string file) : m_file(std::move(file))
{
}

std::string AddInList::defaultFile()
{
    std::string base;
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/')
        base = xdg;
    else if (const char *home = std::getenv("HOME"); home != nullptr && *home != '\0')
        base = std::string(home) + "/.config";
    else
        throw AddInListError("neither XDG_CONFIG_HOME nor HOME is set: no place for the add-in list");
    return base + "/quorbel/addins.ini";
}

std::vector<AddInEntry> AddInList::entries() const
{
    std::vector<AddInEntry> list;
    if (!QFileInfo::exists(QString::fromStdString(m_file)))
        return list;
    QSettings settings(QString::fromStdString(m_file), QSettings::IniFormat);
    check(settings, m_file, "read");
    for (const QString &progId : settings.childGroups()) {
        settings.beginGroup(progId);
        AddInEntry entry;
        entry.progId = progId.toStdString();
        entry.displayName = settings.value("DisplayName").toString().toStdString();
        entry.libraryPath = settings.value("Library").toString().toStdString();
        entry.loadAtStartup = settings.value("LoadAtStartup", true).toBool();
        settings.endGroup();
        list.push_back(std::move(entry));
    }
    return list;
}

void AddInList::put(const AddInEntry &entry)
{
    const QString name = group(entry.progId);
    QDir().mkpath(QFileInfo(QString::fromStdString(m_file)).absolutePath());
    QSettings settings(QString::fromStdString(m_file), QSettings::IniFormat);
    settings.beginGroup(name);
    settings.setValue("DisplayName", QString::fromStdString(entry.displayName));
    settings.setValue("Library", QString::fromStdString(entry.libraryPath));
    settings.setValue("LoadAtStartup", entry.loadAtStartup);
    settings.endGroup();
    settings.sync();
    check(settings, m_file, "write");
}

bool AddInList::remove(const std::string &progId)
{
    const QString name = group(progId);
    if (!QFileInfo::exists(QString::fromStdString(m_file)))
        return false;
    QSettings settings(QString::fromStdString(m_file), QSettings::IniFormat);
    check(settings, m_file, "read");
    if (!settings.childGroups().contains(name))
        return false;
    settings.remove(name);
    settings.sync();
    check(settings, m_file, "write");
    return true;
}

} // namespace quorbel
