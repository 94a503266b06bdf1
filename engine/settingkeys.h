#pragma once

#include <string>
#include <string_view>

// Every key of the settings store, spelled once. Readers and writers name
// these constants; nothing else spells a key.
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

// "Meta " + kind + " Count"
std::string metaCount(std::string_view kind);
// "Meta " + kind + "Name Info No " + index (no blank between kind and Name)
std::string metaName(std::string_view kind, int index);
// "Meta " + kind + "Value Info No " + index
std::string metaValue(std::string_view kind, int index);

} // namespace quorbel::keys
