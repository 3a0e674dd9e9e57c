// The group table of the qualifiers panel, driven through the group buttons and the score boxes.
#include "tests/qualifiers/qualifiers_support.h"

namespace {

using qualifiers_testing::Group;
using qualifiers_testing::QualifiersTest;
using qualifiers_testing::rowOf;
using qualifiers_testing::sixTeams;

constexpr platform::Color kWhite = 16777215, kGreen = 65280, kOrange = 33023, kLightOrange = 12640511,
                          kRed = 255, kYellow = 65535, kGrey = platform::RGB(220, 220, 220);

using Names = std::vector<std::string>;

TEST_F(QualifiersTest, WithoutScoresTheTableIsInReverseOrderOfNamesAndEveryRowIsOpen) {
    writeQualifiers({{"A", sixTeams(), {}, {}}, {"I", {"Aa", "Bb", "Cc", "Dd", "Ee"}, {}, {}}});
    auto w = start();
    ASSERT_TRUE((*w)("Shape3").Visible());  // the edition file's news
    open(*w);
    // A qualifiers file without news clears the news line.
    EXPECT_EQ((*w)("Label10").Caption(), "");
    EXPECT_FALSE((*w)("Shape3").Visible());
    showGroup(*w, 'A');
    EXPECT_EQ(table(*w), (Names{"Ff", "Ee", "Dd", "Cc", "Bb", "Aa"}));
    EXPECT_EQ((*w)("Label24", 1).Caption(), "0 matches joués sur 30");
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ((*w)("SortEQU", r).BackColor(), r <= 2 ? kWhite : kLightOrange) << r;
        EXPECT_EQ((*w)("SortPTS", r).Text(), "0");
    }
    EXPECT_EQ((*w)("List5").List(0), "01000|Aa|0|0|0|0|0|0|0|0|0");
    EXPECT_EQ((*w)("List8").List(0), "30");

    showGroup(*w, 'I');
    EXPECT_EQ((*w)("Label24", 1).Caption(), "0 matches joués sur 20");
    EXPECT_EQ(team(*w, 5), "Aa");
    EXPECT_EQ(team(*w, 6), "");
    EXPECT_FALSE((*w)("SortEQU", 6).Visible());
    EXPECT_EQ((*w)("EquiElim", 38).Text(), "Ee");
    EXPECT_EQ((*w)("EquiElim", 40).Text(), "");
    for (const std::string& line : platform::Split((*w)("Text5").Text(), "\r\n")) {
        if (!line.empty()) {
            EXPECT_EQ(platform::Right(line, 4), "|0|0") << line;
        }
    }
    showGroup(*w, 'A');
    EXPECT_TRUE((*w)("SortEQU", 6).Visible());
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, AScoreCountsOnceBothBoxesHoldOne) {
    writeQualifiers({{"A", sixTeams(), {}, {}}});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    const int row = rowOf(0, 1);  // Aa at home to Bb
    (*w)("ButElim", 2 * row).setText("2");
    EXPECT_EQ((*w)("SortPTS", 1).Text(), "0");
    EXPECT_EQ((*w)("ButElim", 2 * row).BackColor(), kWhite);
    // Only the team whose own box is still "-" keeps the three points of the fixture in its maximum.
    (*w)("ButElim", 2 * row + 1).setText("0");
    EXPECT_EQ(team(*w, 1), "Aa");
    EXPECT_EQ((*w)("SortPTS", 1).Text(), "3");
    EXPECT_EQ((*w)("ButElim", 2 * row).BackColor(), kGreen);
    EXPECT_EQ((*w)("ButElim", 2 * row + 1).BackColor(), kOrange);
    EXPECT_TRUE((*w)("EquiElim", 2 * row + 1).FontBold());
    EXPECT_EQ((*w)("Label24", 1).Caption(), "1 matches joués sur 30");

    // A minus sign typed into a score is dropped; the table follows the cleaned text.
    (*w)("ButElim", 2 * row + 1).setText("-2");
    EXPECT_EQ((*w)("ButElim", 2 * row + 1).Text(), "2");
    EXPECT_EQ((*w)("ButElim", 2 * row).BackColor(), kGrey);
    EXPECT_EQ((*w)("SortPTS", 1).Text(), "1");

    // Back to "-": the fixture stops counting.
    (*w)("ButElim", 2 * row).setText("-");
    EXPECT_EQ((*w)("SortPTS", 1).Text(), "0");
    EXPECT_FALSE((*w)("EquiElim", 2 * row + 1).FontBold());

    // An emptied box is a played fixture with no goal for that side.
    (*w)("ButElim", 2 * row).setText("");
    EXPECT_EQ((*w)("Label24", 1).Caption(), "1 matches joués sur 30");
    EXPECT_EQ(team(*w, 1), "Bb");
    EXPECT_EQ((*w)("SortBP", 1).Text(), "2");
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, NeighboursWithEqualRecordsAreSettledByTheirOwnFixtures) {
    // Aa beat Bb 3-0 and lost 0-3 to Cc; Bb beat Dd 3-0: Aa and Bb have the same points and goals.
    Group a{"A", sixTeams(), {{{0, 1}, {"3", "0"}}, {{0, 2}, {"0", "3"}}, {{1, 3}, {"3", "0"}}}, {}};
    writeQualifiers({a});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    EXPECT_EQ(table(*w), (Names{"Cc", "Aa", "Bb", "Ff", "Ee", "Dd"}));
    EXPECT_EQ((*w)("List6").ListCount(), 0);

    // The same teams apart in team order get no head-to-head: the later name comes first.
    Group apart{"A", {"Aa", "Cc", "Bb", "Dd", "Ee", "Ff"}, {}, {}};
    apart.scores = {{{0, 2}, {"3", "0"}}, {{0, 1}, {"0", "3"}}, {{2, 3}, {"3", "0"}}};
    writeQualifiers({apart});
    showGroup(*w, 'A');
    EXPECT_EQ(table(*w), (Names{"Cc", "Bb", "Aa", "Ff", "Ee", "Dd"}));
}

