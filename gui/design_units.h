// The unit the designs place and size controls in.
#pragma once

namespace gui {

// At a display scale of 1.
constexpr double kTwipsPerPixel = 15.0;

}  // namespace gui
