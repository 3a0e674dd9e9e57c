// A group's table: counts, columns, ranking keys, standings entries, places, colours and the lots prompt.
// Goals are held in millionths (exact for scores of up to six decimals), so keys are exact integers (the key
// scaled by 10^10): ties are exact and ranking never depends on how a number is written. Places follow the
// key to the four decimals that the standings entry shows, then the team index, as the sorted entries have
// it.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "platform/text.h"

namespace zenkor {

namespace {

using Key = std::int64_t;

constexpr Key kKeyScale = 10000;                // the four decimals of a standings entry
constexpr Key kMicro = 1000000;                 // goals and marks in millionths
constexpr Key kEntryOffset = 10 * kKeyScale;    // entries show key + 10
constexpr Key kEntryMax = 100 * kKeyScale - 1;  // "99.9999": the largest text of the fixed layout
constexpr Key kEntryHalf = 50 * kKeyScale;
constexpr double kValueCap = 2147483647;  // a typed number saturates here

// The six matches, as (team of box 2m, team of box 2m+1).
constexpr std::array<std::array<int, 2>, 6> kMatchTeams = {{{1, 2}, {3, 4}, {1, 3}, {4, 2}, {4, 1}, {2, 3}}};

// The leading numeric value of a text in millionths; huge values saturate.
Key Micro(const std::string& text) {
    const double v = std::clamp(platform::Val(text), -kValueCap, kValueCap);
    return std::llround(v * static_cast<double>(kMicro));
}

// Halves away from zero, as the entry's decimals are rounded.
Key RoundedDiv(Key v, Key d) {
    return v >= 0 ? (v + d / 2) / d : -((-v + d / 2) / d);
}

std::string MicroText(Key micro) {
    if (micro % kMicro == 0) return platform::NumText(micro / kMicro);
    return platform::NumText(static_cast<double>(micro) / static_cast<double>(kMicro));
}

// Goals and mark in millionths.
struct TeamFigures {
    Key played = 0, points = 0, goalsFor = 0, goalsAgainst = 0, mark = 0;
    Key difference() const { return goalsFor - goalsAgainst; }
    // points + difference / 100 + goals for / 1000 + mark / 10000, scaled by 10^10.
    Key exactKey() const { return points * kKeyScale * kMicro + difference() * 100 + goalsFor * 10 + mark; }
    // The same to the four decimals of the entry, which rounds key + 10; scaled by 10000.
    Key key() const { return RoundedDiv(exactKey() + kEntryOffset * kMicro, kMicro) - kEntryOffset; }
};

struct GroupFigures {
    std::array<TeamFigures, 5> team{};
    bool complete = true;  // no score box holds the placeholder
    bool marked = false;   // some team holds a lots mark
};

GroupFigures ReadGroup(Zenkor& w, int g) {
    const GroupNames& n = GroupControlNames(g);
    GroupFigures f;
    std::array<Key, 12> goals{};
    std::array<bool, 12> dash{};
    for (int k = 0; k < 12; ++k) {
        const std::string& text = w(n.score, k).Text();
        dash[static_cast<size_t>(k)] = text == "-";
        goals[static_cast<size_t>(k)] = Micro(text);
        if (text == "-") f.complete = false;
    }
    for (size_t m = 0; m < 6; ++m) {
        const size_t a = 2 * m, b = 2 * m + 1;
        if (dash[a] || dash[b]) continue;
        TeamFigures& first = f.team[static_cast<size_t>(kMatchTeams[m][0])];
        TeamFigures& second = f.team[static_cast<size_t>(kMatchTeams[m][1])];
        ++first.played;
        ++second.played;
        if (goals[a] > goals[b]) {
            first.points += 3;
        } else if (goals[a] < goals[b]) {
            second.points += 3;
        } else {
            ++first.points;
            ++second.points;
        }
    }
    for (size_t k = 0; k < 12; ++k) {
        f.team[static_cast<size_t>(kFixtureTeam[k])].goalsFor += goals[k];
        f.team[static_cast<size_t>(kFixtureTeam[k ^ 1])].goalsAgainst += goals[k];
    }
    for (int i = 1; i <= 4; ++i) {
        const std::string& tag = w(n.team, i).Tag();
        f.team[static_cast<size_t>(i)].mark = Micro(tag);
        if (!tag.empty()) f.marked = true;
    }
    return f;
}

void WriteColumns(Zenkor& w, const GroupNames& n, const GroupFigures& f) {
    for (int i = 1; i <= 4; ++i) {
        const TeamFigures& t = f.team[static_cast<size_t>(i)];
        w(n.goalsFor, i).setCaption(MicroText(t.goalsFor));
        w(n.goalsAgainst, i).setCaption(MicroText(t.goalsAgainst));
        w(n.difference, i).setCaption(MicroText(t.difference()));
        w(n.played, i).setCaption(t.played == 0 ? std::string() : platform::NumText(t.played));
        w(n.points, i).setCaption(platform::NumText(t.points));
    }
}

struct Ranked {
    int index;
    Key key;
    Key shown;  // key + 10 as the entry shows it, scaled
};

// Teams from last place to first: ascending key, and on equal keys the higher index ranks better, as the
// sorted entries "..x 3" < "..x 4" have it.
std::array<Ranked, 4> RankTeams(const GroupFigures& f) {
    std::array<Ranked, 4> order{};
    for (int i = 1; i <= 4; ++i) {
        const Key key = f.team[static_cast<size_t>(i)].key();
        order[static_cast<size_t>(i - 1)] = {i, key, std::clamp(key + kEntryOffset, Key{0}, kEntryMax)};
    }
    std::sort(order.begin(), order.end(), [](const Ranked& a, const Ranked& b) {
        return a.key != b.key ? a.key < b.key : a.index < b.index;
    });
    // Keys beyond the fixed layout are clamped; nudge clamped neighbours apart (upwards at the bottom of
    // the layout, downwards at its top) so that the sorted texts keep the numeric order.
    auto before = [](const Ranked& a, const Ranked& b) {
        return a.shown != b.shown ? a.shown < b.shown : a.index < b.index;
    };
    size_t split = 0;
    while (split < 4 && order[split].shown < kEntryHalf) ++split;
    for (size_t j = 1; j < split; ++j) {
        if (!before(order[j - 1], order[j])) order[j].shown = order[j - 1].shown + 1;
    }
    for (size_t j = 3; j-- > split;) {
        if (!before(order[j], order[j + 1])) order[j].shown = order[j + 1].shown - 1;
    }
    return order;
}

std::string Entry(const Ranked& r) {
    return platform::Format(static_cast<double>(r.shown) / kKeyScale, "00.0000") + "x " +
           std::to_string(r.index);
}

void PlaceTeams(Zenkor& w, int g, const GroupNames& n, const GroupFigures& f,
                const std::array<Ranked, 4>& order) {
    for (size_t j = 0; j < 4; ++j) {
        const int place = 4 - static_cast<int>(j);
        const int i = order[j].index;
        const int top = kPlaceTop[static_cast<size_t>(place)];
        Control& team = w(n.team, i);
        const bool qualified = place <= 2;
        team.setFontBold(f.complete && qualified);
        team.setForeColor(!f.complete ? platform::kBlack : qualified ? platform::kRed : kSettledGrey);
        team.setTop(top);
        w.setTeamPlace(g, i, place);
        for (const char* column : {n.goalsFor, n.goalsAgainst, n.points, n.difference})
            w(column, i).setTop(top);
        w(n.played, i).setTop(top + 15);
    }
}

bool AnyEqualKeys(const GroupFigures& f) {
    for (size_t a = 1; a <= 4; ++a) {
        for (size_t b = a + 1; b <= 4; ++b) {
            if (f.team[a].exactKey() == f.team[b].exactKey()) return true;
        }
    }
    return false;
}

}  // namespace

std::array<std::int64_t, 5> GroupStandingKeys(Zenkor& w, int group) {
    const GroupFigures f = ReadGroup(w, group);
    std::array<std::int64_t, 5> keys{};
    for (size_t i = 1; i <= 4; ++i) keys[i] = f.team[i].key();
    return keys;
}

void CalcGroupStandings(Zenkor& w, int g) {
    if (g < 0 || g > 5) return;
    const GroupNames& n = GroupControlNames(g);
    const GroupFigures f = ReadGroup(w, g);
    WriteColumns(w, n, f);

    const std::array<Ranked, 4> order = RankTeams(f);
    Control& list = w(n.list);
    list.Clear();
    for (int i = 1; i <= 4; ++i) {
        for (const Ranked& r : order) {
            if (r.index == i) list.AddItem(Entry(r));
        }
    }
    PlaceTeams(w, g, n, f, order);

    const bool lotsNeeded = f.complete && !f.marked && AnyEqualKeys(f);
    w(n.lots).setCaption(lotsNeeded ? Message(3) : std::string());

    // Group A always seeds: at the first start-up recompute it is the only group that does.
    if (g == 0 || w.FChargee) FillRoundOf16(w);
}

void CalcGroupStandingsA(Zenkor& w) {
    CalcGroupStandings(w, 0);
}
void CalcGroupStandingsB(Zenkor& w) {
    CalcGroupStandings(w, 1);
}
void CalcGroupStandingsC(Zenkor& w) {
    CalcGroupStandings(w, 2);
}
void CalcGroupStandingsD(Zenkor& w) {
    CalcGroupStandings(w, 3);
}
void CalcGroupStandingsE(Zenkor& w) {
    CalcGroupStandings(w, 4);
}
void CalcGroupStandingsF(Zenkor& w) {
    CalcGroupStandings(w, 5);
}

}  // namespace zenkor
