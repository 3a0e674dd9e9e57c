// Tables shared by the calendar's design and its handlers.
#pragma once

#include <array>

namespace zenkor {

struct Channel {
    const char* name;  // as written in the match information
    const char* file;  // its badge
};
// In the order the match panel tests them; the group-view logo indexes are 1, 2, 3, 0, 8.
inline constexpr std::array<Channel, 5> kChannels = {{
    {"TF1", "pictures/channel_tf1.svg"},
    {"F2", "pictures/channel_f2.svg"},
    {"M6", "pictures/channel_m6.svg"},
    {"C+", "pictures/channel_cplus.svg"},
    {"TMC", "pictures/channel_tmc.svg"},
}};

struct Venue {
    const char* code;
    const char* city;  // nullptr: no city text
    int store;         // Terrain index holding its stadium picture
    const char* file;
};
inline constexpr std::array<Venue, 11> kVenues = {{
    {"DOR", "Dortmund", 0, "pictures/stadium_dor.svg"},
    {"BER", "Berlin", 1, "pictures/stadium_ber.svg"},
    {"COL", "Cologne", 2, "pictures/stadium_col.svg"},
    {"ARE", "Gelsenkirchen", 3, "pictures/stadium_are.svg"},
    {"DUS", "Dusseldorf", 4, "pictures/stadium_dus.svg"},
    {"FRA", "Frankfurt", 5, "pictures/stadium_fra.svg"},
    {"LEP", "Leipzig", 6, "pictures/stadium_lep.svg"},
    {"MUC", "Munich", 7, "pictures/stadium_muc.svg"},
    {"STR", "Stuttgart", 8, "pictures/stadium_str.svg"},
    {"HAM", "Hamburg", 9, "pictures/stadium_ham.svg"},
    {"BUD", nullptr, 13, "pictures/stadium_bud.svg"},
}};

}  // namespace zenkor
