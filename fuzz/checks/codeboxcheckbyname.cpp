#include "fuzz/checks/fuzzchecks.h"

namespace quorbel::fuzz {

bool checkCodeBoxByName(std::string_view name, std::string_view input)
{
    if (name != "rtf")
        return false;
    checkRtf(input);
    return true;
}

bool checkByName(std::string_view name, std::string_view input)
{
    return checkEngineByName(name, input) || checkCodeBoxByName(name, input);
}

} // namespace quorbel::fuzz
