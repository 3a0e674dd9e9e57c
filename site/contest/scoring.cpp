#include "site/contest/scoring.h"

#include <algorithm>
#include <array>

namespace contest {

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

const std::string& WinnerTeam(const Match& m) {
    static const std::string none;
    return m.winner == 1 ? m.team1 : m.winner == 2 ? m.team2 : none;
}

template <class T>
bool Contains(const std::vector<T>& items, const T& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

// 4 exact, 3 right goal difference, 2 right winner or draw; the teams in either order, else nothing.
template <class Team>
int PointsFor(const Team& r1, const Team& r2, int g1, int g2, const Team& p1, const Team& p2, int q1,
              int q2) {
    if (p1 == r1 && p2 == r2) {
    } else if (p1 == r2 && p2 == r1) {
        std::swap(q1, q2);
    } else {
        return 0;
    }
    if (q1 == g1 && q2 == g2) return kExactPoints;
    if (q1 - q2 == g1 - g2) return kDifferencePoints;
    if (Sign(q1 - q2) == Sign(g1 - g2)) return kOutcomePoints;
    return 0;
}

constexpr char kBracketMark = '+';

}  // namespace

std::string_view KindName(Kind kind) {
    return kind == Kind::Tournament ? "euro" : "elim";
}

void Results::add(RealMatch match) {
    if (match.kickoff && (!firstKickoff || *match.kickoff < *firstKickoff)) firstKickoff = match.kickoff;
    if (const Round round = RoundOf(match.key); round != Round::None) {
        auto& teams = roundTeams_[static_cast<size_t>(round)];
        if (!match.team1.empty()) teams.push_back(match.team1);
        if (!match.team2.empty()) teams.push_back(match.team2);
        if (round == Round::Final) champion_ = WinnerTeam(match);
    }
    byKey_[match.key] = matches.size();
    matches.push_back(std::move(match));
}

bool Results::bracketOpen(std::int64_t now) const {
    if (firstKickoff) return now < *firstKickoff;
    return std::none_of(matches.begin(), matches.end(), [](const RealMatch& m) { return m.played(); });
}

std::string BracketKey(std::string_view key) {
    return kBracketMark + std::string(key);
}

bool IsBracketKey(std::string_view key) {
    return !key.empty() && key.front() == kBracketMark;
}

const RealMatch* Results::find(std::string_view key) const {
    const auto it = byKey_.find(std::string(key));
    return it == byKey_.end() ? nullptr : &matches[it->second];
}

int MatchPoints(const Match& real, const Match& predicted) {
    if (!real.played() || !predicted.played()) return 0;
    return PointsFor(real.team1, real.team2, *real.goals1, *real.goals2, predicted.team1, predicted.team2,
                     *predicted.goals1, *predicted.goals2);
}

Round RoundOf(std::string_view key) {
    if (key.size() < 2 || key[1] == ':') return Round::None;
    switch (key[0]) {
        case 'V':
            return Round::RoundOf16;
        case 'W':
            return Round::QuarterFinal;
        case 'X':
            return Round::SemiFinal;
        case 'Z':
            return Round::Final;
        default:
            return Round::None;
    }
}

std::uint32_t Names::id(std::string_view name) {
    const auto it = ids_.find(std::string(name));
    if (it != ids_.end()) return it->second;
    const auto id = static_cast<std::uint32_t>(names_.size());
    names_.emplace_back(name);
    ids_.emplace(names_.back(), id);
    return id;
}

Pick ToPick(const Match& m, Names& keys, Names& teams) {
    Pick p;
    p.key = keys.id(m.key);
    p.team1 = teams.id(m.team1);
    p.team2 = teams.id(m.team2);
    // A score box holds two digits at most.
    if (m.goals1 && *m.goals1 >= 0 && *m.goals1 < 100) p.goals1 = static_cast<std::int8_t>(*m.goals1);
    if (m.goals2 && *m.goals2 >= 0 && *m.goals2 < 100) p.goals2 = static_cast<std::int8_t>(*m.goals2);
    p.winner = static_cast<std::uint8_t>(m.winner == 1 || m.winner == 2 ? m.winner : 0);
    return p;
}

Scorer::Scorer(const Results& real, Names& keys, Names& teams) {
    const std::uint32_t none = teams.id("");
    auto entry = [&](std::string_view key) -> Entry& {
        const std::uint32_t id = keys.id(key);
        if (byKey_.size() <= id) byKey_.resize(id + 1);
        return byKey_[id];
    };
    for (const RealMatch& m : real.matches) {
        Entry& e = entry(m.key);
        e.type = Entry::Type::Match;
        e.real = ToPick(m, keys, teams);
        const Round round = RoundOf(m.key);
        if (round == Round::None) continue;
        Entry& b = entry(BracketKey(m.key));
        b.type = Entry::Type::Bracket;
        b.round = round;
        auto& placed = roundTeams_[static_cast<size_t>(round)];
        for (const std::uint32_t t : {e.real.team1, e.real.team2}) {
            if (t != none) placed.push_back(t);
        }
    }
    if (!real.champion().empty()) champion_ = teams.id(real.champion());
}

int Scorer::points(const Pick& p) const {
    if (p.key >= byKey_.size()) return 0;
    const Entry& e = byKey_[p.key];
    if (e.type != Entry::Type::Match || e.real.goals1 < 0 || e.real.goals2 < 0 || p.goals1 < 0 ||
        p.goals2 < 0)
        return 0;
    return PointsFor(e.real.team1, e.real.team2, e.real.goals1, e.real.goals2, p.team1, p.team2, p.goals1,
                     p.goals2);
}

Score Scorer::score(const Picks& picks) const {
    Score score;
    std::array<std::vector<std::uint32_t>, 5> placed;  // teams the player put in each round, once each
    for (const Pick& p : picks) {
        if (p.key >= byKey_.size()) continue;
        const Entry& e = byKey_[p.key];
        if (e.type == Entry::Type::Match) {
            const int points = this->points(p);
            score.points += points;
            if (points == kExactPoints) ++score.exact;
            continue;
        }
        if (e.type != Entry::Type::Bracket) continue;
        auto& teams = placed[static_cast<size_t>(e.round)];
        for (const std::uint32_t team : {p.team1, p.team2}) {
            if (Contains(teams, team)) continue;
            teams.push_back(team);
            if (Contains(roundTeams_[static_cast<size_t>(e.round)], team)) score.bonus += kRoundTeamPoints;
        }
        if (e.round == Round::Final && champion_ && p.winner != 0 &&
            (p.winner == 1 ? p.team1 : p.team2) == *champion_) {
            score.bonus += kChampionPoints;
        }
    }
    score.points += score.bonus;
    return score;
}

}  // namespace contest
