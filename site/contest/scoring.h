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
    std::string label;                    // "group A", "round of 16 3", ...: the owner's words
    std::optional<std::int64_t> kickoff;  // UTC epoch seconds
    // Predictions lock at kick-off; without a known kick-off, once the result is published.
    bool startedBy(std::int64_t when) const { return kickoff ? *kickoff <= when : played(); }
};

struct Results {
    std::vector<RealMatch> matches;            // in the order pages list them
    std::optional<std::int64_t> firstKickoff;  // the tournament's first kick-off, gathered by add()
    // Teams by group letter: the file's own, against which a player's file is checked.
    std::map<char, std::set<std::string>> groupTeams;

    void add(RealMatch match);
    const RealMatch* find(std::string_view key) const;
    // The teams that really reached a knockout round (by Round), and the champion; gathered by add().
    const std::vector<std::string>& teamsOf(int round) const {
        return roundTeams_[static_cast<size_t>(round)];
    }
    const std::string& champion() const { return champion_; }
    // The bracket and champion can still be predicted: before the first kick-off (without any kick-off
    // known, while no match is played).
    bool bracketOpen(std::int64_t now) const;

  private:
    std::unordered_map<std::string, size_t> byKey_;
    std::array<std::vector<std::string>, 5> roundTeams_;
    std::string champion_;
};

// The knockout teams and champion a player predicted for the whole tournament are kept under their own
// keys ("+V0" for the round of 16's first match, ...), beside the match-by-match predictions.
std::string BracketKey(std::string_view key);
bool IsBracketKey(std::string_view key);

struct Score {
    int points = 0;
    int exact = 0;  // exact scores
    int bonus = 0;  // of the points: teams put in the right knockout round and the champion
};

// Points for the score of one played match: 4 exact, 3 right goal difference, 2 right winner or draw.
// Nothing when the prediction has other teams (a knockout match the player's bracket got wrong).
int MatchPoints(const Match& real, const Match& predicted);

// Keys and team names as small numbers, so that scoring a whole contest compares integers.
class Names {
  public:
    std::uint32_t id(std::string_view name);  // adds the name when new
    const std::string& name(std::uint32_t id) const { return names_[id]; }

  private:
    std::unordered_map<std::string, std::uint32_t> ids_;
    std::vector<std::string> names_;
};

// One prediction in numbers; goals -1 when not given.
struct Pick {
    std::uint32_t key = 0, team1 = 0, team2 = 0;
    std::int8_t goals1 = -1, goals2 = -1;
    std::uint8_t winner = 0;
};
using Picks = std::vector<Pick>;

Pick ToPick(const Match& m, Names& keys, Names& teams);

// The published results compiled against the names, for scoring many players. Reads no Names once built.
class Scorer {
  public:
    Scorer() = default;
    Scorer(const Results& real, Names& keys, Names& teams);
    // The whole score of one player's predictions (any order; keys the results do not know are ignored;
    // teams in the knockout rounds and the champion count from the bracket keys only).
    Score score(const Picks& picks) const;
    // The points of one match prediction (no bracket points).
    int points(const Pick& pick) const;

  private:
    struct Entry {
        enum class Type : std::uint8_t { Unknown, Match, Bracket } type = Type::Unknown;
        Round round = Round::None;
        Pick real;
    };
    std::vector<Entry> byKey_;
    std::array<std::vector<std::uint32_t>, 5> roundTeams_;
    std::optional<std::uint32_t> champion_;
};

inline constexpr int kExactPoints = 4;
inline constexpr int kDifferencePoints = 3;
inline constexpr int kOutcomePoints = 2;
inline constexpr int kRoundTeamPoints = 1;
inline constexpr int kChampionPoints = 5;

}  // namespace contest
