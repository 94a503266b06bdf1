#pragma once

#include "engine/colouriser.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

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
    std::span<const std::string> subNames() const { return current(colouriser.SubNames, colouriser.SubCount); }
    std::span<const std::string> functionNames() const
    {
        return current(colouriser.FunctionNames, colouriser.FunctionCount);
    }

private:
    static std::span<const std::string> current(const std::vector<std::string> &names, int count)
    {
        const auto n = count < 0 ? std::size_t{0} : std::min(static_cast<std::size_t>(count), names.size());
        return std::span<const std::string>(names.data(), n);
    }
};

} // namespace quorbel
