// Typing in score and team boxes, fixture labels, the row reset, hovering, the score fill and unlocking.
#include "tests/group_stage/group_window.h"

namespace group_test {
namespace {

constexpr int A = 0, B = 1, C = 2, E = 4, F = 5;

class GroupEntry : public GroupWindow {};

// Each group's boxes run that group's handlers: a box bound to a neighbour's would recompute the wrong table.
TEST_F(GroupEntry, EveryBoxOfEveryGroupRunsItsOwnGroupsHandlers) {
    for (int g = 0; g < 6; ++g) {
        const zenkor::GroupNames& n = names(g);
        for (int k = 0; k < 12; ++k) {
            const int scorer = zenkor::kFixtureTeam[static_cast<size_t>(k)];
            std::array<std::string, 6> before;
            for (int other = 0; other < 6; ++other)
                before[static_cast<size_t>(other)] = w(names(other).goalsFor, scorer).Caption();
            score(g, k).setText("7");
            for (int other = 0; other < 6; ++other) {
                const std::string now = w(names(other).goalsFor, scorer).Caption();
                EXPECT_EQ(now, other == g ? "7" : before[static_cast<size_t>(other)]) << g << ' ' << k;
            }
            score(g, k).setText("-");

            score(g, k).setText("123");
            score(g, k).raiseMouseDown(1, 0, 0, 0);
            EXPECT_EQ(score(g, k).SelText(), "12") << g << ' ' << k;
            score(g, k).setText("-");

            const std::string tag = std::string(n.fixture) + std::to_string(k);
            w(n.fixture, k).setTag(tag);
            w("LabInfo").setCaption("");
            score(g, k).raiseMouseMove(0, 0, 1, 1);
            EXPECT_EQ(w("LabInfo").Caption(), tag) << g << ' ' << k;
            w("LabInfo").setCaption("");
            w(n.fixture, k).raiseMouseMove(0, 0, 1, 1);
            EXPECT_EQ(w("LabInfo").Caption(), tag) << g << ' ' << k;
        }
        typeGroup(g, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        team(g, 2).raiseClick();
        EXPECT_EQ(team(g, 2).Tag(), "1") << g;
    }
}

TEST_F(GroupEntry, ThePlaceholderDropsOutOfEveryScore) {
    const std::vector<std::pair<std::string, std::string>> cases = {{"-3", "3"}, {"3-", "3"},   {"1-2", "12"},
                                                                    {"--", ""},  {"-", "-"},    {"", ""},
                                                                    {"2", "2"},  {"a b", "a b"}};
    for (const auto& [typed, kept] : cases) {
        score(C, 4).setText(typed);
        EXPECT_EQ(score(C, 4).Text(), kept) << typed;
    }
}

TEST_F(GroupEntry, TypingOverThePlaceholderRecomputesTheGroup) {
    score(A, 0).setText("-1");
    EXPECT_EQ(score(A, 0).Text(), "1");
    EXPECT_EQ(column("BP", 1), "1");
    score(A, 1).setText("-");
    score(A, 1).setText("");  // the lone placeholder deleted: an empty box is a played nil
    EXPECT_EQ(column("PTs", 1), "3");
    score(A, 1).setText("-");  // typed back: not played again
    EXPECT_EQ(column("PTs", 1), "0");
}

TEST_F(GroupEntry, MouseDownSelectsTheFirstTwoCharactersWhateverTheButton) {
    score(B, 3).setText("123");
    score(B, 3).setSelStart(3);
    score(B, 3).raiseMouseDown(2, 0, 10, 10);
    EXPECT_EQ(score(B, 3).SelStart(), 0);
    EXPECT_EQ(score(B, 3).SelText(), "12");
    score(F, 11).raiseMouseDown(4, 3, 0, 0);
    EXPECT_EQ(score(F, 11).SelText(), "-");
}

TEST_F(GroupEntry, HoveringAScoreOrALabelShowsItsMatchInformation) {
    w("lmC", 7).setTag("15/06/2024 18:00 Munich");
    score(C, 7).raiseMouseMove(0, 0, 5, 5);
    EXPECT_EQ(w("LabInfo").Caption(), "15/06/2024 18:00 Munich");
    w("lmE", 2).setTag("E match 2");
    score(E, 2).raiseMouseMove(0, 0, 5, 5);
    EXPECT_EQ(w("LabInfo").Caption(), "E match 2");
    w("lm", 0).setTag("A match 0");
    w("lm", 0).raiseMouseMove(1, 0, 0, 0);
    EXPECT_EQ(w("LabInfo").Caption(), "A match 0");
}

TEST_F(GroupEntry, RenamingATeamRewritesItsThreeFixtureLabelsInEveryGroup) {
    team(C, 3).setText("République tchèque");
    const std::vector<int> third = {2, 5, 11};
    for (int k = 0; k < 12; ++k) {
        const bool mine = std::find(third.begin(), third.end(), k) != third.end();
        EXPECT_EQ(w("lmC", k).Caption() == "République tchèque", mine) << k;
        EXPECT_EQ(w("lmC", k).BackColor(),
                  kTeamColours[static_cast<size_t>(zenkor::kFixtureTeam[static_cast<size_t>(k)])]);
    }
    EXPECT_EQ(w("lmF", 3).Caption(), "F4");
    EXPECT_EQ(w("lm", 1).Caption(), "A2");

    w.FChargee = false;  // a name written during the first load waits for the closing recompute
    team(F, 1).setText("Écosse");
    EXPECT_EQ(w("lmF", 0).Caption(), "F1");
    w.FChargee = true;
    team(A, 1).setText("Allemagne");
    EXPECT_EQ(w("lmF", 0).Caption(), "Écosse");
    EXPECT_EQ(w("lmF", 9).Caption(), "Écosse");
    EXPECT_EQ(w("lm", 4).Caption(), "Allemagne");

    team(A, 1).setText("");
    EXPECT_EQ(w("lm", 0).Caption(), "");
    EXPECT_EQ(w("lm", 9).Caption(), "");
}

TEST_F(GroupEntry, RowsReturnToEntryOrderOnlyWhenNoGroupScoreIsEntered) {
    for (int g = 0; g < 6; ++g) zenkor::CalcGroupStandings(w, g);
    team(B, 2).setTag("1");
    zenkor::CalcGroupStandings(w, B);
    ASSERT_EQ(team(A, 1).Top(), 1635);
    const int statsTop = w("PTs", 1).Top();

    score(F, 11).setText("");
    zenkor::ResetGroupRows(w);
    EXPECT_EQ(team(A, 1).Top(), 1635);  // an emptied box counts as entered

    score(F, 11).setText("-");
    zenkor::ResetGroupRows(w);
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(team(g, i).Top(), zenkor::kPlaceTop[static_cast<size_t>(i)]);
            EXPECT_EQ(w.teamPlace(g, i), i);
        }
    }
    EXPECT_EQ(w("PTs", 1).Top(), statsTop);  // the columns stay where the table put them
}

TEST_F(GroupEntry, FillGivesEveryGroupACompleteTableAndResetEmptiesIt) {
    w("Command30", 0).raiseClick();
    std::vector<std::string> first;
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) {
            const std::string s = score(g, k).Text();
            EXPECT_TRUE(s == "0" || s == "1" || s == "2") << s;
            first.push_back(s);
        }
        const std::vector<int> order = standing(g);
        EXPECT_EQ(team(g, order[0]).ForeColor(), 255);
        EXPECT_EQ(team(g, order[1]).ForeColor(), 255);
        EXPECT_EQ(team(g, order[3]).ForeColor(), kGrey);
    }

    w("Command30", 1).raiseClick();
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) EXPECT_EQ(score(g, k).Text(), "-");
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(team(g, i).ForeColor(), 0);
            EXPECT_EQ(w(names(g).points, i).Caption(), "0");
        }
    }

    platform::ResetRandom();  // the generator is never seeded: a fresh start fills the same scores
    w("Command30", 0).raiseClick();
    std::vector<std::string> again;
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) again.push_back(score(g, k).Text());
    }
    EXPECT_EQ(again, first);
}

