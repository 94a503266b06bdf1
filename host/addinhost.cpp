#include "host/addinhost.h"

#include "platform/messageboxes.h"

#include <QFileInfo>
#include <QLibrary>

#include <array>

namespace quorbel::host {

namespace {

// Room for the error texts the entry points write.
constexpr std::size_t kErrorSize = 1024;

// A failure on the way to a connected add-in; its text goes into the report.
class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::unique_ptr<QLibrary> loadLibrary(const std::string &path)
{
    if (path.empty())
        throw LoadError("the add-in list names no library");
    auto library = std::make_unique<QLibrary>(QString::fromStdString(path));
    if (!library->load())
        throw LoadError(library->errorString().toStdString());
    return library;
}

template<typename Fn>
Fn resolve(QLibrary &library, const char *name)
{
    auto *function = reinterpret_cast<Fn>(library.resolve(name));
    if (function == nullptr)
        throw LoadError(std::string("the library has no entry point ") + name);
    return function;
}

} // namespace

struct AddInHost::Connected {
    AddInEntry entry;
    std::unique_ptr<QLibrary> library;
    QuorbelCanUnloadFn canUnload = nullptr;
    std::unique_ptr<vbe::AddInConnection> connection;
};

AddInHost::AddInHost(vbe::VBE &application, MessageBoxes &messages, std::string listFile)
    : m_application(application), m_messages(messages), m_listFile(std::move(listFile))
{
}

AddInHost::~AddInHost()
{
    disconnectAll();
}

std::vector<AddInEntry> AddInHost::registered()
{
    try {
        return AddInList(m_listFile).entries();
    } catch (const std::exception &error) {
        m_messages.show(std::string("The add-in list could not be read: ") + error.what(), Buttons::Ok,
                        Icon::Exclamation, kHostTitle);
        return {};
    }
}

void AddInHost::connectAtStartup()
{
    for (const AddInEntry &entry : registered()) {
        if (entry.loadAtStartup)
            connect(entry, vbe::ConnectStartup);
    }
}

bool AddInHost::connect(const AddInEntry &entry, std::int32_t connectMode)
{
    if (isConnected(entry.progId))
        return true;
    auto addIn = std::make_unique<Connected>();
    addIn->entry = entry;
    try {
        addIn->library = loadLibrary(entry.libraryPath);
        const auto getClassObject = resolve<QuorbelGetClassObjectFn>(*addIn->library, abi::kGetClassObjectEntry);
        addIn->canUnload = resolve<QuorbelCanUnloadFn>(*addIn->library, abi::kCanUnloadEntry);
        std::array<char, kErrorSize> error{};
        abi::ClassObject *classObject = getClassObject(entry.progId.c_str(), error.data(), error.size());
        if (classObject == nullptr)
            throw LoadError(error[0] != '\0' ? error.data() : "the library does not know this ProgID");
        std::string reason;
        addIn->connection = classObject->createConnection(reason);
        if (addIn->connection == nullptr)
            throw LoadError(reason.empty() ? "the class object made no connection object" : reason);
        addIn->connection->OnConnection(m_application, connectMode);
    } catch (const std::exception &error) {
        report(entry, error.what());
        release(*addIn, -1);
        return false;
    } catch (...) {
        report(entry, "the add-in failed with an unknown error");
        release(*addIn, -1);
        return false;
    }
    m_connected.push_back(std::move(addIn));
    return true;
}

bool AddInHost::disconnect(const std::string &progId, std::int32_t removeMode)
{
    for (auto it = m_connected.begin(); it != m_connected.end(); ++it) {
        if ((*it)->entry.progId == progId) {
            std::unique_ptr<Connected> addIn = std::move(*it);
            m_connected.erase(it);
            release(*addIn, removeMode);
            return true;
        }
    }
    return false;
}

void AddInHost::disconnectAll(std::int32_t removeMode)
{
    while (!m_connected.empty()) {
        std::unique_ptr<Connected> addIn = std::move(m_connected.back());
        m_connected.pop_back();
        release(*addIn, removeMode);
    }
}

bool AddInHost::isConnected(const std::string &progId) const
{
    for (const auto &addIn : m_connected) {
        if (addIn->entry.progId == progId)
            return true;
    }
    return false;
}

void AddInHost::report(const AddInEntry &entry, const std::string &reason)
{
    m_messages.show("The add-in " + entry.progId + " (" + entry.libraryPath + ") was not loaded: " + reason,
                    Buttons::Ok, Icon::Exclamation, kHostTitle);
}

// Disconnects (a removeMode below 0: the connection failed, so there is
// nothing to disconnect), drops the connection object while its library is
// still loaded, then unloads the library when it allows it.
void AddInHost::release(Connected &addIn, std::int32_t removeMode)
{
    if (addIn.connection != nullptr && removeMode >= 0) {
        try {
            addIn.connection->OnDisconnection(removeMode);
        } catch (const std::exception &error) {
            m_messages.show("The add-in " + addIn.entry.progId + " failed to disconnect: " + error.what(), Buttons::Ok,
                            Icon::Exclamation, kHostTitle);
        } catch (...) {
            m_messages.show("The add-in " + addIn.entry.progId + " failed to disconnect", Buttons::Ok,
                            Icon::Exclamation, kHostTitle);
        }
    }
    addIn.connection.reset();
    if (addIn.library == nullptr || !addIn.library->isLoaded())
        return;
    // Without the can-unload entry point the library never got as far as
    // making anything, so nothing of it is alive.
    if (addIn.canUnload == nullptr || addIn.canUnload() != 0)
        addIn.library->unload();
    else
        m_kept.push_back(std::move(addIn.library));
}

std::string registerLibrary(const std::string &path, bool unregister, const std::string &listFile)
{
    try {
        // The library writes the path it was loaded from into the list: an
        // absolute one, so that the host finds it from any folder.
        const QFileInfo file(QString::fromStdString(path));
        const std::unique_ptr<QLibrary> library =
            loadLibrary(file.exists() ? file.absoluteFilePath().toStdString() : path);
        const auto entry = unregister ? resolve<QuorbelUnregisterFn>(*library, abi::kUnregisterEntry)
                                      : resolve<QuorbelRegisterFn>(*library, abi::kRegisterEntry);
        std::array<char, kErrorSize> error{};
        if (entry(listFile.empty() ? nullptr : listFile.c_str(), error.data(), error.size()) != 0)
            return error[0] != '\0' ? error.data() : "the library reported a failure";
        return {};
    } catch (const std::exception &error) {
        return path + ": " + error.what();
    }
}

} // namespace quorbel::host
