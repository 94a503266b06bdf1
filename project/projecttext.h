#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorbel::project {

// The text of a project or group file. Its code page is detected like a
// source's; but a project file holds little text besides its file names,
// too little for detection to be sure, and a wrong code page loses the
// names of the files it lists. So when the bytes are not UTF-8 and no
// encoding is given and a listed file is missing under the detected code
// page, the common code pages of VB6 authors are tried too, and the text
// under which missing (the number of listed files that do not exist) is
// lowest wins, the detected one on a tie. Throws FileError when the file
// cannot be read, ConversionError when encoding does not fit.
std::string projectText(const std::string &path, std::string_view encoding,
                        const std::function<int(std::string_view text)> &missing);

} // namespace quorbel::project
