// Every colour the program uses, named once. A colour is an integer with red in the low byte; system
// colours carry the high bit and the index of the desktop colour in the low byte.
#pragma once

#include <cstdint>

namespace platform {

using Color = std::int64_t;

constexpr Color RGB(int r, int g, int b) {
    return r + (g << 8) + (static_cast<Color>(b) << 16);
}

inline constexpr Color kSystemColor = 0x80000000;  // high bit of a system colour
inline constexpr Color kButtonFace = kSystemColor + 0x0F;
inline constexpr Color kWindowBackground = kSystemColor + 0x05;

inline constexpr Color kBlack = RGB(0, 0, 0);
inline constexpr Color kWhite = RGB(255, 255, 255);
inline constexpr Color kDarkGrey = RGB(80, 80, 80);
inline constexpr Color kGrey = RGB(128, 128, 128);
inline constexpr Color kSilver = RGB(200, 200, 200);
inline constexpr Color kLightGrey = RGB(220, 220, 220);
inline constexpr Color kPaleGrey = RGB(224, 224, 224);

inline constexpr Color kRed = RGB(255, 0, 0);
inline constexpr Color kDarkRed = RGB(192, 0, 0);
inline constexpr Color kPink = RGB(255, 171, 171);

inline constexpr Color kGreen = RGB(0, 255, 0);
inline constexpr Color kDarkGreen = RGB(0, 128, 0);  // the winner's green
inline constexpr Color kLightGreen = RGB(128, 255, 128);

inline constexpr Color kYellow = RGB(255, 255, 0);
inline constexpr Color kLightYellow = RGB(255, 255, 128);
inline constexpr Color kPaleYellow = RGB(255, 255, 192);
inline constexpr Color kCream = RGB(255, 242, 171);

inline constexpr Color kOrange = RGB(255, 128, 0);
inline constexpr Color kDeepOrange = RGB(255, 120, 10);
inline constexpr Color kLightOrange = RGB(255, 192, 128);
inline constexpr Color kPaleOrange = RGB(255, 224, 192);

inline constexpr Color kMidnightBlue = RGB(0, 0, 64);
inline constexpr Color kNavy = RGB(0, 0, 128);
inline constexpr Color kDarkBlue = RGB(0, 0, 192);
inline constexpr Color kLightBlue = RGB(128, 128, 255);

}  // namespace platform
