#include "engine/settingkeys.h"

namespace quorbel::keys {

std::string metaCount(std::string_view kind)
{
    std::string key = "Meta ";
    key += kind;
    key += " Count";
    return key;
}

std::string metaName(std::string_view kind, int index)
{
    std::string key = "Meta ";
    key += kind;
    key += "Name Info No ";
    key += std::to_string(index);
    return key;
}

std::string metaValue(std::string_view kind, int index)
{
    std::string key = "Meta ";
    key += kind;
    key += "Value Info No ";
    key += std::to_string(index);
    return key;
}

} // namespace quorbel::keys
