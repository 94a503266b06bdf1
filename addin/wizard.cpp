#include "addin/wizard.h"

#include "addin/menupicture.h"
#include "platform/messageboxes.h"
#include "platform/qt/clipboard.h"

#include <exception>

namespace quorbel {

namespace {

constexpr std::string_view kAddInsBar = "Add-Ins";

} // namespace

vbe::CommandBarControl *AddMenuEntry(vbe::VBE &vbInstance, std::string_view caption, const QImage &picture,
                                     Clipboard &clipboard)
{
    try {
        vbe::CommandBar *bar = vbInstance.commandBars().Item(kAddInsBar);
        if (bar == nullptr)
            return nullptr;
        vbe::CommandBarControls &controls = bar->Controls();
        vbe::CommandBarControl &button = controls.Add(vbe::kControlButton);
        // Controls n and n - 1 stand just before the new button. With fewer
        // than two of them there is no pair to look at, and the bar's
        // default stands.
        const int n = controls.Count() - 1;
        if (n >= 2 && controls.Item(n).BeginGroup() && !controls.Item(n - 1).BeginGroup())
            button.setBeginGroup(true);
        button.setCaption(caption);
        button.setOnAction(kMenuAction);
        clipboard.setImage(picture);
        button.PasteFace();
        return &button;
    } catch (const std::exception &) {
        return nullptr;
    }
}

Wizard::Wizard(Services services) : m_services(std::move(services))
{
}

Wizard::~Wizard() = default;

void Wizard::OnConnection(vbe::VBE &application, std::int32_t connectMode)
{
    try {
        VBInstance = &application;
        if (connectMode == vbe::ConnectExternal) {
            ShowConverter();
            return;
        }
        MenuEntry = AddMenuEntry(application, kMenuCaption, menuPicture(), m_services.clipboard);
        MenuHandler = application.events().commandBarEvents(MenuEntry);
        MenuHandler->setClickHandler([this](vbe::ClickEvent &event) { MenuHandler_Click(event); });
    } catch (const std::exception &error) {
        m_services.messages.show(error.what());
    }
}

void Wizard::OnDisconnection(std::int32_t)
{
    if (MenuEntry == nullptr)
        return;
    MenuEntry->Delete();
    MenuEntry = nullptr;
}

void Wizard::ShowConverter()
{
    if (m_services.showConverter)
        m_services.showConverter(VBInstance);
}

void Wizard::MenuHandler_Click(vbe::ClickEvent &)
{
    ShowConverter();
}

} // namespace quorbel
