#pragma once

#include "addin/frmaddin.h"
#include "engine/processstate.h"

#include <QPointer>

#include <memory>
#include <string>

namespace quorbel {

class Shell;
class Wizard;
namespace vbe {
class VBE;
}

// Everything the add-in library keeps once per process: the platform's
// services (settings store, message boxes, file dialogs, shell, clock,
// clipboard, printer choice) and the state that every converter window and code box shares.
// Made when the first object of the library is asked for, on the thread of
// the host's QApplication.
class AddinProcess {
public:
    AddinProcess();
    ~AddinProcess();
    AddinProcess(const AddinProcess &) = delete;
    AddinProcess &operator=(const AddinProcess &) = delete;

    // The services of a converter window.
    ConverterServices converterServices();
    // A new connection object whose clicks open converter windows.
    std::unique_ptr<Wizard> makeWizard();
    // Opens one more converter window on the environment (may be null);
    // returns it, shown.
    frmAddin *showConverter(vbe::VBE *environment);

    // The converter window opened last, while it is open.
    frmAddin *lastConverter() const { return m_lastConverter; }

    CodeBoxShared &codeBoxes() { return m_process.codeBox; }
    Clipboard &clipboard();
    Clock &clock();
    MessageBoxes &messages();
    Shell &shell();
    PrinterChooser &printers();

    // Objects of the library alive now (connections, windows, controls):
    // the library may be unloaded only when there are none.
    int liveObjects() const { return m_live; }
    void objectMade() { ++m_live; }
    void objectGone() { --m_live; }
    // Counts obj as alive until it is destroyed.
    void track(class QObject *obj);

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    ProcessState m_process;
    int m_live = 0;
    QPointer<frmAddin> m_lastConverter;
};

} // namespace quorbel
