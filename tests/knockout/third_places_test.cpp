// The ranking of the third-placed teams, the allocation row their groups choose, the best-thirds text and
// the colours of the qualified thirds.
#include <algorithm>

#include "tests/knockout/knockout_window.h"

namespace knockout_test {
namespace {

using ThirdPlaces = KnockoutWindow;

std::string Allocation(zenkor::Zenkor& w) {
    return w("Frame11").Tag();
}

TEST_F(ThirdPlaces, EqualThirdsGoToTheLaterGroups) {
    playAllGroups();
    EXPECT_EQ(Allocation(w), "3F|3E|3D|3C");
    EXPECT_EQ(w("TexMeillTrois").Text(), "F3 / E3 / D3 / C3");
    for (int g = 0; g < 6; ++g) {
        const bool qualified = g >= 2;
        EXPECT_EQ(team(g, 3).ForeColor(), qualified ? platform::kRed : kGrey) << g;
        EXPECT_EQ(team(g, 3).FontBold(), qualified) << g;
    }
    EXPECT_EQ(w("List3", 2).items(), (std::vector<std::string>{"C", "D", "E", "F"}));
}

TEST_F(ThirdPlaces, EveryAllocationRowIsReachable) {
    // For each choice of four groups: those thirds win 3-0 (key 3.013), the other two 1-0 (key 2.991).
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"ABCD", "3A|3D|3B|3C"}, {"ABCE", "3A|3E|3B|3C"}, {"ABCF", "3A|3F|3B|3C"}, {"ABDE", "3D|3E|3A|3B"},
        {"ABDF", "3D|3F|3A|3B"}, {"ABEF", "3E|3F|3B|3A"}, {"ACDE", "3E|3D|3C|3A"}, {"ACDF", "3F|3D|3C|3A"},
        {"ACEF", "3E|3F|3C|3A"}, {"ADEF", "3E|3F|3D|3A"}, {"BCDE", "3E|3D|3B|3C"}, {"BCDF", "3F|3D|3C|3B"},
        {"BCEF", "3F|3E|3C|3B"}, {"BDEF", "3F|3E|3D|3B"}, {"CDEF", "3F|3E|3D|3C"},
    };
    playAllGroups();
    for (const auto& [groups, allocation] : rows) {
        for (int g = 0; g < 6; ++g) {
            const bool strong = groups.find(zenkor::Zenkor::groupName(g)) != std::string::npos;
            score(g, 2).setText(strong ? "3" : "1");
        }
        EXPECT_EQ(Allocation(w), allocation) << groups;
        // Whichever group scored last, the seeding follows the row: token 0 meets the winner of B.
        EXPECT_EQ(w("Huit", 5).Text(), allocation.substr(1, 1) + "3") << groups;
    }
}

TEST_F(ThirdPlaces, TieAtTheCutGoesToTheHigherIndexThenTheLaterGroup) {
    playGroup(0, 3, 0);
    playGroup(1, 3, 0);
    playGroup(2, 3, 0);
    playGroup(5, 1, 0);
    // D's third is team 4, E's team 3, with equal keys: D goes through.
    playGroup(3, 2, 0, 4);
    playGroup(4, 2, 0, 3);
    EXPECT_EQ(Allocation(w), "3A|3D|3B|3C");
    EXPECT_EQ(w("TexMeillTrois").Text(), "C3 / B3 / A3 / D4");
    EXPECT_EQ(team(3, 4).ForeColor(), platform::kRed);
    EXPECT_EQ(team(4, 3).ForeColor(), kGrey);
    // The other way round, E goes through.
    playGroup(3, 2, 0, 3);
    playGroup(4, 2, 0, 4);
    EXPECT_EQ(Allocation(w), "3A|3E|3B|3C");
    // Same index: the later group.
    playGroup(4, 2, 0, 3);
    EXPECT_EQ(Allocation(w), "3A|3E|3B|3C");
    EXPECT_EQ(team(3, 3).ForeColor(), kGrey);
    EXPECT_FALSE(team(3, 3).FontBold());
    EXPECT_EQ(team(4, 3).ForeColor(), platform::kRed);
}

TEST_F(ThirdPlaces, ShownFromTheEleventhMatchWhenTheThirdsAreClose) {
    // Groups A to E: team 1 and team 4 each beat team 2; team 3 stays third on key 0.
    for (int g = 0; g < 5; ++g) {
        score(g, 0).setText("1");
        score(g, 1).setText("0");
        score(g, 6).setText("1");
        score(g, 7).setText("0");
    }
    EXPECT_EQ(w("TexMeillTrois").Text(), "");
    EXPECT_EQ(team(0, 3).ForeColor(), platform::kBlack);
    score(5, 0).setText("1");
    score(5, 1).setText("0");
    EXPECT_EQ(w("TexMeillTrois").Text(), "F3 / E3 / D3 / C3");
    EXPECT_EQ(w("TexMeillTrois").Tag(), "");
    EXPECT_EQ(team(2, 3).ForeColor(), platform::kRed);
    EXPECT_EQ(team(0, 3).ForeColor(), platform::kBlack);  // group A still open: its ordinary colour
}

