#pragma once

#include "platform/filedialogs.h"

#include <stdexcept>
#include <string>

namespace quorbel {

// A cancelled file dialog: the common dialog reports it as an error.
class DialogCancelled : public std::runtime_error {
public:
    DialogCancelled() : std::runtime_error("Cancel was selected.") {}
};

// The converter window's common file dialog (commd): one object shared by
// Open and Convert, so that a filter set by one stays for the other.
class CommonDialog {
public:
    explicit CommonDialog(FileDialogs &dialogs) : m_dialogs(dialogs) {}

    std::string Filter = "HTML (*.html*)|*.html*";
    std::string FileName;
    // The file name part of FileName, after a dialog returned.
    std::string FileTitle;

    // Show the dialog; FileName and FileTitle then hold the choice. Throws
    // DialogCancelled when the person cancelled.
    void ShowOpen() { show(FileDialogs::Kind::Open); }
    void ShowSave() { show(FileDialogs::Kind::Save); }

private:
    void show(FileDialogs::Kind kind)
    {
        const auto chosen = m_dialogs.show(kind, Filter, FileName);
        if (!chosen)
            throw DialogCancelled();
        FileName = *chosen;
        const auto slash = FileName.find_last_of('/');
        FileTitle = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
    }

    FileDialogs &m_dialogs;
};

} // namespace quorbel
