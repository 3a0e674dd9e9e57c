// The ranking of the six third-placed teams: the best four go through, and their groups choose the row of
// the allocation table that says which group winner each of them meets.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "app/main_names.h"
#include "group_stage/group_names.h"
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "knockout/knockout_detail.h"

namespace zenkor {

using namespace knockout_detail;

namespace {

struct AllocationRow {
    const char* key;
    const char* allocation;  // opponents of the winners of groups B, C, E and F, in this order
};

constexpr std::array<AllocationRow, 15> kAllocationTable = {{
    {"ABCD", "3A|3D|3B|3C"},
    {"ABCE", "3A|3E|3B|3C"},
    {"ABCF", "3A|3F|3B|3C"},
    {"ABDE", "3D|3E|3A|3B"},
    {"ABDF", "3D|3F|3A|3B"},
    {"ABEF", "3E|3F|3B|3A"},
    {"ACDE", "3E|3D|3C|3A"},
    {"ACDF", "3F|3D|3C|3A"},
    {"ACEF", "3E|3F|3C|3A"},
    {"ADEF", "3E|3F|3D|3A"},
    {"BCDE", "3E|3D|3B|3C"},
    {"BCDF", "3F|3D|3C|3B"},
    {"BCEF", "3F|3E|3C|3B"},
    {"BDEF", "3F|3E|3D|3B"},
    {"CDEF", "3F|3E|3D|3C"},
}};

struct Third {
    int group = 0;
    int index = 0;         // team box of the third row, 0 when the group has none
    std::int64_t key = 0;  // exact ranking key, scaled by 10000
    std::string entry;
    std::string name;
};

// Ascending: worst first. Equal keys go to the lower team index first, then to the earlier group, as the
// standings entries' text order has it for every realistic score.
bool WorseThan(const Third& a, const Third& b) {
    if (a.key != b.key) return a.key < b.key;
    if (a.index != b.index) return a.index < b.index;
    return a.group < b.group;
}

// The integer digits of key + 10, which the standings entry starts with.
double IntegerPart(const Third& t) {
    return std::trunc(static_cast<double>(t.key) / 10000 + 10);
}

int GroupMatchesPlayed(Zenkor& w) {
    double total = 0;
    for (int i = 1; i <= 4; ++i) {
        for (int g = 0; g < 6; ++g) total = Saturate(total + platform::Val(w(PlayedLabel(g), i).Caption()));
    }
    return static_cast<int>(std::clamp(std::nearbyint(total / 2), 0.0, 1e9));
}

std::vector<Third> CollectThirds(Zenkor& w) {
    std::vector<Third> thirds;
    for (int g = 0; g < 6; ++g) {
        Third t;
        t.group = g;
        for (int i = 1; i <= 4; ++i) {
            if (w.teamPlace(g, i) == 3) t.index = i;
        }
        if (t.index > 0) {
            t.key = GroupStandingKeys(w, g)[static_cast<size_t>(t.index)];
            t.name = w(TeamBox(g), t.index).Text();
        }
        t.entry = w(StandingsList(g)).List(1);
        thirds.push_back(std::move(t));
    }
    return thirds;
}

// Qualified thirds in bold red; any other third back to its place's ordinary look.
void ColourThirds(Zenkor& w, const std::vector<Third>& ranked, bool shown) {
    for (size_t r = 0; r < ranked.size(); ++r) {
        const Third& t = ranked[r];
        if (t.index == 0) continue;
        const bool qualified = shown && r >= 2;
        const platform::Color ordinary = GroupHasPlaceholder(w, t.group) ? platform::kBlack : kThirdPlaceGrey;
        Control& box = w(TeamBox(t.group), t.index);
        box.setForeColor(qualified ? platform::kRed : ordinary);
        box.setFontBold(qualified);
    }
}

}  // namespace

std::string ThirdPlaceAllocation(const std::string& key) {
    for (const AllocationRow& row : kAllocationTable) {
        if (key == row.key) return row.allocation;
    }
    return {};
}

void RankThirdPlaced(Zenkor& w) {
    for (int i = 1; i <= 3; ++i) w(kKnockoutWorkLists, i).Clear();
    const std::string previous = w("TexMeillTrois").Text();
    w("TexMeillTrois").setTag(previous);
    w("TexMeillTrois").setText("");
    w(kRoundOf16SummaryFrame).setTag("");

    std::vector<Third> ranked = CollectThirds(w);
    for (const Third& t : ranked) {
        w(kKnockoutWorkLists, 1).AddItem(t.entry + "|" + Zenkor::groupName(t.group) + "|" + t.name);
    }
    std::stable_sort(ranked.begin(), ranked.end(), WorseThan);

    std::string key;
    for (size_t r = 2; r < ranked.size(); ++r) key += Zenkor::groupName(ranked[r].group);
    std::sort(key.begin(), key.end());
    for (char letter : key) w(kKnockoutWorkLists, 2).AddItem(std::string(1, letter));
    w(kRoundOf16SummaryFrame).setTag(ThirdPlaceAllocation(key));

    const double spread = IntegerPart(ranked.back()) - IntegerPart(ranked.front());
    const bool shown = GroupMatchesPlayed(w) > 10 || spread > 0.5;
    if (shown) {
        std::string names;
        for (size_t r = ranked.size(); r-- > 2;) {
            // The entry's name field ends at its first "|"; an empty text takes the name without a separator.
            const std::string& name = ranked[r].name;
            const std::string field = name.substr(0, name.find('|'));
            names = names.empty() ? field : names + " / " + field;
        }
        w("TexMeillTrois").setText(names);
    }
    if (w.FChargee) ColourThirds(w, ranked, shown);
}

}  // namespace zenkor
