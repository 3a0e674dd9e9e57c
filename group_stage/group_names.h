// The group view's controls that only the group stage and the libraries above it name.
#pragma once

namespace zenkor {

// The group tables' column headings and the best thirds' heading (array).
inline constexpr const char* kGroupHeadingLabels = "Label1";
// The round-of-16 summary and best thirds; its tag holds the thirds' allocation.
inline constexpr const char* kRoundOf16SummaryFrame = "Frame11";
// (0) Fill and (1) reset the group scores (array).
inline constexpr const char* kScoreFillButtons = "Command30";

}  // namespace zenkor
