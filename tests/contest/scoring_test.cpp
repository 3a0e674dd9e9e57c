// The contest's points as the ranking page states them: 4 for the exact score, 3 for the right goal
// difference, 2 for the right winner or draw, whichever way round the file names the two teams; nothing
// for other teams; 1 per team in the right knockout round and 5 for the champion. The ranking (Scorer)
// and the player's page (MatchPoints) must agree on every one.
#include "site/contest/scoring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using contest::Match;
using contest::RealMatch;
using contest::Results;

Match match(const char* key, const char* team1, int goals1, int goals2, const char* team2, int winner = 0) {
    Match m;
    m.key = key;
    m.team1 = team1;
    m.team2 = team2;
    if (goals1 >= 0) m.goals1 = goals1;
    if (goals2 >= 0) m.goals2 = goals2;
    m.winner = winner;
    return m;
}

// A small tournament: a group win, a group draw, and one match of each knockout round.
Results played() {
    Results r;
    for (const Match& m :
         {match("A0", "Allemagne", 5, 1, "Écosse", 1), match("A2", "Hongrie", 1, 1, "Suisse"),
          match("V0", "Suisse", 2, 0, "Italie", 1), match("V2", "Espagne", 4, 1, "Géorgie", 1),
          match("W0", "Espagne", 2, 1, "Allemagne", 1), match("X0", "Espagne", 2, 1, "France", 1),
          match("Z0", "Espagne", 2, 1, "Angleterre", 1)}) {
        RealMatch real;
        static_cast<Match&>(real) = m;
        r.add(real);
    }
    return r;
}

// The points of one prediction, the same from the ranking's side and the player's page's side.
int points(const Match& predicted) {
    const Results real = played();
    contest::Names keys, teams;
    const contest::Scorer scorer(real, keys, teams);
    const int ranked = scorer.points(contest::ToPick(predicted, keys, teams));
    EXPECT_EQ(ranked, contest::MatchPoints(*real.find(predicted.key), predicted))
        << predicted.team1 << " " << predicted.team2;
    return ranked;
}

TEST(Scoring, EachMatchGivesFourThreeOrTwoPointsWhicheverWayRoundTheTeamsStand) {
    // Allemagne 5-1 Écosse.
    EXPECT_EQ(points(match("A0", "Allemagne", 5, 1, "Écosse")), 4);
    EXPECT_EQ(points(match("A0", "Allemagne", 4, 0, "Écosse")), 3);
    EXPECT_EQ(points(match("A0", "Allemagne", 1, 0, "Écosse")), 2);
    EXPECT_EQ(points(match("A0", "Allemagne", 1, 1, "Écosse")), 0);
    EXPECT_EQ(points(match("A0", "Allemagne", 0, 1, "Écosse")), 0);
    // The same predictions with the teams the other way round.
    EXPECT_EQ(points(match("A0", "Écosse", 1, 5, "Allemagne")), 4);
    EXPECT_EQ(points(match("A0", "Écosse", 0, 4, "Allemagne")), 3);
    EXPECT_EQ(points(match("A0", "Écosse", 0, 1, "Allemagne")), 2);
    EXPECT_EQ(points(match("A0", "Écosse", 5, 1, "Allemagne")), 0);
    EXPECT_EQ(points(match("A0", "Écosse", 1, 0, "Allemagne")), 0);
    // Hongrie 1-1 Suisse: another draw is the right goal difference.
    EXPECT_EQ(points(match("A2", "Hongrie", 1, 1, "Suisse")), 4);
    EXPECT_EQ(points(match("A2", "Suisse", 1, 1, "Hongrie")), 4);
    EXPECT_EQ(points(match("A2", "Suisse", 0, 0, "Hongrie")), 3);
    EXPECT_EQ(points(match("A2", "Hongrie", 2, 1, "Suisse")), 0);
    // A knockout match counts only with the same two teams, in either order.
    EXPECT_EQ(points(match("V0", "Italie", 0, 2, "Suisse")), 4);
    EXPECT_EQ(points(match("V0", "Suisse", 2, 0, "France")), 0);
    EXPECT_EQ(points(match("V0", "France", 0, 2, "Suisse")), 0);
    // A box left empty is no prediction.
    EXPECT_EQ(points(match("A0", "Allemagne", -1, -1, "Écosse")), 0);
    EXPECT_EQ(points(match("A0", "Allemagne", 5, -1, "Écosse")), 0);
}

TEST(Scoring, TeamsInTheRightKnockoutRoundAndTheChampionAddTheirBonus) {
    const Results real = played();
    contest::Names keys, teams;
    const contest::Scorer scorer(real, keys, teams);
    const auto score = [&](std::initializer_list<Match> predictions) {
        contest::Picks picks;
        for (const Match& m : predictions) picks.push_back(contest::ToPick(m, keys, teams));
        return scorer.score(picks);
    };
    const auto bracket = [](const char* key, const char* team1, const char* team2, int winner = 0) {
        return match(contest::BracketKey(key).c_str(), team1, -1, -1, team2, winner);
    };

    // The round of 16 holds Suisse, Italie, Espagne and Géorgie: one point per team, once each, however
    // the player paired them.
    auto s = score({bracket("V0", "Italie", "Espagne"), bracket("V2", "Suisse", "France")});
    EXPECT_EQ(s.bonus, 3);
    s = score({bracket("V0", "Espagne", "Italie"), bracket("V2", "Italie", "Espagne")});
    EXPECT_EQ(s.bonus, 2);
    // A team counts in the round it reached, not in another.
    s = score({bracket("W0", "Suisse", "Italie"), bracket("X0", "Espagne", "Allemagne")});
    EXPECT_EQ(s.bonus, 1);
    // The final: two teams, and 5 for the champion, whichever side the player put it on.
    s = score({bracket("Z0", "Angleterre", "Espagne", 2)});
    EXPECT_EQ(s.bonus, 2 + 5);
    s = score({bracket("Z0", "Espagne", "Angleterre", 2)});
    EXPECT_EQ(s.bonus, 2);
    s = score({bracket("Z0", "France", "Espagne", 2)});
    EXPECT_EQ(s.bonus, 1 + 5);

    // The whole: match points and bonus, exact scores counted apart.
    s = score({match("A0", "Écosse", 1, 5, "Allemagne"), match("A2", "Suisse", 0, 0, "Hongrie"),
               match("Z0", "Espagne", 2, 1, "Angleterre", 1), bracket("Z0", "Espagne", "Angleterre", 1)});
    EXPECT_EQ(s.points, 4 + 3 + 4 + 2 + 5);
    EXPECT_EQ(s.exact, 2);
    EXPECT_EQ(s.bonus, 7);
    // A match's own prediction earns no bracket points, nor a bracket key match points.
    s = score({match("Z0", "Espagne", 0, 1, "Angleterre", 2), bracket("A0", "Allemagne", "Écosse")});
    EXPECT_EQ(s.points, 0);
}

}  // namespace
