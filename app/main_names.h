// The main window's controls that its own designs create, and those that a library below their
// design reads. The names are the ones the language and edition files are keyed on.
#pragma once

namespace zenkor {

// The button row's switch between the group and knockout views.
inline constexpr const char* kViewSwitchButton = "Command1";
// The button row's save button.
inline constexpr const char* kSaveButton = "Command3";
// The button row's help button.
inline constexpr const char* kHelpButton = "Command6";
// The button row's update button.
inline constexpr const char* kUpdateButton = "Command8";
// The button row's history button.
inline constexpr const char* kHistoryButton = "Command11";
// The button row's button that opens the bracket sheet.
inline constexpr const char* kBracketButton = "Command13";
// The button row's calendar button.
inline constexpr const char* kCalendarButton = "Command15";
// The button row's button that opens the statistics window.
inline constexpr const char* kStatsButton = "Command21";
// The button row's qualifiers button; its tag marks the qualifiers file as loaded.
inline constexpr const char* kQualifiersButton = "Command26";
// The silent unlock zone after the last button.
inline constexpr const char* kUnlockLabel = "Label12";
// The advertised picture, shown to a user with a pseudonym.
inline constexpr const char* kAdvertPicture = "Image14";
// The quit button.
inline constexpr const char* kQuitButton = "Command5";
// The banner below the best thirds.
inline constexpr const char* kBannerPicture = "Image6";
// The label over the banner whose hover brings back the matches of the day.
inline constexpr const char* kBannerHoverLabel = "Label25";
// The help panel's title, also the window's caption.
inline constexpr const char* kHelpTitleLabel = "Label2";
// The help panel's version line.
inline constexpr const char* kVersionLabel = "Label7";
// The help panel's help texts (array).
inline constexpr const char* kHelpTextLabels = "Label5";
// The help panel's about texts, (4) the author's link (array).
inline constexpr const char* kAboutLabels = "Label6";
// The help panel's button to the knockout view.
inline constexpr const char* kHelpKnockoutViewButton = "Command10";
// The help panel's button to the group view.
inline constexpr const char* kHelpGroupViewButton = "Command9";
// The help panel's switch to and from compact mode.
inline constexpr const char* kCompactModeButton = "Command14";
// The help panel's back button.
inline constexpr const char* kHelpBackButton = "Command2";
// The knockout view.
inline constexpr const char* kKnockoutViewFrame = "Frame9";
// The matches-of-the-day panel.
inline constexpr const char* kDayMatchesFrame = "Frame18";
// The matches-of-the-day panel's heading.
inline constexpr const char* kDayMatchesHeadingLabel = "Label14";
// The matches-of-the-day panel's day picker.
inline constexpr const char* kDayMatchesDayCombo = "Combo3";
// The matches-of-the-day panel's month picker.
inline constexpr const char* kDayMatchesMonthCombo = "Combo4";
// The matches-of-the-day panel's close picture.
inline constexpr const char* kDayMatchesClosePicture = "Image11";
// The hidden list of every match of the edition, read by the matches of the day.
inline constexpr const char* kEditionMatchesList = "List1";
// The hidden list of the chosen day's matches, in kick-off order.
inline constexpr const char* kDayMatchesList = "List2";
// The timer that closes the matches of the day and the banner.
inline constexpr const char* kDayMatchesTimer = "Timer1";
// The first-use panel.
inline constexpr const char* kFirstUseFrame = "Frame21";
// The first-use panel's border.
inline constexpr const char* kFirstUseBorderShape = "Shape8";
// The first-use panel's picture.
inline constexpr const char* kFirstUsePicture = "Image19";
// The first-use panel's greeting.
inline constexpr const char* kFirstUseLabel = "Label23";
// The timer that closes the first-use panel.
inline constexpr const char* kFirstUseTimer = "Timer2";
// The update-preparation panel.
inline constexpr const char* kUpdatePanelFrame = "Frame20";
// The update-preparation fields: (0) password, (1) pseudonym, (2) running version, (3) edition file's
// version.
inline constexpr const char* kUpdateFieldTexts = "Text2";
// Notes: (3) the play-offs' caption, (5) the play-off qualifiers' caption, (6) the update panel's warning
// (array).
inline constexpr const char* kPanelNoteLabels = "Label17";
// The update panel's status frame around the send button, red until the file is saved.
inline constexpr const char* kSendStatusShape = "Shape9";
// The update panel's send button.
inline constexpr const char* kSendButton = "Command16";
// The qualifiers' actions: (0, 1) fill, (2) reset, (3) calendar, (5) trim (array).
inline constexpr const char* kQualifierActionButtons = "Command22";
// The qualifiers' counts: (0) matches played, (1) group matches played, (2) fixtures shown (array).
inline constexpr const char* kQualifierCountLabels = "Label24";
// The qualifiers' play-offs frame; its tag marks a load in progress.
inline constexpr const char* kPlayOffsFrame = "Frame22";
// The history panel's goal total.
inline constexpr const char* kHistoryGoalTotalLabel = "Label15";
// The history panel's heading.
inline constexpr const char* kHistoryHeadingLabel = "Label13";
// The history panel's list of editions.
inline constexpr const char* kHistoryEditionsCombo = "Combo1";
// The history panel's open button.
inline constexpr const char* kHistoryOpenButton = "Command12";
// The history panel's logo of the chosen edition.
inline constexpr const char* kHistoryLogoPicture = "Image9";
// The hidden bank of edition logos (array).
inline constexpr const char* kEditionLogoBank = "Image10";
// The history panel's button back to the current edition.
inline constexpr const char* kHistoryBackButton = "Command4";
// The news line.
inline constexpr const char* kNewsLabel = "Label10";
// The bar under the news line.
inline constexpr const char* kNewsBarShape = "Shape3";
// The hidden name of the edition on display, in group A's frame.
inline constexpr const char* kEditionNameText = "Text1";
// The current edition's logo in the knockout view.
inline constexpr const char* kCurrentLogoPicture = "Image17";
// Group A's frame.
inline constexpr const char* kGroupAFrame = "Frame1";
// Group B's frame.
inline constexpr const char* kGroupBFrame = "Frame2";
// Group C's frame.
inline constexpr const char* kGroupCFrame = "Frame3";
// Group D's frame.
inline constexpr const char* kGroupDFrame = "Frame4";
// Group E's frame.
inline constexpr const char* kGroupEFrame = "Frame6";
// Group F's frame.
inline constexpr const char* kGroupFFrame = "Frame7";
// The qualifiers' hidden work frame (grid, ties, maxima, entry text).
inline constexpr const char* kQualifierWorkFrame = "Frame5";
// The qualifiers' board of the qualified teams.
inline constexpr const char* kQualifierBoardFrame = "Frame8";
// The knockout view's round of 16.
inline constexpr const char* kRoundOf16Frame = "Frame10";
// The knockout view's match information panel.
inline constexpr const char* kKnockoutMatchFrame = "Frame16";
// The knockout view's hidden edition picker.
inline constexpr const char* kKnockoutEditionsCombo = "Combo2";
// The update panel's link: (0) its text, (1) its address.
inline constexpr const char* kLinkTexts = "Text4";
// The knockout view's trophy, shown once the final is played.
inline constexpr const char* kTrophyPicture = "Image8";
// Hidden work lists: (0) the scorers' sorter, (1) the thirds, (2) their groups' letters (array).
inline constexpr const char* kKnockoutWorkLists = "List3";
// The update panel's preview of the qualifiers' advertised picture.
inline constexpr const char* kQualifierAdvertPreview = "Image20";

}  // namespace zenkor
