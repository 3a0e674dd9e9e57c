// Names and numbers shared by the knockout stage's procedures.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "app/main_window.h"
#include "platform/text.h"

namespace zenkor::knockout_detail {

inline constexpr platform::Color kWinnerBack = platform::kDarkGreen;
inline constexpr platform::Color kWinnerFore = platform::kWhite;
inline constexpr platform::Color kThirdPlaceGrey = platform::kSilver;

// Control names of group g (0..5 for A..F).
inline std::string TeamBox(int g) {
    return Zenkor::groupName(g);
}
inline std::string ScoreBox(int g) {
    return "But" + Zenkor::groupName(g);
}
inline std::string StandingsList(int g) {
    return "List" + Zenkor::groupName(g);
}
inline const char* PlayedLabel(int g) {
    static const char* const kNames[] = {"MJ", "MJb", "MJC", "MJD", "MJE", "MJF"};
    return kNames[g];
}

// Keeps a sum of typed numbers finite, however large the numbers typed.
inline double Saturate(double v) {
    constexpr double kMax = std::numeric_limits<double>::max();
    if (std::isnan(v)) return 0;
    return std::clamp(v, -kMax, kMax);
}

// The numeric value of a score or penalty text ("-" and "" read 0).
inline double Goals(const std::string& text) {
    return Saturate(platform::Val(text));
}

// Whether any of a group's twelve score boxes still holds the placeholder.
inline bool GroupHasPlaceholder(Zenkor& w, int g) {
    const std::string name = ScoreBox(g);
    for (int i = 0; i < 12; ++i) {
        if (w(name, i).Text() == "-") return true;
    }
    return false;
}

}  // namespace zenkor::knockout_detail
