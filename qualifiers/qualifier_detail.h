// Shared pieces of the qualifiers' files.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zenkor::qualifiers_detail {

inline constexpr const char* kFile = "Elim2024";
inline constexpr int kGridTop = 180;
inline constexpr int kGridRowHeight = 280;
// Each row overlaps the one above by 25, so that the 30th ends (at 7855) inside the panel's 7950.
inline constexpr int kGridRowPitch = 255;
inline constexpr platform::Color kFollowOn = platform::kPaleGrey;

// Binds the handlers of grid row member k (created at run time by the grid builder).
void BindGridMember(Zenkor& w, int k);

// A score box's value: its leading number, "-" and "" reading 0.
double ScoreValue(const Control& box);

}  // namespace zenkor::qualifiers_detail
