// The qualifiers panel's controls that only the qualifiers name.
#pragma once

namespace zenkor {

// The qualifiers' choice to hide the fixtures already played.
inline constexpr const char* kHidePastFixturesCheck = "Check1";
// The qualifiers' save button.
inline constexpr const char* kQualifierSaveButton = "Command23";
// The qualifiers' close button.
inline constexpr const char* kQualifierCloseButton = "Command24";
// The qualifiers' recalculate button; its tag marks an automatic fill.
inline constexpr const char* kQualifierRecalcButton = "Command25";
// The qualifiers' calendar button.
inline constexpr const char* kQualifierCalendarButton = "Command27";
// The qualifiers' hidden button that shows the work frame.
inline constexpr const char* kQualifierValuesButton = "Command28";
// The work frame's button that tells which frame holds the qualifiers' picture preview.
inline constexpr const char* kQualifierHolderButton = "Command29";
// The qualifiers' grid of results.
inline constexpr const char* kQualifierGridList = "List5";
// The qualifiers' tie-break work list.
inline constexpr const char* kQualifierTiesList = "List6";
// The qualifiers' fixtures.
inline constexpr const char* kQualifierFixturesList = "List7";
// The qualifiers' maxima work list.
inline constexpr const char* kQualifierMaximaList = "List8";
// The qualifiers' entry text of the results.
inline constexpr const char* kQualifierEntryText = "Text5";

}  // namespace zenkor
