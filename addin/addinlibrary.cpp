// libquorbel.so: the entry points a host resolves, the class objects of
// Quorbel.Wizard and Quorbel.VBCodeBox, and the converter window on its own
// for the command line's "gui". No exception leaves an entry point.
#include "addin/addinprocess.h"
#include "addin/wizard.h"
#include "codebox/vbcodebox.h"
#include "dialogs/bugaboutentries.h"
#include "platform/addinabi.h"
#include "platform/messageboxes.h"
#include "platform/qt/addinlist.h"

#include <QApplication>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#define QUORBEL_ENTRY extern "C" __attribute__((visibility("default")))

namespace quorbel {

namespace {

constexpr const char *kWizardProgId = "Quorbel.Wizard";
constexpr const char *kCodeBoxProgId = "Quorbel.VBCodeBox";
constexpr const char *kDisplayName = "Halvern'   Quorbel";
constexpr const char *kDescription = "An addin for Visual Basic which converts source code into html.";

std::unique_ptr<AddinProcess> &processSlot()
{
    static std::unique_ptr<AddinProcess> process;
    return process;
}

AddinProcess &process()
{
    auto &slot = processSlot();
    if (!slot)
        slot = std::make_unique<AddinProcess>();
    return *slot;
}

// Copies text into the caller's error buffer, cut to fit.
void report(char *error, std::size_t size, const std::string &text)
{
    if (error == nullptr || size == 0)
        return;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(error, text.data(), n);
    error[n] = '\0';
}

bool sameProgId(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return fold(x) == fold(y);
    });
}

// The path of this library, as the loader found it.
std::string libraryPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&libraryPath), &info) == 0 || info.dli_fname == nullptr)
        throw std::runtime_error("cannot find the path of the add-in library");
    return info.dli_fname;
}

// The connection object as the host holds it: the Wizard, with every call
// guarded so that a failure is shown as a message, never thrown at the host.
class GuardedConnection : public vbe::AddInConnection {
public:
    explicit GuardedConnection(AddinProcess &process) : m_process(process), m_wizard(process.makeWizard())
    {
        m_process.objectMade();
    }
    ~GuardedConnection() override { m_process.objectGone(); }

    void OnConnection(vbe::VBE &application, std::int32_t connectMode) override
    {
        guard([&] { m_wizard->OnConnection(application, connectMode); });
    }
    void OnDisconnection(std::int32_t removeMode) override
    {
        guard([&] { m_wizard->OnDisconnection(removeMode); });
    }

private:
    template<typename F>
    void guard(F &&call) noexcept
    {
        try {
            call();
        } catch (const std::exception &error) {
            showSafely(error.what());
        } catch (...) {
            showSafely("An unknown error occured in the add-in.");
        }
    }
    void showSafely(const std::string &text) noexcept
    {
        try {
            m_process.messages().show(text);
        } catch (...) {
        }
    }

    AddinProcess &m_process;
    std::unique_ptr<Wizard> m_wizard;
};

class WizardClass : public abi::ClassObject {
public:
    std::unique_ptr<vbe::AddInConnection> createConnection(std::string &error) noexcept override
    {
        try {
            return std::make_unique<GuardedConnection>(process());
        } catch (const std::exception &e) {
            error = e.what();
        } catch (...) {
            error = "cannot create Quorbel.Wizard";
        }
        return nullptr;
    }
    QWidget *createControl(QWidget *, std::string &error) noexcept override
    {
        error = "Quorbel.Wizard is not a control";
        return nullptr;
    }
};

class CodeBoxClass : public abi::ClassObject {
public:
    std::unique_ptr<vbe::AddInConnection> createConnection(std::string &error) noexcept override
    {
        error = "Quorbel.VBCodeBox is a control, not an add-in";
        return nullptr;
    }
    QWidget *createControl(QWidget *parent, std::string &error) noexcept override
    {
        try {
            AddinProcess &p = process();
            CodeBoxServices services{p.codeBoxes(), p.clipboard(), p.clock(), nullptr};
            services.messages = &p.messages();
            services.printers = &p.printers();
            // The box's AboutBox shows the About box over the box's window.
            QWidget *owner = parent;
            services.aboutBox = [&p, owner] { showAboutBox(owner, p.messages(), p.shell()); };
            auto *box = new VBCodeBox(services, parent);
            p.track(box);
            return box;
        } catch (const std::exception &e) {
            error = e.what();
        } catch (...) {
            error = "cannot create Quorbel.VBCodeBox";
        }
        return nullptr;
    }
};

