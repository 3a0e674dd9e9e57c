// The knockout view's controls that only the knockout stage and the libraries above it name.
#pragma once

namespace zenkor {

// The knockout view's quarter-finals.
inline constexpr const char* kQuarterFinalsFrame = "Frame12";
// The knockout view's semi-finals.
inline constexpr const char* kSemiFinalsFrame = "Frame13";
// The knockout view's third-place match.
inline constexpr const char* kThirdPlaceFrame = "Frame14";
// The knockout view's final.
inline constexpr const char* kFinalFrame = "Frame15";
// The knockout view's hidden edition panel.
inline constexpr const char* kKnockoutEditionFrame = "Frame19";
// The knockout view's goal total.
inline constexpr const char* kKnockoutGoalTotalLabel = "Label21";
// The knockout view's hidden open button.
inline constexpr const char* kKnockoutOpenButton = "Command7";

}  // namespace zenkor
