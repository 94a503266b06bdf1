#include "cli/knownkeys.h"

#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "platform/settings/memorysettingsstore.h"

#include <array>

namespace quorbel::cli {

namespace {

constexpr std::array kTableKeys = {keys::Frames,
                                   keys::Ext,
                                   keys::AutoColor,
                                   keys::ShowOptions,
                                   keys::CommentsFrames,
                                   keys::HTMLCommentShowSubs,
                                   keys::HTMLCommentTextColor,
                                   keys::HTMLCommentKeyColor,
                                   keys::HTMLCommentIDColor,
                                   keys::HTMLCommentCommentColor,
                                   keys::HTMLCommentPageBGColor,
                                   keys::HTMLCommentSpecifiedWidth,
                                   keys::HTMLCommentCommentBG,
                                   keys::HTMLCommentHeaderBGColor,
                                   keys::HTMLCommentCommentCellBGColor,
                                   keys::HTMLCommentNamesWidth,
                                   keys::HTMLCommentInfoWidth,
                                   keys::HTMLCommentFontName,
                                   keys::HTMLCommentFontSize,
                                   keys::HTMLCommentFontColor,
                                   keys::HTMLCommentSpecifyWidth,
                                   keys::HTMLCommentPercentage,
                                   keys::PrintInHTML,
                                   keys::CommentsHTMLTagsOn,
                                   keys::CommentsPrintCommentsInHTML,
                                   keys::CommentsPrintAuthor,
                                   keys::CommentsAuthorInfo,
                                   keys::CommentsPrintDate,
                                   keys::CommentsPrintCurrentDate,
                                   keys::CommentsDateInfo,
                                   keys::CommentsPrintEmail,
                                   keys::CommentsEmailInfo,
                                   keys::CommentsPrintWebSite,
                                   keys::CommentsWebSiteInfo,
                                   keys::CommentsPrintExtra,
                                   keys::CommentsExtraName,
                                   keys::CommentsExtraInfo,
                                   keys::CommentPrintSubsAndFunctions};

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
    for (std::string_view known : kTableKeys) {
        if (folded == foldAsciiCase(known))
            return true;
    }
    SyntaxTables tables;
    loadSyntaxDefaults(tables);
    for (int i = 0; i < 5; ++i) {
        if (folded == foldAsciiCase(syntaxColourKey(tables, i)))
            return true;
    }
    for (std::string_view kind : {keys::MetaKindSystem, keys::MetaKindUser}) {
        // The key makers give the forms with index 0; cut it off for the prefix.
        const std::string name = foldAsciiCase(keys::metaName(kind, 0));
        const std::string value = foldAsciiCase(keys::metaValue(kind, 0));
        if (folded == foldAsciiCase(keys::metaCount(kind)) ||
            isIndexedMetaKey(folded, name.substr(0, name.size() - 1)) ||
            isIndexedMetaKey(folded, value.substr(0, value.size() - 1)))
            return true;
    }
    return false;
}

} // namespace quorbel::cli