TEST_F(QualifiersTest, ThreeTiedNeighboursFormOneGroupAndTwoPairsEachTheirOwn) {
    // Aa, Bb and Cc each win 1-0 at home against one of the others: equal in everything.
    Group a{"A", sixTeams(), {}, {}};
    a.scores = {{{0, 1}, {"1", "0"}}, {{1, 2}, {"1", "0"}}, {{2, 0}, {"1", "0"}}};
    writeQualifiers({a});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    EXPECT_EQ((*w)("List5").List(5), "04003|Cc|3|2|1|0|1|1|1|0|1");
    EXPECT_EQ(table(*w), (Names{"Cc", "Bb", "Aa", "Ff", "Ee", "Dd"}));

    // Two separate pairs with equal records: Aa beat Bb 3-0, Ee beat Ff 2-0; each pair is settled by its
    // own fixture (without it Bb would stand above Aa and Ff above Ee).
    Group pairs{"A", sixTeams(), {}, {}};
    pairs.scores = {{{0, 1}, {"3", "0"}}, {{2, 0}, {"3", "0"}}, {{1, 3}, {"3", "0"}},
                    {{4, 5}, {"2", "0"}}, {{2, 4}, {"2", "0"}}, {{5, 3}, {"2", "0"}}};
    writeQualifiers({pairs});
    showGroup(*w, 'A');
    EXPECT_EQ(table(*w), (Names{"Cc", "Aa", "Ee", "Ff", "Bb", "Dd"}));
}

