// Shared pieces of the qualifiers' files.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zenkor::qualifiers_detail {

inline constexpr const char* kFile = "Elim2024";
inline constexpr int kGridTop = 120;
inline constexpr int kGridRowHeight = 255;  // also the row pitch: rows touch, none overlaps
inline constexpr platform::Color kFollowOn = platform::kPaleGrey;

// Binds the handlers of grid row member k (created at run time by the grid builder).
void BindGridMember(Zenkor& w, int k);

// A score box's value: its leading number, "-" and "" reading 0.
double ScoreValue(const Control& box);

}  // namespace zenkor::qualifiers_detail
