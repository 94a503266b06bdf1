#pragma once

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace quorbel {

class MessageBoxes;
class Shell;
struct ConverterDialogs;

// Shows the bug report dialog modally over owner.
void showBugReport(QWidget *owner, MessageBoxes &messages, Shell &shell);
// Makes the About box over owner; throws when it cannot.
using AboutBoxLoader = std::function<std::unique_ptr<QDialog>(QWidget *owner)>;

// Shows the About box modally over owner. A failure to make or show it is
// reported as "Error occured in loading frmAbout" (OK, critical icon), and
// the command ends there.
void showAboutBox(QWidget *owner, MessageBoxes &messages, Shell &shell);
// The same with the About box made by load.
void showAboutBox(QWidget *owner, MessageBoxes &messages, const AboutBoxLoader &load);
// Sets the converter window's Report Bug and About entries to the two
// dialogs above. messages and shell must outlive every window using them.
void setBugAboutEntries(ConverterDialogs &dialogs, MessageBoxes &messages, Shell &shell);

} // namespace quorbel
