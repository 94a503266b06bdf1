#pragma once

#include "engine/pagestate.h"
#include "engine/settings.h"

#include <cstdint>

namespace quorbel {

// The code box values held once per process: every code box made with the
// same object reports and uses the same colours and flags.
struct CodeBoxShared {
    bool Color_Auto = true;
    std::int32_t Color_Text = 0;
    std::int32_t Color_Comment = 32768;
    std::int32_t Color_IDWords = 3177654;
    std::int32_t Color_KeyWords = 9307165;
    bool Font_Large = true;
};

// What the system keeps once per process, in one owner: the page state
// (PageExt, CodeName, ProjectName, the colouriser's name lists and comment
// continuation), the syntax element tables and the code boxes' shared
// values. The command line makes one per run; the add-in library makes one
// and hands it to every converter window and code box it creates, which
// share it. Not for several threads at once.
struct ProcessState {
    ProcessState() { loadSyntaxDefaults(syntax); }

    PageState page;
    SyntaxTables syntax;
    CodeBoxShared codeBox;
};

} // namespace quorbel