TEST_F(ThirdPlaces, ShownEarlyWhenOneThirdIsAPointAhead) {
    playGroup(0, 1,
              0);  // six matches; A's third on 3 points, every other third (still in entry order) on none
    EXPECT_EQ(w("TexMeillTrois").Text(), "A3 / F3 / E3 / D3");
}

TEST_F(ThirdPlaces, ColouredByIdentityNotByName) {
    // "Irlande" is out, "Irlande du Nord" through: only the latter turns red.
    team(0, 3).setText("Irlande");
    team(5, 3).setText("Irlande du Nord");
    playAllGroups();
    EXPECT_NE(w("TexMeillTrois").Text().find("Irlande du Nord"), std::string::npos);
    EXPECT_EQ(team(5, 3).ForeColor(), platform::kRed);
    EXPECT_EQ(team(0, 3).ForeColor(), kGrey);
    EXPECT_FALSE(team(0, 3).FontBold());
}

TEST_F(ThirdPlaces, NamesJoinedAsTheEntriesHoldThem) {
    playAllGroups();
    // An empty best third adds nothing, not even a separator.
    team(5, 3).setText("");
    EXPECT_EQ(w("TexMeillTrois").Text(), "E3 / D3 / C3");
    // Further down, an empty name still takes its separator.
    team(5, 3).setText("F3");
    team(4, 3).setText("");
    EXPECT_EQ(w("TexMeillTrois").Text(), "F3 /  / D3 / C3");
    // A "|" ends the name in the list, but the team still counts as qualified.
    team(4, 3).setText("Bosnie|Herzégovine");
    EXPECT_EQ(w("TexMeillTrois").Text(), "F3 / Bosnie / D3 / C3");
    EXPECT_EQ(team(4, 3).ForeColor(), platform::kRed);
    team(5, 3).setText("|F3");
    EXPECT_EQ(w("TexMeillTrois").Text(), "Bosnie / D3 / C3");
}

TEST_F(ThirdPlaces, AThirdThatDropsOutGetsItsPlaceColourBack) {
    playAllGroups();
    ASSERT_EQ(team(2, 3).ForeColor(), platform::kRed);
    // A and B's thirds overtake; C and D drop out without their tables running again.
    score(0, 2).setText("3");
    score(1, 2).setText("3");
    EXPECT_EQ(Allocation(w), "3E|3F|3B|3A");
    EXPECT_EQ(team(2, 3).ForeColor(), kGrey);
    EXPECT_FALSE(team(2, 3).FontBold());
    EXPECT_EQ(team(3, 3).ForeColor(), kGrey);
    EXPECT_EQ(team(0, 3).ForeColor(), platform::kRed);
}

TEST_F(ThirdPlaces, KeysBeyondTheEntryLayoutRankByNumber) {
    playAllGroups();
    // Group A scores by the hundred thousand: its third's key (102.991) no longer fits "00.0000".
    playGroup(0, 100001, 100000);
    score(0, 0).setText("100001");
    score(0, 1).setText("100000");
    ASSERT_EQ(w.teamPlace(0, 3), 3);
    EXPECT_EQ(w("TexMeillTrois").Text(), "A3 / F3 / E3 / D3");
    EXPECT_EQ(Allocation(w), "3E|3F|3D|3A");
}

TEST_F(ThirdPlaces, StartUpRanksFirstAndColoursOnlyOnceLoaded) {
    w.FChargee = false;
    playAllGroups();
    zenkor::RecalcAll(w);
    EXPECT_EQ(Allocation(w), "3F|3E|3D|3C");
    EXPECT_EQ(w("TexMeillTrois").Text(), "F3 / E3 / D3 / C3");
    EXPECT_EQ(team(2, 3).ForeColor(), kGrey);
    EXPECT_FALSE(team(2, 3).FontBold());
    w.FChargee = true;
    zenkor::RecalcAll(w);
    EXPECT_EQ(team(2, 3).ForeColor(), platform::kRed);
    EXPECT_TRUE(team(2, 3).FontBold());
    EXPECT_EQ(team(1, 3).ForeColor(), kGrey);
}

}  // namespace
}  // namespace knockout_test
