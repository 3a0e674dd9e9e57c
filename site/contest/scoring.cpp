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

bool Contains(const std::vector<std::string>& teams, const std::string& team) {
    return std::find(teams.begin(), teams.end(), team) != teams.end();
}

}  // namespace

std::string_view KindName(Kind kind) {
    return kind == Kind::Tournament ? "euro" : "elim";
}

void Results::add(RealMatch match) {
    if (const Round round = RoundOf(match.key); round != Round::None) {
        auto& teams = roundTeams_[static_cast<size_t>(round)];
        if (!match.team1.empty()) teams.push_back(match.team1);
        if (!match.team2.empty()) teams.push_back(match.team2);
        if (round == Round::Final) champion_ = WinnerTeam(match);
    }
    byKey_[match.key] = matches.size();
    matches.push_back(std::move(match));
}

const RealMatch* Results::find(std::string_view key) const {
    const auto it = byKey_.find(std::string(key));
    return it == byKey_.end() ? nullptr : &matches[it->second];
}

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
    std::array<std::vector<std::string>, 5> placed;  // teams the player put in each round, once each
    std::string predictedChampion;
    for (const Match& p : predicted) {
        const RealMatch* m = real.find(p.key);
        if (!m) continue;
        const int points = MatchPoints(*m, p);
        score.points += points;
        if (points == kExactPoints) ++score.exact;
        const Round round = RoundOf(p.key);
        if (round == Round::None) continue;
        auto& teams = placed[static_cast<size_t>(round)];
        for (const std::string* team : {&p.team1, &p.team2}) {
            if (team->empty() || Contains(teams, *team)) continue;
            teams.push_back(*team);
            if (Contains(real.teamsOf(static_cast<int>(round)), *team)) score.bonus += kRoundTeamPoints;
        }
        if (round == Round::Final) predictedChampion = WinnerTeam(p);
    }
    if (!real.champion().empty() && real.champion() == predictedChampion) score.bonus += kChampionPoints;
    score.points += score.bonus;
    return score;
}

}  // namespace contest
