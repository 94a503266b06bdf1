#include "engine/pagefiles.h"

#include "engine/conversionerror.h"

namespace quorbel {

PageFiles pageFiles(std::string_view target, std::string_view ext, bool frames)
{
    if (ext.empty() || ext.find('/') != std::string_view::npos || ext.find('\0') != std::string_view::npos)
        throw ConversionError("bad setting value: Ext = \"" + std::string(ext) +
                              "\" (an extension without \"/\" is needed)");
    const auto slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = target.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart)
        throw ConversionError("the target file name has no extension: " + std::string(target));

    PageFiles files;
    files.frames = frames;
    files.base = std::string(target.substr(0, dot));
    files.baseName = files.base.substr(nameStart);
    const std::string dotExt = "." + std::string(ext);
    if (frames) {
        files.codePage = files.base + "/Code" + dotExt;
        files.headerPage = files.base + "/Header" + dotExt;
        files.framePage = files.base + dotExt;
    } else {
        files.codePage = files.base + dotExt;
    }
    return files;
}

} // namespace quorbel
