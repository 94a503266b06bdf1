#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace quorbel::cli {

// Opens a converter window on its own, as an outside program connects the
// add-in, with file in its code box when given; returns when the last
// window closes. The command line links no Qt: the add-in library, which
// does, is loaded now: $QUORBEL_ADDIN_LIBRARY, else the library beside this
// program (installed, or in the build tree), else the loader's search.
int runGui(const char *program, const std::optional<std::string> &file, std::ostream &err);

} // namespace quorbel::cli
