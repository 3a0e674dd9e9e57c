// The round-of-16 seeding: settled group winners and runners-up into their fixed slots, allocated thirds
// opposite the winners already in place, and the group view's copies of the sixteen slots.
#include <array>

#include "group_stage/group_names.h"
#include "knockout/knockout.h"
#include "knockout/knockout_detail.h"
#include "platform/runtime.h"

namespace zenkor {

using namespace knockout_detail;

namespace {

constexpr platform::Color kSeededFore = platform::kDarkRed;

// Slots of the winner and of the runner-up of groups A..F.
constexpr std::array<int, 6> kWinnerSlot = {6, 4, 12, 10, 8, 0};
constexpr std::array<int, 6> kRunnerUpSlot = {14, 15, 7, 2, 3, 11};

// What the copy of an empty slot says about the team to come.
constexpr std::array<const char*, 16> kPlaceholder = {
    "1 Gr F", "3 Gr ABC",  "2 Gr D", "2 Gr E", "1 Gr B", "3 Gr ADEF", "1 Gr A", "2 Gr C",
    "1 Gr E", "3 Gr ABCD", "1 Gr D", "2 Gr F", "1 Gr C", "3 Gr DEF",  "2 Gr A", "2 Gr B",
};

// The third named by an allocation token takes its slot opposite a group winner already seeded.
struct ThirdSlot {
    int token;
    int winner;
    int third;
};
constexpr std::array<ThirdSlot, 4> kThirdSlots = {{{1, 12, 13}, {0, 4, 5}, {2, 8, 9}, {3, 0, 1}}};

void SeedGroupLeaders(Zenkor& w) {
    for (int i = 1; i <= 4; ++i) {
        for (int g = 0; g < 6; ++g) {
            const Control& team = w(TeamBox(g), i);
            if (team.ForeColor() != platform::kRed) continue;  // the group is not settled yet
            const std::string name = team.Text();
            const int place = w.teamPlace(g, i);
            if (place == 1) w("Huit", kWinnerSlot[g]).setText(name);
            if (place == 2) w("Huit", kRunnerUpSlot[g]).setText(name);
        }
    }
}

void SeedThirds(Zenkor& w) {
    const std::string allocation = w(kRoundOf16SummaryFrame).Tag();
    if (allocation.empty()) return;
    const std::vector<std::string> tokens = platform::Split(allocation, "|");
    for (const ThirdSlot& s : kThirdSlots) {
        if (w("Huit", s.winner).Text() == "-") continue;
        const std::string token = s.token < static_cast<int>(tokens.size()) ? tokens[s.token] : std::string();
        w("Huit", s.third).setText(ThirdPlacedTeam(w, token));
    }
}

void ShowCopies(Zenkor& w) {
    for (int k = 0; k < 16; ++k) {
        const std::string team = w("Huit", k).Text();
        Control& copy = w("Huit", 16 + k);
        const bool seeded = team != "-";
        copy.setText(seeded ? team : std::string(kPlaceholder[k]));
        copy.setFontBold(seeded);
        copy.setForeColor(seeded ? kSeededFore : platform::kBlack);
    }
}

}  // namespace

void FillRoundOf16(Zenkor& w) {
    RankThirdPlaced(w);
    ShowTotalGoals(w);
    for (int k = 0; k < 16; ++k) w("Huit", k).setText("-");
    // Repaint and timers only: user input waits until the seeding is done.
    platform::DoEvents();
    SeedGroupLeaders(w);
    SeedThirds(w);
    ShowCopies(w);
}

std::string ThirdPlacedTeam(Zenkor& w, const std::string& token) {
    std::string team;
    for (int g = 0; g < 6; ++g) {
        if (token != "3" + Zenkor::groupName(g)) continue;
        for (int i = 1; i <= 4; ++i) {
            if (w.teamPlace(g, i) == 3) team = w(TeamBox(g), i).Text();
        }
    }
    return team;
}

}  // namespace zenkor
