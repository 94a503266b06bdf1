#include "dialogs/bugaboutentries.h"

#include "addin/frmaddin.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmbug.h"
#include "platform/messageboxes.h"

#include <exception>

namespace quorbel {

void showBugReport(QWidget *owner, MessageBoxes &messages, Shell &shell)
{
    frmBug dialog(messages, shell, owner);
    dialog.exec();
}

void showAboutBox(QWidget *owner, MessageBoxes &messages, Shell &shell)
{
    showAboutBox(owner, messages, [&messages, &shell](QWidget *parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<frmAbout>(messages, shell, parent);
    });
}

void showAboutBox(QWidget *owner, MessageBoxes &messages, const AboutBoxLoader &load)
{
    const auto failed = [&messages] {
        messages.show("Error occured in loading frmAbout", Buttons::Ok, Icon::Critical);
    };
    try {
        const std::unique_ptr<QDialog> box = load(owner);
        if (box == nullptr)
            return failed();
        box->exec();
    } catch (const std::exception &) {
        failed();
    }
}

void setBugAboutEntries(ConverterDialogs &dialogs, MessageBoxes &messages, Shell &shell)
{
    dialogs.showBug = [&messages, &shell](frmAddin &window) { showBugReport(&window, messages, shell); };
    dialogs.showAbout = [&messages, &shell](frmAddin &window) { showAboutBox(&window, messages, shell); };
}

} // namespace quorbel
