#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The files of one page set, derived from the target file name the user
// chose. Paths use "/".
struct PageFiles {
    std::string base;       // the target without the extension of its file-name part
    std::string baseName;   // the file-name part of base
    std::string codePage;   // single page: base + "." + ext; frames: base + "/Code." + ext
    std::string headerPage; // frames only: base + "/Header." + ext
    std::string framePage;  // frames only: base + "." + ext
    bool frames = false;
};

// The page set for target. Only the file-name part of target can hold the
// extension: a dot in a folder name, or one that starts the file name, is
// not one. Throws ConversionError when the file name has no extension, or
// when ext is empty or holds a "/".
PageFiles pageFiles(std::string_view target, std::string_view ext, bool frames);

} // namespace quorbel
