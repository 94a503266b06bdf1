#include "fuzz/checks/fuzzchecks.h"

namespace quorbel::fuzz {

bool checkEngineByName(std::string_view name, std::string_view input)
{
    if (name == "quorbel_obj")
        checkQuorbelObj(input);
    else if (name == "line2html")
        checkLine2html(input);
    else if (name == "codeonly")
        checkCodeOnly(input);
    else if (name == "keyword")
        checkKeyWord(input);
    else if (name == "settings_keys")
        checkSettingsKeys(input);
    else if (name == "source_decoding")
        checkSourceDecoding(input);
    else
        return false;
    return true;
}

} // namespace quorbel::fuzz
