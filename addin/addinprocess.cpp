#include "addin/addinprocess.h"

#include "addin/wizard.h"
#include "dialogs/bugaboutentries.h"
#include "dialogs/optionsopener.h"
#include "platform/posix/posixshell.h"
#include "platform/posix/systemclock.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtcolourdialog.h"
#include "platform/qt/qtfiledialogs.h"
#include "platform/qt/qtmessageboxes.h"
#include "platform/qt/qtprinterchooser.h"
#include "platform/sqlite/sqlitesettingsstore.h"

#include <QDir>
#include <QObject>

namespace quorbel {

struct AddinProcess::Services {
    SqliteSettingsStore settings{SqliteSettingsStore::defaultFile()};
    QtMessageBoxes messages;
    QtFileDialogs fileDialogs;
    QtColourDialog colourDialog;
    PosixShell shell;
    SystemClock clock;
    QtClipboard clipboard;
    // Where the system has no printer, prints go into PDF files in the
    // home folder.
    QtPrinterChooser printers{QDir::homePath()};
};

AddinProcess::AddinProcess() : m_services(std::make_unique<Services>())
{
}

AddinProcess::~AddinProcess() = default;

Clipboard &AddinProcess::clipboard()
{
    return m_services->clipboard;
}

Clock &AddinProcess::clock()
{
    return m_services->clock;
}

MessageBoxes &AddinProcess::messages()
{
    return m_services->messages;
}

Shell &AddinProcess::shell()
{
    return m_services->shell;
}

PrinterChooser &AddinProcess::printers()
{
    return m_services->printers;
}

ConverterServices AddinProcess::converterServices()
{
    Services &s = *m_services;
    return {s.settings, s.messages, s.fileDialogs, s.shell, s.clock, s.clipboard, s.printers, m_process};
}

std::unique_ptr<Wizard> AddinProcess::makeWizard()
{
    return std::make_unique<Wizard>(Wizard::Services{m_services->messages, m_services->clipboard,
                                                     [this](vbe::VBE *environment) { showConverter(environment); }});
}

frmAddin *AddinProcess::showConverter(vbe::VBE *environment)
{
    Services &s = *m_services;
    ConverterDialogs dialogs;
    dialogs.showOptions = optionsOpener({s.settings, s.messages, s.colourDialog, m_process.syntax});
    setBugAboutEntries(dialogs, s.messages, s.shell);
    auto *window = new frmAddin(converterServices(), std::move(dialogs));
    window->VBInstance = environment;
    track(window);
    m_lastConverter = window;
    window->show();
    window->activateWindow();
    return window;
}

void AddinProcess::track(QObject *obj)
{
    objectMade();
    QObject::connect(obj, &QObject::destroyed, [this] { objectGone(); });
}

} // namespace quorbel
