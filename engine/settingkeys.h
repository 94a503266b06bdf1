#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Every key of the settings store, spelled once, and the table of keys with
// the default each reader uses. Readers and writers name these constants;
// nothing else spells a key or a default.
namespace quorbel::keys {

// Converter window and page layout
inline constexpr std::string_view Frames = "Frames";
inline constexpr std::string_view Ext = "Ext";
inline constexpr std::string_view AutoColor = "AutoColor";
inline constexpr std::string_view ShowOptions = "ShowOptions";
inline constexpr std::string_view CommentsFrames = "Comments Frames";
inline constexpr std::string_view HTMLCommentShowSubs = "HTMLComment-Show Subs";

// Colours of the code on the page (the code box colour keys are built from
// the syntax names: see syntaxColourKey)
inline constexpr std::string_view SyntaxColorSuffix = "SyntaxColor";
inline constexpr std::string_view TextSyntaxColor = "Text    SyntaxColor";
inline constexpr std::string_view CommentSyntaxColor = "Comment SyntaxColor";
inline constexpr std::string_view KeySyntaxColor = "Key     SyntaxColor";
inline constexpr std::string_view IDSyntaxColor = "ID      SyntaxColor";
inline constexpr std::string_view BGroundSyntaxColor = "BGround SyntaxColor";
inline constexpr std::string_view HTMLCommentTextColor = "HTMLComment-Text Color";
inline constexpr std::string_view HTMLCommentKeyColor = "HTMLComment-Key Color";
inline constexpr std::string_view HTMLCommentIDColor = "HTMLComment-ID Color";
inline constexpr std::string_view HTMLCommentCommentColor = "HTMLComment-Comment Color";
inline constexpr std::string_view HTMLCommentPageBGColor = "HTMLComment-Page BG Color";

// Comment block layout
inline constexpr std::string_view HTMLCommentSpecifiedWidth = "HTMLComment-Specified Width";
inline constexpr std::string_view HTMLCommentCommentBG = "HTMLComment-CommentBG";
inline constexpr std::string_view HTMLCommentHeaderBGColor = "HTMLComment-Header BG Color";
inline constexpr std::string_view HTMLCommentCommentCellBGColor = "HTMLComment-Comment Cell BG Color";
inline constexpr std::string_view HTMLCommentNamesWidth = "HTMLComment-Names Width";
inline constexpr std::string_view HTMLCommentInfoWidth = "HTMLComment-Info Width";
inline constexpr std::string_view HTMLCommentFontName = "HTMLComment-Font Name";
inline constexpr std::string_view HTMLCommentFontSize = "HTMLComment-Font Size";
inline constexpr std::string_view HTMLCommentFontColor = "HTMLComment-Font Color";
inline constexpr std::string_view HTMLCommentSpecifyWidth = "HTMLComment-Specify Width";
inline constexpr std::string_view HTMLCommentPercentage = "HTMLComment-Percentage";
inline constexpr std::string_view PrintInHTML = "printInHTML";
inline constexpr std::string_view CommentsHTMLTagsOn = "Comments-HTML Tags on";

// Comment block content
inline constexpr std::string_view CommentsPrintCommentsInHTML = "Comments-Print Comments In HTML";
inline constexpr std::string_view CommentsPrintAuthor = "Comments-Print Author";
inline constexpr std::string_view CommentsAuthorInfo = "Comments-Author Info";
inline constexpr std::string_view CommentsPrintDate = "Comments-Print Date";
inline constexpr std::string_view CommentsPrintCurrentDate = "Comments-Print Current Date";
inline constexpr std::string_view CommentsDateInfo = "Comments-Date Info";
inline constexpr std::string_view CommentsPrintEmail = "Comments-Print Email";
inline constexpr std::string_view CommentsEmailInfo = "Comments-Email Info";
inline constexpr std::string_view CommentsPrintWebSite = "Comments-Print Web Site";
inline constexpr std::string_view CommentsWebSiteInfo = "Comments-Web Site Info";
inline constexpr std::string_view CommentsPrintExtra = "Comments-Print Extra";
inline constexpr std::string_view CommentsExtraName = "Comments-Extra Name";
inline constexpr std::string_view CommentsExtraInfo = "Comments-Extra Info";
inline constexpr std::string_view CommentPrintSubsAndFunctions = "Comment-Print Subs & Functions";

// Meta tags: kind is one of these two.
inline constexpr std::string_view MetaKindSystem = "System";
inline constexpr std::string_view MetaKindUser = "User";

inline constexpr std::string_view MetaSystemCount = "Meta System Count";
inline constexpr std::string_view MetaUserCount = "Meta User Count";

// "Meta " + kind + " Count"
std::string metaCount(std::string_view kind);
// "Meta " + kind + "Name Info No " + index (no blank between kind and Name)
std::string metaName(std::string_view kind, int index);
// "Meta " + kind + "Value Info No " + index
std::string metaValue(std::string_view kind, int index);

// Who reads a setting. Where readers differ in the default of a key, each
// uses its own.
enum class Reader {
    Page,    // the page writer, the comment block and the command line's conversion
    Window,  // the converter window and its code box
    Options, // the option dialogs
};

// A key of the store and the default of each reader; no default where the
// reader does not read the key.
struct SettingKey {
    std::string_view name;
    std::optional<std::string_view> page;
    std::optional<std::string_view> window;
    std::optional<std::string_view> options;
};

namespace detail {
inline constexpr std::optional<std::string_view> no;
} // namespace detail

// Every key with a fixed name (the META tag names and values are numbered:
// see metaName and metaValue, whose default is the empty text).
inline constexpr std::array kSettingKeys = {
    // Converter window and page layout
    SettingKey{Frames, "1", "1", detail::no},
    SettingKey{Ext, "html", "html", detail::no},
    SettingKey{AutoColor, detail::no, "1", detail::no},
    SettingKey{ShowOptions, detail::no, "1", detail::no},
    SettingKey{CommentsFrames, "1", detail::no, detail::no},
    SettingKey{HTMLCommentShowSubs, detail::no, "1", detail::no},
    // Colours of the code
    SettingKey{TextSyntaxColor, detail::no, "000000", "000000"},
    SettingKey{CommentSyntaxColor, detail::no, "378C13", "378C13"},
    SettingKey{KeySyntaxColor, detail::no, "1D048E", "1D048E"},
    SettingKey{IDSyntaxColor, detail::no, "B67C30", "B67C30"},
    SettingKey{BGroundSyntaxColor, detail::no, "FFFFFF", "FFFFFF"},
    SettingKey{HTMLCommentTextColor, "000000", detail::no, "000000"},
    SettingKey{HTMLCommentKeyColor, "1D048E", detail::no, detail::no},
    SettingKey{HTMLCommentIDColor, "B67C30", detail::no, detail::no},
    SettingKey{HTMLCommentCommentColor, "378C13", detail::no, detail::no},
    SettingKey{HTMLCommentPageBGColor, "FFFFFF", detail::no, detail::no},
    // Comment block layout. The page's title cell is light grey written with
    // zeros ("C0C0C0"), the form a browser reads as a colour; the dialogs
    // read the letters C and O.
    SettingKey{HTMLCommentSpecifiedWidth, "100", detail::no, "100"},
    SettingKey{HTMLCommentCommentBG, "FFFFFF", detail::no, "FFFFFF"},
    SettingKey{HTMLCommentHeaderBGColor, "C0C0C0", detail::no, "COCOCO"},
    SettingKey{HTMLCommentCommentCellBGColor, "86C1F2", detail::no, "86C1F2"},
    SettingKey{HTMLCommentNamesWidth, "30", detail::no, "30"},
    SettingKey{HTMLCommentInfoWidth, "70", detail::no, "70"},
    SettingKey{HTMLCommentFontName, "Arial", detail::no, "Arial"},
    SettingKey{HTMLCommentFontSize, "8", detail::no, "8"},
    SettingKey{HTMLCommentFontColor, detail::no, detail::no, "000000"},
    SettingKey{HTMLCommentSpecifyWidth, detail::no, detail::no, "1"},
    SettingKey{HTMLCommentPercentage, detail::no, detail::no, "1"},
    SettingKey{PrintInHTML, detail::no, detail::no, detail::no}, // written only
    SettingKey{CommentsHTMLTagsOn, detail::no, detail::no, "1"},
    // Comment block content
    SettingKey{CommentsPrintCommentsInHTML, "1", detail::no, "1"},
    SettingKey{CommentsPrintAuthor, "1", detail::no, "1"},
    SettingKey{CommentsAuthorInfo, "Your Name Goes here", detail::no, "Your Name"},
    SettingKey{CommentsPrintDate, "1", detail::no, "1"},
    SettingKey{CommentsPrintCurrentDate, "1", detail::no, "1"},
    SettingKey{CommentsDateInfo, "20/3/79", detail::no, "Date as String"},
    SettingKey{CommentsPrintEmail, "1", detail::no, "1"},
    SettingKey{CommentsEmailInfo, "your.name@example.com", detail::no, "your.name@example.com"},
    SettingKey{CommentsPrintWebSite, "1", detail::no, "1"},
    SettingKey{CommentsWebSiteInfo, "https://www.example.com/", detail::no, "https://www.example.com/"},
    SettingKey{CommentsPrintExtra, "1", detail::no, "1"},
    SettingKey{CommentsExtraName, "Title Goes Here", detail::no, "Extra Title"},
    SettingKey{CommentsExtraInfo, "A little bit about me or my code.", detail::no,
               "This is a little bit about me or my project"},
    SettingKey{CommentPrintSubsAndFunctions, "1", "1", "0"},
    // Meta tags
    SettingKey{MetaSystemCount, "0", detail::no, "0"},
    SettingKey{MetaUserCount, "0", detail::no, "0"},
};

// The default reader gives key (spelled as its constant, or a numbered META
// name or value key, whose default is empty). std::logic_error when the
// reader does not read the key: a reader of a key has an entry for it. In a
// constant expression that is a compile error.
constexpr std::string_view defaultFor(std::string_view key, Reader reader)
{
    for (const SettingKey &entry : kSettingKeys) {
        if (entry.name != key)
            continue;
        const std::optional<std::string_view> &def = reader == Reader::Page     ? entry.page
                                                     : reader == Reader::Window ? entry.window
                                                                                : entry.options;
        if (!def)
            throw std::logic_error("the setting is not read by this reader");
        return *def;
    }
    if (reader != Reader::Window && key.starts_with("Meta ") &&
        (key.find("Name Info No ") != std::string_view::npos || key.find("Value Info No ") != std::string_view::npos))
        return "";
    throw std::logic_error("no such setting key");
}

} // namespace quorbel::keys
