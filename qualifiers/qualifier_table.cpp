// The table of the qualifying group on display: results, ranking with head-to-head, status colours.
#include <optional>
#include <vector>

#include "app/ini_file.h"
#include "app/main_names.h"
#include "platform/text.h"
#include "qualifiers/qualifier_detail.h"
#include "qualifiers/qualifier_names.h"
#include "qualifiers/qualifiers.h"

namespace zenkor {

using platform::Color;
using qualifiers_detail::kFile;

namespace {

using platform::kGreen;
using platform::kLightGrey;
using platform::kOrange;
using platform::kPaleOrange;
using platform::kRed;
using platform::kWhite;
using platform::kYellow;

constexpr const char* kColumns[] = {"SortEQU", "SortPTS", "SortJ",  "SortG",   "SortN",
                                    "SortP",   "SortBP",  "SortBC", "SortDiff"};

std::int64_t score(Zenkor& w, int k) {
    return platform::ValWhole(w("ButElim", k).Text());
}

bool unplayed(Zenkor& w, int k) {
    return w("ButElim", k).Text() == "-";
}

struct TeamCount {
    std::int64_t played = 0, won = 0, drawn = 0, lost = 0, points = 0, goalsFor = 0, goalsAgainst = 0;
    double key() const {
        return static_cast<double>(points) * 1000 + static_cast<double>(goalsFor - goalsAgainst) * 10 +
               static_cast<double>(goalsFor);
    }
};

// The result of one side of a played fixture; colours the boxes of the side that won, or both on a draw.
void countResult(Zenkor& w, TeamCount& team, int own, int opp) {
    const std::int64_t mine = score(w, own), theirs = score(w, opp);
    if (mine > theirs) {
        team.points += 3;
        ++team.won;
        w("ButElim", own).setBackColor(kGreen);
        w("ButElim", opp).setBackColor(kOrange);
    } else if (theirs > mine) {
        ++team.lost;
    } else {
        ++team.points;
        ++team.drawn;
        w("ButElim", own).setBackColor(kLightGrey);
        w("ButElim", opp).setBackColor(kLightGrey);
    }
    team.goalsFor += mine;
    team.goalsAgainst += theirs;
}

int lastDigit(const std::string& item) {
    return static_cast<int>(platform::ValWhole(platform::Right(item, 1)));
}

// Head-to-head terms of the tied teams, settled group by group from the tie list.
void headToHead(Zenkor& w, std::array<double, 6>& term) {
    Control& ties = w(kQualifierTiesList);
    for (int i = 1, count = ties.ListCount(); i < count; ++i) {
        if (i < ties.ListCount() && ties.List(i) == ties.List(i - 1)) ties.RemoveItem(i);
    }
    while (ties.ListCount() > 0) {
        const int before = ties.ListCount();
        const std::string key5 = platform::Left(ties.List(0), 5);
        std::vector<int> members = {lastDigit(ties.List(0))};
        if (ties.ListCount() > 1) members.push_back(lastDigit(ties.List(1)));
        // Longer chains of equal keys are settled as one group, like a group of three.
        for (int i = 2; i < ties.ListCount() && platform::Left(ties.List(i), 5) == key5; ++i) {
            members.push_back(lastDigit(ties.List(i)));
        }
        std::vector<std::int64_t> gf(members.size(), 0), ga(members.size(), 0);
        for (int k = 0; k <= 58; k += 2) {
            for (size_t x = 0; x < members.size(); ++x) {
                for (size_t y = 0; y < members.size(); ++y) {
                    if (x == y) continue;
                    if (w("EquiElim", k).Text() != w("NEElim", members[x]).Text()) continue;
                    if (w("EquiElim", k + 1).Text() != w("NEElim", members[y]).Text()) continue;
                    gf[x] += score(w, k);
                    ga[x] += score(w, k + 1);
                    gf[y] += score(w, k + 1);
                    ga[y] += score(w, k);
                }
            }
        }
        for (size_t x = 0; x < members.size(); ++x) {
            if (members[x] >= 0 && members[x] <= 5) {
                term[static_cast<size_t>(members[x])] = static_cast<double>(gf[x] + 2 * (gf[x] - ga[x]));
            }
        }
        for (int member : members) {
            const std::string name = w("NEElim", member).Text();
            for (int i = 0, count = ties.ListCount(); i < count; ++i) {
                if (i < ties.ListCount() && platform::InStr(ties.List(i), name) > 0) ties.RemoveItem(i);
            }
        }
        // A blank name removes nothing: drop the group's first item so the loop always ends.
        if (ties.ListCount() == before) ties.RemoveItem(0);
    }
}

// Points and goal difference that team t took from the sixth-placed team, as negative adjustments.
std::pair<std::int64_t, std::int64_t> againstSixth(Zenkor& w, int t, const std::string& sixth) {
    std::int64_t points = 0, difference = 0;
    const std::string& name = w("NEElim", t).Text();
    if (platform::Trim(sixth).empty()) return {0, 0};
    for (int k = 0; k <= 58; k += 2) {
        std::int64_t own = 0, opp = 0;
        if (w("EquiElim", k).Text() == sixth && w("EquiElim", k + 1).Text() == name) {
            own = score(w, k + 1);
            opp = score(w, k);
        } else if (w("EquiElim", k).Text() == name && w("EquiElim", k + 1).Text() == sixth) {
            own = score(w, k);
            opp = score(w, k + 1);
        } else {
            continue;
        }
        if (own > opp) {
            points -= 3;
        } else if (own == opp && !unplayed(w, k)) {
            points -= 1;
        }
        difference -= own - opp;
    }
    return {points, difference};
}

bool fiveTeamGroup(Zenkor& w) {
    const std::string& letter = w("ELIMGRP").Text();
    return !letter.empty() && static_cast<unsigned char>(letter[0]) > 'H';
}

// Empties the table's rows and lists and the results' colours.
void clearTable(Zenkor& w) {
    w(kQualifierGridList).Clear();
    w(kQualifierTiesList).Clear();
    for (int r = 1; r <= 6; ++r) {
        for (const char* column : kColumns) w(column, r).setText("");
    }
    w("SortRang", 7).setVisible(false);
    for (int k = 0; k <= 59; ++k) w("ButElim", k).setBackColor(kWhite);
}

// Counts every team's played fixtures, at home then away, marking the played ones in bold; the number of
// the group's fixtures played.
int countResults(Zenkor& w, std::array<TeamCount, 6>& teams) {
    int groupPlayed = 0;
    for (int t = 0; t <= 5; ++t) {
        const std::string name = w("NEElim", t).Text();
        // An empty slot holds no team, and rows without names hold no fixture.
        if (platform::Trim(name).empty()) continue;
        TeamCount& team = teams[static_cast<size_t>(t)];
        for (int k = 0; k <= 58; k += 2) {
            if (w("EquiElim", k).Text() != name || unplayed(w, k) || unplayed(w, k + 1)) continue;
            ++QualifierPlayedCount();
            ++team.played;
            countResult(w, team, k, k + 1);
        }
        for (int k = 1; k <= 59; k += 2) {
            if (w("EquiElim", k).Text() != name) continue;
            const bool played = !unplayed(w, k) && !unplayed(w, k - 1);
            if (played) {
                ++groupPlayed;
                ++team.played;
                countResult(w, team, k, k - 1);
            }
            w("EquiElim", k).setFontBold(played);
            w("EquiElim", k - 1).setFontBold(played);
        }
    }
    return groupPlayed;
}

// Lists the ties, only between neighbours in team order, a chain of them forming one group.
void listTies(Zenkor& w, const std::array<TeamCount, 6>& teams) {
    Control& ties = w(kQualifierTiesList);
    std::optional<double> previous;
    for (int t = 0; t <= 5; ++t) {
        const double key = teams[static_cast<size_t>(t)].key();
        if (key > 0 && previous && key == *previous) {
            const std::string mine = platform::Format(key, "00000");
            ties.AddItem(mine + "|" + w("NEElim", t).Text() + "|" + std::to_string(t));
            ties.AddItem(mine + "|" + w("NEElim", t - 1).Text() + "|" + std::to_string(t - 1));
        } else {
            previous = key;
        }
    }
}

// Sorts the teams by their final key (counts, head-to-head, the user's advantage) in the sorted list and
// shows them in the table's rows, the best first.
void fillTable(Zenkor& w, const std::array<TeamCount, 6>& teams, const std::array<double, 6>& term) {
    Control& table = w(kQualifierGridList);
    const std::string group = w("ELIMGRP").Text();
    for (int t = 0; t <= 5; ++t) {
        const TeamCount& c = teams[static_cast<size_t>(t)];
        const double advantage = platform::Val(ReadIni(kFile, "TrimElim" + group, std::to_string(t), "0"));
        const double final = c.key() + 2 * term[static_cast<size_t>(t)] + advantage + 1000;
        const std::string name = w("NEElim", t).Text();
        if (platform::Trim(name).empty()) continue;
        const std::int64_t diff = c.goalsFor - c.goalsAgainst;
        const std::vector<std::string> fields = {platform::Format(final, "00000"),
                                                 name,
                                                 std::to_string(c.points),
                                                 std::to_string(c.played),
                                                 std::to_string(c.won),
                                                 std::to_string(c.drawn),
                                                 std::to_string(c.lost),
                                                 std::to_string(c.goalsFor),
                                                 std::to_string(c.goalsAgainst),
                                                 std::to_string(diff),
                                                 std::to_string(10 * diff + c.goalsFor)};
        table.AddItem(platform::Join(fields, "|"));
    }
    int r = 0;
    for (int i = table.ListCount() - 1; i >= 0 && r < 6; --i) {
        ++r;
        const auto fields = platform::Split(table.List(i), "|");
        for (size_t f = 1; f <= 9 && f < fields.size(); ++f) w(kColumns[f - 1], r).setText(fields[f]);
    }
}

// Appends to the entry box what each team took from the sixth-placed team.
void noteAgainstSixth(Zenkor& w) {
    const std::string sixth = w("SortEQU", 6).Text();
    std::string lines = w(kQualifierEntryText).Text();
    for (int t = 0; t <= 5; ++t) {
        const auto [points, difference] = againstSixth(w, t, sixth);
        lines +=
            w("NEElim", t).Text() + "|" + std::to_string(points) + "|" + std::to_string(difference) + "\r\n";
    }
    w(kQualifierEntryText).setText(lines);
}

}  // namespace

void CalcElimStandings(Zenkor& w) {
    clearTable(w);
    std::array<TeamCount, 6> teams{};
    const int groupPlayed = countResults(w, teams);
    listTies(w, teams);
    std::array<double, 6> term{};
    headToHead(w, term);
    fillTable(w, teams, term);
    noteAgainstSixth(w);
    const int total = fiveTeamGroup(w) ? 20 : 30;
    w(kQualifierCountLabels, 1).setCaption(std::to_string(groupPlayed) + Message(18) + std::to_string(total));
    MarkElimQualifStatus(w, total - groupPlayed);
}

void MarkElimQualifStatus(Zenkor& w, int unplayedCount) {
    const int n = fiveTeamGroup(w) ? 5 : 6;
    for (int r = 1; r <= n; ++r) w("SortPTS", r).setBackColor(kWhite);
    Control& maxima = w(kQualifierMaximaList);
    maxima.Clear();
    auto points = [&w](int row) { return platform::Val(w("SortPTS", row).Text()); };
    for (int r = n; r >= 1; --r) {
        int remaining = 0;
        const std::string& name = w("SortEQU", r).Text();
        for (int k = 0; k <= 59; ++k) {
            if (w("EquiElim", k).Text() == name && unplayed(w, k)) remaining += 3;
        }
        const double maximum = points(r) + remaining;
        maxima.AddItem(platform::Format(maximum, "00"));
        Control& box = w("SortPTS", r);
        box.setBackColor(r <= 2 ? kWhite : kPaleOrange);
        if (points(2) > maximum || unplayedCount == 0) box.setBackColor(kRed);
    }
    for (int r = 1; r <= n; ++r) {
        if (points(r) > platform::Val(maxima.List(n - 3)) || points(r) > platform::Val(maxima.List(n - 2))) {
            w("SortPTS", r).setBackColor(kGreen);
        }
        if (unplayedCount == 0) {
            w("SortPTS", 1).setBackColor(kGreen);
            w("SortPTS", 2).setBackColor(kGreen);
            if (w("SortPTS", 3).BackColor() == kRed) w("SortPTS", 3).setBackColor(kYellow);
            if (w("SortEQU", r).Text() == w("QUALIF", 19).Text()) w("SortPTS", 3).setBackColor(kGreen);
        }
    }
    for (int r = 1; r <= n; ++r) {
        const Color colour = w("SortPTS", r).BackColor();
        for (const char* column :
             {"SortRang", "SortEQU", "SortJ", "SortG", "SortN", "SortP", "SortBP", "SortBC", "SortDiff"}) {
            w(column, r).setBackColor(colour);
        }
    }
}

void SortEQU_MouseMove(Zenkor& w, int index, int, int, float, float) {
    Control& status = w("SortRang", 7);
    Control* row = w.find("SortEQU", index);
    const Color colour = row != nullptr ? row->BackColor() : -1;
    const std::string name = row != nullptr ? row->Text() : std::string();
    if (colour == kRed) {
        status.setText(name + Message(20));
    } else if (colour == kGreen) {
        status.setText(name + Message(22));
    } else if (colour == kYellow) {
        status.setText(name + ": " + w(kPanelNoteLabels, 5).Caption());
    } else {
        status.setVisible(false);
        return;
    }
    status.setVisible(true);
}

}  // namespace zenkor