TEST_F(QualifiersTest, FourTiedNeighboursAreSettledAsOneGroup) {
    // Aa, Bb, Cc and Dd each won once 2-0 and lost once 0-2; among the four, Aa beat Dd and Bb beat Cc.
    Group a{"A", sixTeams(), {}, {}};
    a.scores = {{{0, 3}, {"2", "0"}}, {{1, 2}, {"2", "0"}}, {{5, 0}, {"2", "0"}},
                {{5, 1}, {"2", "0"}}, {{2, 4}, {"2", "0"}}, {{3, 4}, {"2", "0"}}};
    writeQualifiers({a});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    // Both winners of a mutual fixture above both losers; equal terms put the later name first.
    EXPECT_EQ(table(*w), (Names{"Ff", "Bb", "Aa", "Dd", "Cc", "Ee"}));
    EXPECT_EQ((*w)("List6").ListCount(), 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, ShortGroupsHoldNoFixturesInTheirBlankSlotsAndRecordNoThird) {
    Group i{"I", {"Aa", "Bb", "Cc", "Dd", "Ee"}, {{{0, 1}, {"1", "0"}}}, {}};
    Group pair{"B", {"Yy", "Zz"}, {{{0, 1}, {"3", "0"}}}, {}};
    Group full{"A", sixTeams("Q"), {}, {}};
    writeQualifiers({full, pair, i});
    auto w = start();
    open(*w);
    // The thirds of groups A and I only: the group of two adds none, nor do the empty groups.
    EXPECT_EQ((*w)("ListMeilleurB").ListCount(), 2);
    EXPECT_EQ((*w)("QuaBar").Text(), "Dd\r\n");

    // Scores typed into group I's rows without teams count for nobody.
    showGroup(*w, 'I');
    ASSERT_EQ((*w)("EquiElim", 40).Text(), "");
    score(*w, 20, "5", "5");
    score(*w, 29, "1", "0");
    EXPECT_EQ((*w)("Label24", 1).Caption(), "1 matches joués sur 20");
    EXPECT_EQ(table(*w), (Names{"Aa", "Ee", "Dd", "Cc", "Bb", ""}));
    EXPECT_EQ((*w)("ButElim", 40).BackColor(), kWhite);
    (*w)("Command25").raiseClick();
    EXPECT_EQ((*w)("Label24", 0).Caption(), "2 matches joués sur 52");

    showGroup(*w, 'B');
    EXPECT_EQ(table(*w), (Names{"Yy", "Zz", "", "", "", ""}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, AResultAgainstTheSixthIsTakenOffInTheWorkLines) {
    // Aa beat Ff 2-0 and drew 1-1 with it; Bb, Cc, Dd and Ee each won once, so Ff is last.
    Group a{"A", sixTeams(), {{{0, 5}, {"2", "0"}}, {{5, 0}, {"1", "1"}}}, {}};
    a.scores[{1, 2}] = {"1", "0"};
    a.scores[{2, 3}] = {"1", "0"};
    a.scores[{3, 4}] = {"1", "0"};
    a.scores[{4, 1}] = {"1", "0"};
    writeQualifiers({a});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    ASSERT_EQ(team(*w, 6), "Ff");
    const auto text = platform::Split((*w)("Text5").Text(), "\r\n");
    ASSERT_EQ(text.size(), 7u);
    EXPECT_EQ(text[0], "Aa|-4|-2");
    EXPECT_EQ(text[1], "Bb|0|0");

    // A second run without a score change (a raised advantage) appends six more lines.
    (*w)("NEElim", 1).raiseDblClick();
    EXPECT_EQ(platform::Split((*w)("Text5").Text(), "\r\n").size(), 13u);
    EXPECT_EQ(stored("TrimElimA", "1"), "10");
    EXPECT_EQ(team(*w, 2), "Bb");  // ten is one goal of difference: Bb now leads the four on 3 points
}

TEST_F(QualifiersTest, RowsShowWhatEachTeamCanStillReach) {
    // Aa has won all its ten fixtures except the last one; nobody can catch it.
    Group a{"A", sixTeams(), {}, {}};
    for (int j = 1; j <= 5; ++j) {
        a.scores[{0, j}] = {"1", "0"};
        if (j < 5) a.scores[{j, 0}] = {"0", "1"};
    }
    writeQualifiers({a});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    EXPECT_EQ(team(*w, 1), "Aa");
    EXPECT_EQ((*w)("SortEQU", 1).BackColor(), kGreen);
    EXPECT_EQ((*w)("SortRang", 1).BackColor(), kGreen);
    EXPECT_EQ((*w)("SortEQU", 2).BackColor(), kWhite);

    (*w)("SortEQU", 1).raiseMouseMove(0, 0, 1, 1);
    EXPECT_TRUE((*w)("SortRang", 7).Visible());
    EXPECT_EQ((*w)("SortRang", 7).Text(), "Aa : assuré de finir dans les deux premiers");
    (*w)("SortDiff", 2).raiseMouseMove(0, 0, 1, 1);
    EXPECT_FALSE((*w)("SortRang", 7).Visible());
}

TEST_F(QualifiersTest, AFinishedGroupShowsItsFirstTwoThirdAndTheOthers) {
    box.copyDataFile("Elim2024.ini");
    auto w = start();
    open(*w);
    showGroup(*w, 'B');
    EXPECT_EQ(table(*w), (Names{"Belgique", "Galles", "Bosnie", "Israel", "Chypre", "Andorre"}));
    EXPECT_EQ((*w)("Label24", 1).Caption(), "30 matches joués sur 30");
    EXPECT_EQ((*w)("SortEQU", 1).BackColor(), kGreen);
    EXPECT_EQ((*w)("SortEQU", 2).BackColor(), kGreen);
    EXPECT_EQ((*w)("SortEQU", 3).BackColor(), kYellow);
    for (int r = 4; r <= 6; ++r) EXPECT_EQ((*w)("SortEQU", r).BackColor(), kRed) << r;
    (*w)("SortPTS", 3).raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ((*w)("SortRang", 7).Text(), "Bosnie: Qualifiés pour les barrages:");
    (*w)("SortEQU", 4).raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ((*w)("SortRang", 7).Text(), "Israel : ne peut plus finir dans les deux premiers");
    (*w)("SortRang", 7).raiseMouseMove(0, 0, 1, 1);
    EXPECT_FALSE((*w)("SortRang", 7).Visible());

    // The best third's row turns green in its own group.
    const std::string best = (*w)("QUALIF", 19).Text();
    EXPECT_EQ(best, "Turquie");
    showGroup(*w, 'A');
    EXPECT_EQ(team(*w, 3), "Turquie");
    EXPECT_EQ((*w)("SortEQU", 3).BackColor(), kGreen);
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, AShorterNameInsideALongerOneLeavesTheTieListWithoutLooping) {
    // "Irlande" and "Irlande Nord" tied as neighbours: removing the shorter name's items from the tie
    // list also takes the longer name's.
    Group a{"A", {"Irlande", "Irlande Nord", "Cc", "Dd", "Ee", "Ff"}, {}, {}};
    a.scores = {{{0, 2}, {"1", "0"}}, {{1, 3}, {"1", "0"}}};
    writeQualifiers({a});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    EXPECT_EQ((*w)("List6").ListCount(), 0);
    const Names top = {table(*w)[0], table(*w)[1]};
    EXPECT_TRUE(top == (Names{"Irlande", "Irlande Nord"}) || top == (Names{"Irlande Nord", "Irlande"}));
    EXPECT_TRUE(errors.empty());
}

}  // namespace
