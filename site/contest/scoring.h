// The contest's points: what a player predicted for each match against what was really played.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace contest {

enum class Kind { Tournament, Qualifiers };

// The name a contest is stored under.
std::string_view KindName(Kind kind);

// One match as a file holds it, the player's or the published one. Keys name the match the same way in
// both: "A0" .. "F10" the group matches, "V0" .. "V14" the round of 16, "W0" .. "W6" the quarter-finals,
// "X0", "X2" the semi-finals, "Z0" the final; "A:Home|Away" a qualifying match of group A.
struct Match {
    std::string key;
    std::string team1, team2;  // empty while unknown
    std::optional<int> goals1, goals2;
    int winner = 0;  // 1 or 2 once decided (shoot-outs included), else 0
    bool played() const { return goals1.has_value() && goals2.has_value(); }
};

// Knockout rounds, for the points of teams put in the right round.
enum class Round { None, RoundOf16, QuarterFinal, SemiFinal, Final };
Round RoundOf(std::string_view key);

// A published match with what the site knows of it beside the score.
struct RealMatch : Match {
    std::string label;                    // "Groupe A", "Huitième de finale 3", ...
    std::optional<std::int64_t> kickoff;  // UTC epoch seconds
};

struct Results {
    std::vector<RealMatch> matches;  // in the order pages list them
    // Teams by group letter: the file's own, against which a player's file is checked.
    std::map<char, std::set<std::string>> groupTeams;

    void add(RealMatch match);
    const RealMatch* find(std::string_view key) const;
    // The teams that really reached a knockout round (by Round), and the champion; gathered by add().
    const std::vector<std::string>& teamsOf(int round) const {
        return roundTeams_[static_cast<size_t>(round)];
    }
    const std::string& champion() const { return champion_; }

  private:
    std::unordered_map<std::string, size_t> byKey_;
    std::array<std::vector<std::string>, 5> roundTeams_;
    std::string champion_;
};

struct Score {
    int points = 0;
    int exact = 0;  // exact scores
    int bonus = 0;  // of the points: teams put in the right knockout round and the champion
};

// Points for the score of one played match: 4 exact, 3 right goal difference, 2 right winner or draw.
// Nothing when the prediction has other teams (a knockout match the player's bracket got wrong).
int MatchPoints(const Match& real, const Match& predicted);

// The whole score of one player's predictions (any order; keys the results do not know are ignored).
Score ScorePredictions(const Results& real, const std::vector<Match>& predicted);

inline constexpr int kExactPoints = 4;
inline constexpr int kDifferencePoints = 3;
inline constexpr int kOutcomePoints = 2;
inline constexpr int kRoundTeamPoints = 1;
inline constexpr int kChampionPoints = 5;

}  // namespace contest
