#include "host/qtvbe.h"

#include "host/codewindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <cctype>

namespace quorbel::host {

QtVbe::QtVbe(QMdiArea &codeArea, Clipboard &clipboard, MessageBoxes &messages)
    : m_codeArea(codeArea), m_clipboard(clipboard), m_messages(messages)
{
}

QtVbe::~QtVbe() = default;

QtCommandBar &QtVbe::addBar(std::string name, QWidget &widget)
{
    m_barList.push_back(std::make_unique<QtCommandBar>(std::move(name), widget, m_clipboard));
    return *m_barList.back();
}

vbe::CodePane *QtVbe::ActiveCodePane()
{
    // The current window rather than the active one: while a window of an
    // add-in has the focus, the code window last used is still the one meant.
    QMdiSubWindow *window = m_codeArea.currentSubWindow();
    return window == nullptr ? nullptr : dynamic_cast<CodeWindow *>(window->widget());
}

vbe::CommandBar *QtVbe::Bars::Item(std::string_view name)
{
    for (const auto &bar : m_owner.m_barList) {
        const std::string barName = bar->Name();
        if (std::ranges::equal(barName, name,
                               [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); }))
            return bar.get();
    }
    return nullptr;
}

std::unique_ptr<vbe::CommandBarEvents> QtVbe::EventsImpl::commandBarEvents(vbe::CommandBarControl *control)
{
    if (control == nullptr)
        throw vbe::VbeError("Object required");
    auto *qtControl = dynamic_cast<QtCommandBarControl *>(control);
    if (qtControl == nullptr)
        throw vbe::VbeError("Type mismatch");
    return std::make_unique<QtCommandBarEvents>(*qtControl, m_owner.m_messages);
}

} // namespace quorbel::host