// The environment of an outside program: no command bars, no code windows.
class NoEnvironment : public vbe::VBE, vbe::CommandBars, vbe::Events {
public:
    vbe::CommandBars &commandBars() override { return *this; }
    vbe::Events &events() override { return *this; }
    vbe::CodePane *ActiveCodePane() override { return nullptr; }
    vbe::CommandBar *Item(std::string_view) override { return nullptr; }
    std::unique_ptr<vbe::CommandBarEvents> commandBarEvents(vbe::CommandBarControl *) override
    {
        throw vbe::VbeError("No command bars");
    }
};

} // namespace

} // namespace quorbel

using namespace quorbel;

QUORBEL_ENTRY int QuorbelRegisterServer(const char *addinList, char *error, std::size_t errorSize)
{
    try {
        AddInList list(addinList != nullptr ? addinList : AddInList::defaultFile());
        list.put({kWizardProgId, kDisplayName, libraryPath(), true});
        return 0;
    } catch (const std::exception &e) {
        report(error, errorSize, e.what());
    } catch (...) {
        report(error, errorSize, "cannot register the add-in");
    }
    return 1;
}

QUORBEL_ENTRY int QuorbelUnregisterServer(const char *addinList, char *error, std::size_t errorSize)
{
    try {
        AddInList list(addinList != nullptr ? addinList : AddInList::defaultFile());
        list.remove(kWizardProgId);
        return 0;
    } catch (const std::exception &e) {
        report(error, errorSize, e.what());
    } catch (...) {
        report(error, errorSize, "cannot unregister the add-in");
    }
    return 1;
}

QUORBEL_ENTRY abi::ClassObject *QuorbelGetClassObject(const char *progId, char *error, std::size_t errorSize)
{
    static WizardClass wizard;
    static CodeBoxClass codeBox;
    const std::string_view id = progId != nullptr ? progId : "";
    if (sameProgId(id, kWizardProgId))
        return &wizard;
    if (sameProgId(id, kCodeBoxProgId))
        return &codeBox;
    report(error, errorSize, "no class " + std::string(id) + " in the Quorbel library");
    return nullptr;
}

QUORBEL_ENTRY int QuorbelCanUnloadNow()
{
    const auto &slot = processSlot();
    return !slot || slot->liveObjects() == 0 ? 1 : 0;
}

QUORBEL_ENTRY const char *QuorbelVersion()
{
    return QUORBEL_VERSION;
}

QUORBEL_ENTRY const char *QuorbelDescription()
{
    return kDescription;
}

// Opens a converter window as an outside program connects the add-in, with
// file in its code box when given, and runs the windows until the last one
// closes. Makes the QApplication when there is none. Returns the exit code
// of the event loop, or 1 with error set.
QUORBEL_ENTRY int QuorbelRunStandalone(int argc, char **argv, const char *file, char *error, std::size_t errorSize)
{
    try {
        static int appArgc = argc;
        std::unique_ptr<QApplication> app;
        if (QApplication::instance() == nullptr)
            app = std::make_unique<QApplication>(appArgc, argv);
        QApplication::setApplicationName(QStringLiteral("Quorbel"));
        int code = 0;
        {
            // Connected as by an outside program: the Wizard opens one
            // window at once and adds no menu entry.
            NoEnvironment environment;
            AddinProcess &p = process();
            GuardedConnection connection(p);
            connection.OnConnection(environment, vbe::ConnectExternal);
            frmAddin *window = p.lastConverter();
            if (window == nullptr)
                throw std::runtime_error("the converter window could not be opened");
            if (file != nullptr && *file != '\0')
                window->openFile(file);
            code = QApplication::exec();
            connection.OnDisconnection(0);
        }
        processSlot().reset();
        return code;
    } catch (const std::exception &e) {
        report(error, errorSize, e.what());
    } catch (...) {
        report(error, errorSize, "cannot open the converter window");
    }
    return 1;
}
