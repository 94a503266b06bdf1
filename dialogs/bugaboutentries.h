#pragma once

class QWidget;

namespace quorbel {

class MessageBoxes;
class Shell;
struct ConverterDialogs;

// Shows the bug report dialog modally over owner.
void showBugReport(QWidget *owner, MessageBoxes &messages, Shell &shell);
// Shows the About box modally over owner. A failure to make or show it is
// reported as "Error occured in loading frmAbout" (OK, critical icon).
void showAboutBox(QWidget *owner, MessageBoxes &messages, Shell &shell);
// Sets the converter window's Report Bug and About entries to the two
// dialogs above. messages and shell must outlive every window using them.
void setBugAboutEntries(ConverterDialogs &dialogs, MessageBoxes &messages, Shell &shell);

} // namespace quorbel
