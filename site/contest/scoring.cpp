#include "site/contest/scoring.h"

#include <algorithm>
#include <array>
#include <set>

namespace contest {

std::string_view KindName(Kind kind) {
    return kind == Kind::Tournament ? "euro" : "elim";
}

void Results::add(RealMatch match) {
    byKey_[match.key] = matches.size();
    matches.push_back(std::move(match));
}

const RealMatch* Results::find(std::string_view key) const {
    const auto it = byKey_.find(std::string(key));
    return it == byKey_.end() ? nullptr : &matches[it->second];
}

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

const std::string& WinnerTeam(const Match& m) {
    static const std::string none;
    return m.winner == 1 ? m.team1 : m.winner == 2 ? m.team2 : none;
}

}  // namespace

int MatchPoints(const Match& real, const Match& predicted) {
    if (!real.played() || !predicted.played()) return 0;
    int p1 = *predicted.goals1, p2 = *predicted.goals2;
    if (predicted.team1 == real.team1 && predicted.team2 == real.team2) {
    } else if (predicted.team1 == real.team2 && predicted.team2 == real.team1) {
        std::swap(p1, p2);
    } else {
        return 0;
    }
    const int r1 = *real.goals1, r2 = *real.goals2;
    if (p1 == r1 && p2 == r2) return kExactPoints;
    if (p1 - p2 == r1 - r2) return kDifferencePoints;
    if (Sign(p1 - p2) == Sign(r1 - r2)) return kOutcomePoints;
    return 0;
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

Score ScorePredictions(const Results& real, const std::vector<Match>& predicted) {
    Score score;
    constexpr size_t kRounds = 5;
    std::array<std::set<std::string>, kRounds> realTeams, predictedTeams;
    auto addTeams = [](std::set<std::string>& teams, const Match& m) {
        if (!m.team1.empty()) teams.insert(m.team1);
        if (!m.team2.empty()) teams.insert(m.team2);
    };
    std::string realChampion, predictedChampion;
    for (const RealMatch& m : real.matches) {
        const Round round = RoundOf(m.key);
        if (round != Round::None) addTeams(realTeams[static_cast<size_t>(round)], m);
        if (round == Round::Final) realChampion = WinnerTeam(m);
    }
    for (const Match& p : predicted) {
        const RealMatch* m = real.find(p.key);
        if (!m) continue;
        const int points = MatchPoints(*m, p);
        score.points += points;
        if (points == kExactPoints) ++score.exact;
        const Round round = RoundOf(p.key);
        if (round != Round::None) addTeams(predictedTeams[static_cast<size_t>(round)], p);
        if (round == Round::Final) predictedChampion = WinnerTeam(p);
    }
    for (size_t r = 1; r < kRounds; ++r) {
        for (const std::string& team : predictedTeams[r]) {
            if (realTeams[r].count(team)) score.bonus += kRoundTeamPoints;
        }
    }
    if (!realChampion.empty() && realChampion == predictedChampion) score.bonus += kChampionPoints;
    score.points += score.bonus;
    return score;
}

}  // namespace contest
