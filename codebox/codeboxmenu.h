#pragma once

#include <QMenu>

#include <functional>

namespace quorbel {

class Clipboard;
class RichTextBox;

// The code box's pop-up edit menu, mnuPopUpMenu: Undo, Cut, Copy, Paste,
// Delete, Select All, Color Code (only while automatic colouring is off) and
// Print, on the box's visible text box. Entries are QActions named after
// them (mnuUndo, sep1, mnuCut, ...).
class CodeBoxMenu : public QMenu {
public:
    // What the menu asks of the code box.
    struct Actions {
        std::function<void(const QString &text)> paste;
        std::function<void()> colorCode;
        std::function<void()> print;
        std::function<bool()> colorAuto;
    };

    CodeBoxMenu(RichTextBox &rtb, Clipboard &clipboard, Actions actions, QWidget *parent);

    // Sets every entry's state from the text box, the clipboard and the
    // colouring mode: Paste, Color Code, its separator, Select All, Cut,
    // Copy, Delete, in this order.
    void updateStates();
    // Puts the selection on the clipboard: its text, and HTML and rich text
    // with its colours.
    void copySelection();

    QAction &action(const char *name) const;

private:
    QAction *add(const char *caption, const char *name, std::function<void()> run);
    QAction *separator(const char *name);

    RichTextBox &m_rtb;
    Clipboard &m_clipboard;
    Actions m_actions;
};

} // namespace quorbel
