#pragma once

#include "engine/colouriserstate.h"

#include <span>
#include <string>

namespace quorbel {

// What a process keeps between conversions: the page extension, the names of
// the code and its project (set by the caller before converting) and the
// line colouriser's state. One object per process in the add-in, one per run
// on the command line.
struct PageState {
    std::string PageExt;
    std::string CodeName;
    std::string ProjectName;
    ColouriserState colouriser;

    // The Sub (Function) names recorded by the current conversion, in order.
    std::span<const std::string> subNames() const { return colouriser.names(Declaration::Sub); }
    std::span<const std::string> functionNames() const { return colouriser.names(Declaration::Function); }
};

} // namespace quorbel
