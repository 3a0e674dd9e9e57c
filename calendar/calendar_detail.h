// Tables shared by the calendar's design and its handlers.
#pragma once

#include <array>

namespace zenkor {

struct Channel {
    const char* name;  // as written in the match information
    const char* file;  // its logo beside the program
};
// In the order the match panel tests them; the group-view logo indexes are 1, 2, 3, 0, 8.
inline constexpr std::array<Channel, 5> kChannels = {{
    {"TF1", "ChaineTF1.png"},
    {"F2", "ChaineF2.png"},
    {"M6", "ChaineM6.png"},
    {"C+", "ChaineCplus.png"},
    {"TMC", "ChaineTMC.png"},
}};

struct Venue {
    const char* code;
    const char* city;  // nullptr: no city text
    int store;         // Terrain index holding its stadium picture
    const char* file;
};
inline constexpr std::array<Venue, 11> kVenues = {{
    {"DOR", "Dortmund", 0, "StadeDOR.jpg"},
    {"BER", "Berlin", 1, "StadeBER.jpg"},
    {"COL", "Cologne", 2, "StadeCOL.jpg"},
    {"ARE", "Gelsenkirchen", 3, "StadeARE.jpg"},
    {"DUS", "Dusseldorf", 4, "StadeDUS.jpg"},
    {"FRA", "Frankfurt", 5, "StadeFRA.jpg"},
    {"LEP", "Leipzig", 6, "StadeLEP.jpg"},
    {"MUC", "Munich", 7, "StadeMUC.jpg"},
    {"STR", "Stuttgart", 8, "StadeSTR.jpg"},
    {"HAM", "Hamburg", 9, "StadeHAM.jpg"},
    {"BUD", nullptr, 13, "StadeBUD.jpg"},
}};

}  // namespace zenkor
