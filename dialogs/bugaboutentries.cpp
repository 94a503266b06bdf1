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
    try {
        frmAbout box(messages, shell, owner);
        box.exec();
    } catch (const std::exception &) {
        messages.show("Error occured in loading frmAbout", Buttons::Ok, Icon::Critical);
    }
}

void setBugAboutEntries(ConverterDialogs &dialogs, MessageBoxes &messages, Shell &shell)
{
    dialogs.showBug = [&messages, &shell](frmAddin &window) { showBugReport(&window, messages, shell); };
    dialogs.showAbout = [&messages, &shell](frmAddin &window) { showAboutBox(&window, messages, shell); };
}

} // namespace quorbel
