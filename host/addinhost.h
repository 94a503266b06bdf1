#pragma once

#include "platform/addinabi.h"
#include "platform/qt/addinlist.h"
#include "platform/vbe.h"

#include <memory>
#include <string>
#include <vector>

class QLibrary;

namespace quorbel {
class MessageBoxes;
} // namespace quorbel

namespace quorbel::host {

// The title of the host's own message boxes.
inline constexpr std::string_view kHostTitle = "Quorbel Host";

// Loads the add-ins of the per-user add-in list into the host and connects
// them to its object model. A library that cannot be loaded, lacks an entry
// point, does not know the ProgID or fails to make or connect its
// connection object is reported in a message box and skipped. Every call
// into an add-in is guarded: no exception leaves this class.
class AddInHost {
public:
    AddInHost(vbe::VBE &application, MessageBoxes &messages, std::string listFile);
    // Disconnects every add-in still connected.
    ~AddInHost();
    AddInHost(const AddInHost &) = delete;
    AddInHost &operator=(const AddInHost &) = delete;

    // The registered add-ins; an unreadable list is reported and is empty.
    std::vector<AddInEntry> registered();
    // Connects every registered add-in that loads at start (connect mode 1).
    void connectAtStartup();
    // Loads entry's library and connects its add-in; false (after a message
    // box) when that fails. An add-in already connected stays as it is.
    bool connect(const AddInEntry &entry, std::int32_t connectMode);
    // Disconnects the add-in of progId and unloads its library when the
    // library allows it; false when it was not connected.
    bool disconnect(const std::string &progId, std::int32_t removeMode = 0);
    // Disconnects every add-in, the last connected first.
    void disconnectAll(std::int32_t removeMode = 0);
    bool isConnected(const std::string &progId) const;

    const std::string &listFile() const { return m_listFile; }

private:
    struct Connected;

    void report(const AddInEntry &entry, const std::string &reason);
    void release(Connected &addIn, std::int32_t removeMode);

    vbe::VBE &m_application;
    MessageBoxes &m_messages;
    std::string m_listFile;
    std::vector<std::unique_ptr<Connected>> m_connected;
    // Libraries that said they could not be unloaded yet; they stay loaded.
    std::vector<std::unique_ptr<QLibrary>> m_kept;
};

// Calls the register (or unregister) entry point of the library at path,
// which writes the add-in list listFile (the user's default one when empty).
// Returns an empty text on success, else what went wrong.
std::string registerLibrary(const std::string &path, bool unregister, const std::string &listFile);

} // namespace quorbel::host
