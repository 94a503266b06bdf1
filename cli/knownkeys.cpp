#include "cli/knownkeys.h"

#include "engine/asciicase.h"
#include "engine/settingkeys.h"

#include <string>

namespace quorbel::cli {

namespace {

// Whether folded is prefix + decimal digits (at least one) for one kind.
bool isIndexedMetaKey(const std::string &folded, const std::string &prefix)
{
    if (!folded.starts_with(prefix) || folded.size() == prefix.size())
        return false;
    for (std::size_t i = prefix.size(); i < folded.size(); ++i) {
        if (folded[i] < '0' || folded[i] > '9')
            return false;
    }
    return true;
}

} // namespace

bool isKnownKey(std::string_view key)
{
    const std::string folded = foldAsciiCase(key);
    for (const keys::SettingKey &known : keys::kSettingKeys) {
        if (folded == foldAsciiCase(known.name))
            return true;
    }
    for (std::string_view kind : {keys::MetaKindSystem, keys::MetaKindUser}) {
        // The key makers give the forms with index 0; cut it off for the prefix.
        const std::string name = foldAsciiCase(keys::metaName(kind, 0));
        const std::string value = foldAsciiCase(keys::metaValue(kind, 0));
        if (isIndexedMetaKey(folded, name.substr(0, name.size() - 1)) ||
            isIndexedMetaKey(folded, value.substr(0, value.size() - 1)))
            return true;
    }
    return false;
}

} // namespace quorbel::cli
