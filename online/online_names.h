// The controls of the update-preparation panel and the web links on the main window, and those of the
// update confirmation window `FREC`.
#pragma once

namespace zenkor {

// The grey back of the update panel's fields.
inline constexpr const char* kUpdateFieldsBackShape = "Shape5";
// The grey backs of the update panel's news and link (array).
inline constexpr const char* kNewsBackShapes = "Shape6";
// The captions of the update panel's fields (array).
inline constexpr const char* kUpdateFieldLabels = "Label18";
// The captions of the update panel's news texts (array).
inline constexpr const char* kNewsCaptionLabels = "Label19";
// The update panel's news texts (array).
inline constexpr const char* kNewsTexts = "Text3";
// The caption of the update panel's link.
inline constexpr const char* kLinkCaptionLabel = "Label20";
// The update panel's button that saves the news and link.
inline constexpr const char* kSaveChangesButton = "Command18";
// The update panel's compatibility note.
inline constexpr const char* kCompatibleLabel = "Label11";
// The update panel's preview of the advertised picture.
inline constexpr const char* kAdvertPreview = "Image13";
// (0) reload the advertised picture, (1) send the qualifiers file (array).
inline constexpr const char* kPictureButtons = "Command20";
// The update panel's button that opens the edition file.
inline constexpr const char* kEditFileButton = "Command17";
// The forum links: (0) the help panel's, (1) the update panel's (array).
inline constexpr const char* kForumLinkLabels = "Label4";
// The update panel's close button.
inline constexpr const char* kUpdatePanelCloseButton = "Command19";
// The qualifiers' advertised picture.
inline constexpr const char* kQualifierAdvertPicture = "Image21";
// The help panel's link to the site.
inline constexpr const char* kSiteLinkLabel = "Label9";
// The help panel's contact link.
inline constexpr const char* kContactLinkLabel = "Label3";
// The help panel's link to the program's forum.
inline constexpr const char* kSoftwareForumLinkLabel = "Label8";
// The help panel's picture link to the program's page.
inline constexpr const char* kSoftwareLinkPicture = "Image3";
// The help panel's picture link to the site's home.
inline constexpr const char* kHomeLinkPicture = "Image5";
// The picture link to the site, below the banner.
inline constexpr const char* kSiteLinkPicture = "Image2";
// The donation pictures: (0) the group view's, (1) the knockout view's (array).
inline constexpr const char* kDonatePictures = "Image18";
// The donation links (array).
inline constexpr const char* kDonateLinkLabels = "Label22";
// The update confirmation's edition logo.
inline constexpr const char* kConfirmationLogoPicture = "Image2";
// The update confirmation's texts: (0) the question, (1) the warning (array).
inline constexpr const char* kConfirmationTextLabels = "Label1";
// The update confirmation's button that updates.
inline constexpr const char* kConfirmationYesButton = "Command1";
// The update confirmation's button that declines.
inline constexpr const char* kConfirmationNoButton = "Command2";

}  // namespace zenkor
