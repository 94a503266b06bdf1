#pragma once

#include "platform/vbe.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string_view>

namespace quorbel {

class Clipboard;
class MessageBoxes;

// The caption of the add-in's entry in the "Add-Ins" menu.
inline constexpr std::string_view kMenuCaption = "Quorbel";
// What the entry's OnAction holds.
inline constexpr std::string_view kMenuAction = "hello";

// Adds a button captioned caption with the face picture at the end of the
// environment's "Add-Ins" bar and returns it; null when there is no such bar
// or anything fails on the way (a button already added then stays on the
// bar). The new button begins a group when the control before it begins one
// and the control before that does not; with fewer than two controls before
// it the bar's default stands. The picture replaces the clipboard's content.
vbe::CommandBarControl *AddMenuEntry(vbe::VBE &vbInstance, std::string_view caption, const QImage &picture,
                                     Clipboard &clipboard);

// The connection object the environment creates for the add-in
// (Quorbel.Wizard): adds the menu entry on connection, opens a converter
// window on each click, and removes the entry on disconnection.
class Wizard : public vbe::AddInConnection {
public:
    struct Services {
        MessageBoxes &messages;
        Clipboard &clipboard;
        // Opens one more converter window on the environment (owning
        // itself); the environment is null when not connected.
        std::function<void(vbe::VBE *)> showConverter;
    };

    explicit Wizard(Services services);
    ~Wizard() override;

    // Keeps application; in the outside-program mode (2) opens a converter
    // window and adds no entry, else adds the "Quorbel" entry and listens to
    // its clicks. An error shows its description in a message box.
    void OnConnection(vbe::VBE &application, std::int32_t connectMode) override;
    // Deletes the menu entry, if one was made.
    void OnDisconnection(std::int32_t removeMode) override;
    // Opens a new converter window on VBInstance.
    void ShowConverter();

    vbe::VBE *VBInstance = nullptr;
    vbe::CommandBarControl *MenuEntry = nullptr;
    std::unique_ptr<vbe::CommandBarEvents> MenuHandler;

private:
    void MenuHandler_Click(vbe::ClickEvent &event);

    Services m_services;
};

} // namespace quorbel
