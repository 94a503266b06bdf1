#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

// One control of a designer block: its type ("VB.CommandButton"), its name
// and the controls it holds, in the order written.
struct Control {
    std::string type;
    std::string name;
    std::vector<Control> children;
};

// The control tree of the designer block that opens a form, user control,
// property page or document source: the "Begin TYPE NAME" ... "End" lines
// before the code (property groups "BeginProperty" ... "EndProperty" are
// skipped). The root is the designer itself (the form); nothing when the
// text has no designer block. An unclosed block ends with the text.
std::vector<Control> designerControls(std::string_view text);

} // namespace quorbel::project
