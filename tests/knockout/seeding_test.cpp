// The round-of-16 seeding from the group tables and its copies in the group view.
#include "tests/knockout/knockout_window.h"

namespace knockout_test {
namespace {

using Seeding = KnockoutWindow;

const std::vector<std::string> kPlaceholders = {
    "1 Gr F", "3 Gr ABC",  "2 Gr D", "2 Gr E", "1 Gr B", "3 Gr ADEF", "1 Gr A", "2 Gr C",
    "1 Gr E", "3 Gr ABCD", "1 Gr D", "2 Gr F", "1 Gr C", "3 Gr DEF",  "2 Gr A", "2 Gr B"};

TEST_F(Seeding, NothingSettledShowsWhereEachTeamWillComeFrom) {
    zenkor::FillRoundOf16(w);
    EXPECT_EQ(texts("Huit", 0, 15), std::vector<std::string>(16, "-"));
    EXPECT_EQ(texts("Huit", 16, 31), kPlaceholders);
    for (int k = 16; k < 32; ++k) {
        EXPECT_FALSE(w("Huit", k).FontBold());
        EXPECT_EQ(w("Huit", k).ForeColor(), platform::kBlack);
    }
}

TEST_F(Seeding, CompleteGroupsFillEverySlot) {
    playAllGroups();  // allocation "3F|3E|3D|3C"
    const std::vector<std::string> expected = {"F1", "C3", "D2", "E2", "B1", "F3", "A1", "C2",
                                               "E1", "D3", "D1", "F2", "C1", "E3", "A2", "B2"};
    EXPECT_EQ(texts("Huit", 0, 15), expected);
    EXPECT_EQ(texts("Huit", 16, 31), expected);
    for (int k = 16; k < 32; ++k) {
        EXPECT_TRUE(w("Huit", k).FontBold());
        EXPECT_EQ(w("Huit", k).ForeColor(), 192);
    }
}

TEST_F(Seeding, ProvisionalFromUnfinishedGroups) {
    playGroup(2);  // only group C settled; its third on 2.991
    // A, B and D: teams 1, 3 and 4 win once each; their thirds (team 4) stand on 3.001.
    for (int g : {0, 1, 3}) {
        for (int k : {0, 2, 6}) score(g, k).setText("1");
        for (int k : {1, 3, 7}) score(g, k).setText("0");
    }
    ASSERT_EQ(w("Frame11").Tag(), "3A|3D|3B|3C");
    std::vector<std::string> expected(16, "-");
    expected[12] = "C1";
    expected[7] = "C2";
    expected[13] = "D4";  // the team at D's third row, D unfinished
    EXPECT_EQ(texts("Huit", 0, 15), expected);
    for (int k = 0; k < 16; ++k) {
        const bool seeded = expected[static_cast<size_t>(k)] != "-";
        EXPECT_EQ(w("Huit", 16 + k).Text(), seeded ? expected[static_cast<size_t>(k)] : kPlaceholders[k])
            << k;
        EXPECT_EQ(w("Huit", 16 + k).FontBold(), seeded) << k;
    }
}

TEST_F(Seeding, AGroupReopenedLeavesItsSlotsAndItsOpponentThird) {
    playAllGroups();
    score(1, 11).setText("-");  // group B unsettled again
    EXPECT_EQ(w("Huit", 4).Text(), "-");
    EXPECT_EQ(w("Huit", 5).Text(), "-");
    EXPECT_EQ(w("Huit", 15).Text(), "-");
    EXPECT_EQ(w("Huit", 16 + 5).Text(), "3 Gr ADEF");
    EXPECT_EQ(w("Huit", 0).Text(), "F1");
}

TEST_F(Seeding, PlacesAreDataNotPositions) {
    playAllGroups();
    // A display scale moving the team boxes must not unseed anyone.
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) team(g, i).setTop(team(g, i).Top() * 85 / 100);
    }
    zenkor::FillRoundOf16(w);
    EXPECT_EQ(w("Huit", 6).Text(), "A1");
    EXPECT_EQ(w("Huit", 1).Text(), "C3");
    EXPECT_EQ(zenkor::ThirdPlacedTeam(w, "3D"), "D3");
}

}  // namespace
}  // namespace knockout_test