TEST_F(GroupEntry, FillWritesBoxByBoxAcrossTheGroups) {
    std::vector<std::string> order;
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) {
            score(g, k).Change = [&order, g, k] { order.push_back(names(g).score + std::to_string(k)); };
        }
    }
    w("Command30", 1).raiseClick();
    EXPECT_TRUE(order.empty());  // every box already holds "-"
    w("Command30", 0).raiseClick();
    ASSERT_EQ(order.size(), 72u);
    EXPECT_EQ(order[0], "ButA0");
    EXPECT_EQ(order[5], "ButF0");
    EXPECT_EQ(order[6], "ButA1");
    EXPECT_EQ(order[71], "ButF11");
}

TEST_F(GroupEntry, UnlockingFreesGroupsAToDAndSaysSoEveryTime) {
    EXPECT_TRUE(team(A, 1).Locked());
    EXPECT_FALSE(team(C, 1).Locked());
    w("Command3").setEnabled(false);
    w("Label12").raiseClick();
    for (int i = 1; i <= 4; ++i) {
        for (int g = 0; g < 4; ++g) EXPECT_FALSE(team(g, i).Locked());
        EXPECT_TRUE(team(E, i).Locked());
        EXPECT_TRUE(team(F, i).Locked());
    }
    for (int i = 0; i <= 5; ++i) EXPECT_TRUE(w("NEElim", i).Visible());
    EXPECT_TRUE(w("Command3").Enabled());
    EXPECT_FALSE(w("Frame22").Visible());
    w("Label12").raiseClick();
    ASSERT_EQ(sandbox.dialogs->messages.size(), 2u);
    EXPECT_EQ(sandbox.dialogs->messages[1].text, "Equipes débloquées");
    EXPECT_EQ(sandbox.dialogs->messages[1].style, 64);
    EXPECT_EQ(sandbox.dialogs->messages[1].title, "OK");
}

}  // namespace
}  // namespace group_test
