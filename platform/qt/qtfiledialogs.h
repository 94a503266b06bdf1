#pragma once

#include "platform/filedialogs.h"

#include <QString>

class QWidget;

namespace quorbel {

// A filter of the form "Description|pattern|..." in Qt's form, one
// "Description (patterns)" per line: the description's own pattern list in
// parentheses, if any, gives way to the pattern part, whose ";" become
// blanks. The catch-all patterns "*.*" and "*." take every file, as their
// description ("All Files") says.
QString qtFileFilter(std::string_view filter);

// The file dialogs of Qt, on top of parent.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    std::optional<std::string> show(Kind kind, std::string_view filter, std::string_view fileName) override;

private:
    QWidget *m_parent;
};

} // namespace quorbel
