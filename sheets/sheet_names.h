// The controls of the statistics window `Stats` and the bracket sheet `Impress`, and the statistics' work
// list on the main window.
#pragma once

namespace zenkor {

// The statistics' hidden work list on the main window.
inline constexpr const char* kStatsWorkList = "List4";
// The statistics window's edition logo.
inline constexpr const char* kStatsLogoPicture = "Image1";
// The statistics window's picture shown until the podium is known.
inline constexpr const char* kStatsNoPodiumPicture = "Image2";
// The statistics window's title, also its caption.
inline constexpr const char* kStatsTitleText = "Text1";
// The statistics window's goal total.
inline constexpr const char* kStatsGoalTotalLabel = "Label1";
// The statistics window's ranking heading.
inline constexpr const char* kStatsRankingHeadingLabel = "Label3";
// The statistics window's ranking of the teams.
inline constexpr const char* kStatsRankingList = "List2";
// The statistics window's top scorers' heading.
inline constexpr const char* kStatsScorersHeadingLabel = "Label2";
// The statistics window's top scorers.
inline constexpr const char* kStatsScorersList = "List1";
// The statistics window's podium.
inline constexpr const char* kStatsPodiumFrame = "Frame2";
// The statistics window's trophy.
inline constexpr const char* kStatsTrophyPicture = "Image8";
// The statistics window's buttons, hidden while it prints.
inline constexpr const char* kStatsButtonsFrame = "Frame1";
// The statistics window's print button.
inline constexpr const char* kStatsPrintButton = "Command5";
// The statistics window's close button.
inline constexpr const char* kStatsCloseButton = "Command1";
// The bracket sheet's buttons, hidden while it prints.
inline constexpr const char* kBracketButtonsFrame = "Frame1";
// The bracket sheet's banner.
inline constexpr const char* kBracketBannerPicture = "Image1";
// The bracket sheet's edition logo.
inline constexpr const char* kBracketLogoPicture = "Image2";
// The bracket sheet's link to the site.
inline constexpr const char* kBracketSiteLinkLabel = "Label1";
// The bracket sheet's close button.
inline constexpr const char* kBracketCloseButton = "Command1";
// The bracket sheet's print button.
inline constexpr const char* kBracketPrintButton = "Command5";
// The bracket sheet's refresh button.
inline constexpr const char* kBracketRefreshButton = "Command2";

}  // namespace zenkor
