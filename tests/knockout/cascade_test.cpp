// The knockout cascade from the round of 16 to the podium, the entry of knockout scores and the goal
// total.
#include "tests/knockout/knockout_window.h"

namespace knockout_test {
namespace {

class Cascade : public KnockoutWindow {
  protected:
    Cascade() {
        playAllGroups();
        // Round of 16: F1-C3 D2-E2 B1-F3 A1-C2 E1-D3 D1-F2 C1-E3 A2-B2.
        playMatch("Buthui", "ButPen", 0, "2", "1");
        playMatch("Buthui", "ButPen", 1, "1", "1", "4", "3");
        playMatch("Buthui", "ButPen", 2, "0", "1");
        playMatch("Buthui", "ButPen", 3, "2", "2", "3", "5");
        playMatch("Buthui", "ButPen", 4, "3", "0");
        playMatch("Buthui", "ButPen", 5, "1", "0");
        playMatch("Buthui", "ButPen", 6, "2", "1", "0", "3");  // shoot-out goals count whatever the score
        playMatch("Buthui", "ButPen", 7, "0", "0", "5", "4");
    }
    void playQuarterFinals() {
        playMatch("ButQua", "ButPen4", 0, "1", "0");
        playMatch("ButQua", "ButPen4", 1, "0", "2");
        playMatch("ButQua", "ButPen4", 2, "1", "1", "2", "4");
        playMatch("ButQua", "ButPen4", 3, "3", "1");
    }
    void playToTheFinal() {
        playQuarterFinals();
        playMatch("ButDem", "ButPen2", 0, "2", "0");
        playMatch("ButDem", "ButPen2", 1, "0", "0", "3", "4");
        playMatch("ButFIN", "ButPenFIN", 0, "1", "1", "5", "4");
    }
    bool winner(const char* slots, int n) { return w(slots, n).BackColor() == kWinnerBack; }
};

TEST_F(Cascade, RoundOf16WinnersGoThroughInWinnerColours) {
    EXPECT_EQ(texts("Qua", 0, 7), (std::vector<std::string>{"F1", "D2", "F3", "C2", "E1", "D1", "E3", "A2"}));
    for (int k = 0; k < 8; ++k) {
        const int won = k == 2 || k == 3 || k == 6 ? 2 * k + 1 : 2 * k;
        EXPECT_TRUE(winner("Huit", won)) << k;
        EXPECT_EQ(w("Huit", won).ForeColor(), platform::kWhite);
        EXPECT_EQ(w("Huit", won ^ 1).BackColor(), platform::kWhite);
        EXPECT_EQ(w("Huit", won ^ 1).ForeColor(), platform::kBlack);
    }
    EXPECT_EQ(w("Buthui", 2).ToolTipText(), "5");   // 1 and 4 in the shoot-out
    EXPECT_EQ(w("Buthui", 13).ToolTipText(), "4");  // 1 and 3
}

TEST_F(Cascade, ShootOutsCarryTheWinnersToThePodium) {
    playToTheFinal();
    EXPECT_EQ(texts("DEM", 0, 3), (std::vector<std::string>{"F1", "C2", "D1", "E3"}));
    EXPECT_EQ(texts("FIN", 0, 1), (std::vector<std::string>{"F1", "E3"}));
    EXPECT_EQ(texts("pf", 0, 1), (std::vector<std::string>{"C2", "D1"}));
    EXPECT_TRUE(winner("FIN", 0));
    EXPECT_EQ(w("FIN", 1).BackColor(), platform::kWhite);
    EXPECT_EQ(w("pod", 1).Caption(), "F1");
    EXPECT_EQ(w("pod", 2).Caption(), "E3");
    EXPECT_EQ(w("pod", 3).Caption(), "C2\r\nD1");
    EXPECT_EQ(w("pod", 4).Caption(), "");
    EXPECT_TRUE(w("Image8").Visible());
    // The third-place match is never decided and its slots keep the design colours.
    w("Butpetfin", 0).setText("2");
    w("Butpetfin", 1).setText("1");
    EXPECT_FALSE(winner("pf", 0));
    EXPECT_FALSE(winner("pf", 1));
}

TEST_F(Cascade, FinalCountsAPlaceholderAsNoGoal) {
    playQuarterFinals();
    playMatch("ButDem", "ButPen2", 0, "2", "0");
    playMatch("ButDem", "ButPen2", 1, "1", "0");
    w("ButFIN", 1).setText("1");
    EXPECT_TRUE(winner("FIN", 1));
    EXPECT_EQ(w("pod", 1).Caption(), "D1");
    EXPECT_EQ(w("pod", 2).Caption(), "F1");
    EXPECT_TRUE(w("Image8").Visible());
    // Level, then both scores removed: no champion, no trophy, both finalists plain.
    w("ButFIN", 0).setText("1");
    EXPECT_EQ(w("pod", 1).Caption(), "");
    EXPECT_EQ(w("pod", 2).Caption(), "");
    EXPECT_FALSE(w("Image8").Visible());
    w("ButFIN", 0).setText("3");
    w("ButFIN", 0).setText("-");
    w("ButFIN", 1).setText("-");
    EXPECT_EQ(w("pod", 1).Caption(), "");
    EXPECT_FALSE(winner("FIN", 0));
    EXPECT_FALSE(winner("FIN", 1));
    EXPECT_FALSE(w("Image8").Visible());
}

TEST_F(Cascade, AnUndecidedMatchEmptiesEverythingItFed) {
    playToTheFinal();
    ASSERT_EQ(w("pod", 1).Caption(), "F1");
    w("Buthui", 0).setText("-");  // F1's round-of-16 match is open again
    EXPECT_EQ(w("Qua", 0).Text(), "");
    EXPECT_FALSE(winner("Huit", 0));
    EXPECT_EQ(w("DEM", 0).Text(), "");
    EXPECT_EQ(w("FIN", 0).Text(), "");
    EXPECT_EQ(w("pod", 1).Caption(), "");
    EXPECT_EQ(w("pod", 2).Caption(), "E3");
    EXPECT_FALSE(w("Image8").Visible());
    // A level semi-final takes both its finalist and its third-place slot away.
    w("ButPen2", 3).setText("3");
    EXPECT_EQ(w("FIN", 1).Text(), "");
    EXPECT_EQ(w("pf", 1).Text(), "");
    EXPECT_EQ(w("pod", 3).Caption(), "C2\r\n");
    // The score back: the same bracket as before.
    w("Buthui", 0).setText("2");
    w("ButPen2", 3).setText("4");
    EXPECT_EQ(w("pod", 1).Caption(), "F1");
    EXPECT_TRUE(w("Image8").Visible());
}

TEST_F(Cascade, LevelWithoutShootOutDecidesNothing) {
    playMatch("Buthui", "ButPen", 4, "1", "1");
    EXPECT_EQ(w("Qua", 4).Text(), "");
    EXPECT_FALSE(winner("Huit", 8));
    EXPECT_FALSE(winner("Huit", 9));
    // One score entered only: undecided as well; the tooltips show each side's value.
    w("Buthui", 9).setText("-");
    EXPECT_EQ(w("Qua", 4).Text(), "");
    EXPECT_EQ(w("Buthui", 8).ToolTipText(), "1");
    EXPECT_EQ(w("Buthui", 9).ToolTipText(), "0");
    // An emptied score box is a played 0.
    w("Buthui", 9).setText("");
    w("Buthui", 8).setText("2");
    EXPECT_EQ(w("Qua", 4).Text(), "E1");
}

TEST_F(Cascade, TheEdition2008CrossedTheQuarterFinalWinners) {
    w("Text1").setText("Zenkor2008");
    playQuarterFinals();
    EXPECT_EQ(texts("DEM", 0, 3), (std::vector<std::string>{"F1", "D1", "C2", "E3"}));
    w("Text1").setText("zenkor2008");
    w("ButQua", 0).setText("2");
    EXPECT_EQ(texts("DEM", 0, 3), (std::vector<std::string>{"F1", "C2", "D1", "E3"}));
}

TEST_F(Cascade, HugeScoresNeitherFailNorOverflow) {
    w("Buthui", 0).setText(std::string(400, '9'));
    w("ButPen", 0).setText("9e999");
    EXPECT_EQ(w("Qua", 0).Text(), "F1");
    w("Buthui", 1).setText(std::string(400, '9'));
    EXPECT_EQ(w("Qua", 0).Text(), "");  // both saturate: level
    EXPECT_EQ(w("Label15").Caption().find("inf"), std::string::npos);
}

using Entry = KnockoutWindow;

TEST_F(Entry, PlaceholderDroppedAroundTheTypedDigits) {
    auto& box = w("Buthui", 0);
    box.setText("-3");
    EXPECT_EQ(box.Text(), "3");
    box.setText("3-");
    EXPECT_EQ(box.Text(), "3");
    box.setText("1-2");
    EXPECT_EQ(box.Text(), "12");
    box.setText("--");
    EXPECT_EQ(box.Text(), "");
    box.setText("-");
    EXPECT_EQ(box.Text(), "-");
    for (const char* name : {"ButPen", "ButQua", "ButPen4", "ButDem", "ButPen2", "ButFIN", "ButPenFIN",
                             "Butpetfin", "ButPenpetfin"}) {
        w(name, 1).setText("-7");
        EXPECT_EQ(w(name, 1).Text(), "7") << name;
    }
    w("Buthui", 17).setText("-5");  // the help panel's example strips too
    EXPECT_EQ(w("Buthui", 17).Text(), "5");
}

TEST_F(Entry, MousePressSelectsTheFirstTwoCharacters) {
    auto& box = w("ButDem", 2);
    box.setText("123");
    box.raiseMouseDown(1, 0, 0, 0);
    EXPECT_EQ(box.SelText(), "12");
    box.setSelStart(3);
    box.raiseMouseDown(2, 1, 5, 5);
    EXPECT_EQ(box.SelText(), "12");
    w("ButPenFIN", 0).raiseMouseDown(1, 0, 0, 0);
    EXPECT_EQ(w("ButPenFIN", 0).SelText(), "-");
}

TEST_F(Entry, NothingRecomputedWhileLoading) {
    playAllGroups();
    w.FChargee = false;
    w("Buthui", 0).setText("-2");
    w("Buthui", 1).setText("1");
    EXPECT_EQ(w("Buthui", 0).Text(), "2");
    EXPECT_EQ(w("Qua", 0).Text(), "");
    w.FChargee = true;
    w("ButPen", 0).setText("0");
    EXPECT_EQ(w("Qua", 0).Text(), "F1");
}

using GoalTotal = KnockoutWindow;

TEST_F(GoalTotal, NothingEnteredShowsNoNumber) {
    zenkor::ShowTotalGoals(w);
    EXPECT_EQ(w("Label15").Caption(), std::string(" ") + kGoalsWord);
    EXPECT_EQ(w("Label21").Caption(), w("Label15").Caption());
    EXPECT_EQ(score(0, 0).BackColor(), platform::kButtonFace);
}

TEST_F(GoalTotal, EveryScoreOfEveryRoundButNoShootOut) {
    score(0, 0).setText("3");
    score(0, 1).setText("2");
    EXPECT_EQ(w("Label15").Caption(), std::string("5 ") + kGoalsWord);
    EXPECT_EQ(score(0, 0).BackColor(), platform::kWhite);
    EXPECT_EQ(score(0, 2).BackColor(), platform::kButtonFace);
    score(5, 11).setText("");  // an emptied box is a score of 0
    EXPECT_EQ(score(5, 11).BackColor(), platform::kWhite);
    w("Buthui", 3).setText("4");
    w("ButPen", 3).setText("9");
    w("Buthui", 16).setText("7");  // the help panel's example
    w("ButPen", 16).setText("7");
    EXPECT_EQ(w("Label15").Caption(), std::string("9 ") + kGoalsWord);
    w("ButQua", 0).setText("1");
    w("ButDem", 0).setText("1");
    w("ButFIN", 1).setText("1");
    w("ButPenFIN", 1).setText("6");
    EXPECT_EQ(w("Label21").Caption(), std::string("12 ") + kGoalsWord);
    // A third-place score shows at once.
    w("Butpetfin", 0).setText("2");
    EXPECT_EQ(w("Label15").Caption(), std::string("14 ") + kGoalsWord);
    EXPECT_EQ(w("Label21").Caption(), std::string("14 ") + kGoalsWord);
}

}  // namespace
}  // namespace knockout_test
