// Group tables as the user sees them after typing scores: columns, places, colours, entries, lots prompt.
#include "tests/group_stage/group_window.h"

namespace group_test {
namespace {

using V = std::vector<int>;
using S = std::vector<std::string>;

constexpr int A = 0, B = 1, D = 3;

class GroupTable : public GroupWindow {};

TEST_F(GroupTable, EmptyGroupRanksByIndexAndStaysBlack) {
    EXPECT_EQ(w("LabTir").Caption(), "Tirage");
    zenkor::CalcGroupStandingsA(w);  // as start-up's recompute does: the design caption goes
    team(A, 1).raiseClick();         // no prompt: only recomputes
    EXPECT_EQ(team(A, 1).Tag(), "");
    EXPECT_EQ(standing(A), (V{4, 3, 2, 1}));
    EXPECT_EQ(entries(A), (S{"10,0000x 1", "10,0000x 2", "10,0000x 3", "10,0000x 4"}));
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(column("MJ", i), "");
        EXPECT_EQ(column("PTs", i), "0");
        EXPECT_EQ(column("BP", i), "0");
        EXPECT_EQ(column("Delta", i), "0");
        EXPECT_EQ(team(A, i).ForeColor(), 0);
        EXPECT_FALSE(team(A, i).FontBold());
    }
    EXPECT_EQ(team(A, 4).Top(), 690);
    EXPECT_EQ(team(A, 1).Top(), 1635);
    EXPECT_EQ(w("LabTir").Caption(), "");
}

TEST_F(GroupTable, HalfEnteredMatchCountsGoalsButNoPoints) {
    score(A, 0).setText("2");
    EXPECT_EQ(column("BP", 1), "2");
    EXPECT_EQ(column("Delta", 1), "2");
    EXPECT_EQ(column("BC", 2), "2");
    EXPECT_EQ(column("Delta", 2), "-2");
    EXPECT_EQ(column("MJ", 1), "");
    EXPECT_EQ(column("PTs", 1), "0");
    EXPECT_EQ(standing(A), (V{1, 4, 3, 2}));
    EXPECT_EQ(team(A, 1).Top(), 690);
    EXPECT_EQ(team(A, 2).Top(), 1635);
    EXPECT_EQ(team(A, 1).ForeColor(), 0);
}

TEST_F(GroupTable, EmptiedBoxIsAPlayedNil) {
    score(B, 0).setText("");
    score(B, 1).setText("1");
    EXPECT_EQ(column("PTsB", 2), "3");
    EXPECT_EQ(column("MJb", 1), "1");
    EXPECT_EQ(column("MJb", 2), "1");
    EXPECT_EQ(column("PTsB", 1), "0");
}

TEST_F(GroupTable, AllNilsNeedADrawingOfLotsWonByAClick) {
    typeGroup(A, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(column("MJ", i), "3");
        EXPECT_EQ(column("PTs", i), "3");
        EXPECT_EQ(column("Delta", i), "0");
    }
    EXPECT_EQ(w("LabTir").Caption(), kLotsPrompt);
    EXPECT_EQ(standing(A), (V{4, 3, 2, 1}));
    EXPECT_EQ(team(A, 4).ForeColor(), 255);
    EXPECT_TRUE(team(A, 3).FontBold());
    EXPECT_EQ(team(A, 1).ForeColor(), kGrey);  // the third's colour is the thirds' ranking's matter
    EXPECT_FALSE(team(A, 1).FontBold());

    team(A, 2).raiseClick();
    EXPECT_EQ(team(A, 2).Tag(), "1");
    EXPECT_EQ(standing(A), (V{2, 4, 3, 1}));
    EXPECT_EQ(entries(A).back(), "13,0001x 2");
    EXPECT_EQ(w("LabTir").Caption(), "");  // teams 4, 3 and 1 are still level

    team(A, 1).raiseClick();  // the prompt is gone: only recomputes
    EXPECT_EQ(team(A, 1).Tag(), "");
    EXPECT_EQ(standing(A), (V{2, 4, 3, 1}));
}

TEST_F(GroupTable, OnePlaceholderKeepsTheGroupBlackThoughOrdered) {
    typeGroup(A, {"3", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(team(A, 1).ForeColor(), 255);
    score(A, 7).setText("-");
    const std::vector<int> order = standing(A);
    EXPECT_EQ(order.front(), 1);
    for (int place : {0, 1, 3}) {  // a third may still go through among the best thirds
        EXPECT_EQ(team(A, order[static_cast<size_t>(place)]).ForeColor(), 0);
        EXPECT_FALSE(team(A, order[static_cast<size_t>(place)]).FontBold());
    }
    EXPECT_EQ(w("LabTir").Caption(), "");
}

TEST_F(GroupTable, DifferenceOutweighsTenGoalsScored) {
    // Team 1: won 7-1 and lost 5-11 (3 points, +0, 12 goals); team 4: won 1-0 (3 points, +1, 1 goal).
    typeGroup(D, {"7", "1", "-", "-", "5", "11", "1", "0", "-", "-", "-", "-"});
    EXPECT_EQ(standing(D), (V{3, 1, 4, 2}));
    EXPECT_EQ(entries(D)[2], "13,0120x 1");
    EXPECT_EQ(entries(D)[1], "13,0110x 4");
    EXPECT_EQ(column("DeltaD", 2), "-7");
}

TEST_F(GroupTable, KeysEqualToTheLastDecimalAreAnExactTie) {
    // Teams 1 and 2 both on 3 points: -1 with 1 goal, and -2 with 11 goals: the same key 2.991.
    typeGroup(A, {"1", "0", "0", "0", "0", "1", "5", "6", "1", "0", "5", "7"});
    EXPECT_EQ(column("PTs", 1), "3");
    EXPECT_EQ(column("PTs", 2), "3");
    EXPECT_EQ(column("Delta", 2), "-2");
    EXPECT_EQ(entries(A)[0], "12,9910x 1");
    EXPECT_EQ(entries(A)[1], "12,9910x 2");
    EXPECT_EQ(standing(A), (V{3, 4, 2, 1}));
    EXPECT_EQ(w("LabTir").Caption(), kLotsPrompt);
    auto keys = zenkor::GroupStandingKeys(w, A);
    EXPECT_EQ(keys[1], 29910);
    EXPECT_EQ(keys[1], keys[2]);
}

TEST_F(GroupTable, RowsCarryTheirColumnsWithThePlayedLabelFifteenLower) {
    typeGroup(A, {"0", "3", "-", "-", "-", "-", "-", "-", "-", "-", "-", "-"});
    EXPECT_EQ(team(A, 2).Top(), 690);
    EXPECT_EQ(w("PTs", 2).Top(), 690);
    EXPECT_EQ(w("BC", 2).Top(), 690);
    EXPECT_EQ(w("MJ", 2).Top(), 705);
    EXPECT_EQ(column("Delta", 2), "3");
    EXPECT_EQ(column("Delta", 1), "-3");
    EXPECT_EQ(w("Delta", 1).Top(), 1635);
    EXPECT_EQ(w("MJ", 1).Top(), 1650);
    EXPECT_EQ(w.teamPlace(A, 1), 4);
}

TEST_F(GroupTable, HugeScoresRankByTheirNumbers) {
    // Both winners' keys leave the two-digit layout; the entries still sort in the numeric order.
    typeGroup(A, {"20000", "0", "10000", "0", "-", "-", "-", "-", "-", "-", "-", "-"});
    EXPECT_EQ(standing(A), (V{1, 3, 4, 2}));
    const S list = entries(A);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[3].substr(0, 2), "99");
    EXPECT_EQ(list[3].back(), '1');
    EXPECT_EQ(list[2].back(), '3');
    EXPECT_EQ(list[1].back(), '4');
    EXPECT_EQ(list[0].back(), '2');
    for (const std::string& e : list) EXPECT_EQ(e.size(), 10u) << e;

    score(A, 0).setText("99999999999999999999");  // saturates, never fails
    EXPECT_EQ(standing(A).front(), 1);
    EXPECT_EQ(column("BP", 1), "2147483647");
}

TEST_F(GroupTable, DecimalScoresCountTheirLeadingValue) {
    // "1.5" reads 1.5 and beats 1; "2,7" reads 2 (the comma ends the number) and draws with 2.
    typeGroup(A, {"1.5", "1", "2,7", "2", "-", "-", "-", "-", "-", "-", "-", "-"});
    EXPECT_EQ(column("PTs", 1), "3");
    EXPECT_EQ(column("PTs", 2), "0");
    EXPECT_EQ(column("BP", 1), "1,5");
    EXPECT_EQ(column("Delta", 2), "-0,5");
    EXPECT_EQ(column("PTs", 3), "1");
    EXPECT_EQ(entries(A)[3], "13,0065x 1");  // 3 + 0.5 / 100 + 1.5 / 1000
    EXPECT_EQ(entries(A)[0], "09,9960x 2");
    EXPECT_EQ(standing(A), (V{1, 4, 3, 2}));
    EXPECT_EQ(zenkor::GroupStandingKeys(w, A)[1], 30065);
}

TEST_F(GroupTable, KeysLevelOnlyToTheFourthDecimalGoByIndexWithoutAPrompt) {
    // Teams 1 and 2 both on 4 points and level on difference, with 1.02 and 1.01 goals: keys 4.00102 and
    // 4.00101 read the same entry, so team 2 takes the better place, but they are not a tie.
    typeGroup(A, {"0.01", "0.01", "1", "0", "0", "1", "0", "1", "0.01", "1.01", "0", "1"});
    EXPECT_EQ(column("PTs", 1), "4");
    EXPECT_EQ(column("PTs", 2), "4");
    EXPECT_EQ(column("BP", 1), "1,02");
    EXPECT_EQ(entries(A)[1], "14,0010x 1");
    EXPECT_EQ(entries(A)[2], "14,0010x 2");
    EXPECT_EQ(standing(A), (V{3, 2, 1, 4}));
    EXPECT_EQ(w("LabTir").Caption(), "");
}

TEST_F(GroupTable, MarksFromAFileCountAndHideThePrompt) {
    team(A, 1).setTag("1");
    typeGroup(A, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(standing(A).front(), 1);
    EXPECT_EQ(w("LabTir").Caption(), "");
}

TEST_F(GroupTable, TablesWaitForTheEndOfTheFirstLoad) {
    w.FChargee = false;
    score(B, 0).setText("-2");
    EXPECT_EQ(score(B, 0).Text(), "2");
    EXPECT_EQ(column("BPB", 1), "");
    EXPECT_EQ(w("LabTIRB").Caption(), "Tirage");
}

}  // namespace
}  // namespace group_test
