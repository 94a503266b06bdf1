#pragma once

#include "host/qtcommandbar.h"
#include "platform/vbe.h"

#include <memory>
#include <string>
#include <vector>

class QMdiArea;
class QWidget;

namespace quorbel {
class Clipboard;
class MessageBoxes;
} // namespace quorbel

namespace quorbel::host {

// The environment's object model over the host's Qt windows: command bars
// over its menus, click events over their actions, and the code pane of the
// current code window of the MDI area.
class QtVbe : public vbe::VBE {
public:
    QtVbe(QMdiArea &codeArea, Clipboard &clipboard, MessageBoxes &messages);
    ~QtVbe() override;

    // Makes widget (a menu or the menu bar) the command bar called name.
    QtCommandBar &addBar(std::string name, QWidget &widget);

    vbe::CommandBars &commandBars() override { return m_bars; }
    vbe::Events &events() override { return m_events; }
    vbe::CodePane *ActiveCodePane() override;

private:
    class Bars : public vbe::CommandBars {
    public:
        explicit Bars(QtVbe &owner) : m_owner(owner) {}
        // The bar of that name, found without regard to letter case.
        vbe::CommandBar *Item(std::string_view name) override;

    private:
        QtVbe &m_owner;
    };

    class EventsImpl : public vbe::Events {
    public:
        explicit EventsImpl(QtVbe &owner) : m_owner(owner) {}
        std::unique_ptr<vbe::CommandBarEvents> commandBarEvents(vbe::CommandBarControl *control) override;

    private:
        QtVbe &m_owner;
    };

    QMdiArea &m_codeArea;
    Clipboard &m_clipboard;
    MessageBoxes &m_messages;
    std::vector<std::unique_ptr<QtCommandBar>> m_barList;
    Bars m_bars{*this};
    EventsImpl m_events{*this};
};

} // namespace quorbel::host
