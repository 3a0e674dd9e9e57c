// The match information's controls that only the calendar names.
#pragma once

namespace zenkor {

// The outline of the group view's match information.
inline constexpr const char* kGroupMatchOutlineShape = "Shape1";
// The outline of the knockout view's match information.
inline constexpr const char* kKnockoutMatchOutlineShape = "Shape2";

}  // namespace zenkor
