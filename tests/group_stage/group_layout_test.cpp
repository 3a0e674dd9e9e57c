// The group view as a fan sees it: every visible control of a group frame and of the round-of-16 summary
// lies inside its frame, below the caption, and clear of its neighbours.
#include <algorithm>

#include "tests/group_stage/group_window.h"

namespace group_test {
namespace {

constexpr int kCaptionHeight = 240;  // the frame's caption line
constexpr int kBorder = 30;

bool Overlap(const platform::Control& a, const platform::Control& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
           a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

// Boxes of one array stacked in a column share a border: 285 high on rows 255 apart.
bool SharedBorder(const platform::Control& a, const platform::Control& b) {
    if (a.name() != b.name() || a.Left() != b.Left() || a.Width() != b.Width()) return false;
    const int overlap = std::min(a.Top() + a.Height(), b.Top() + b.Height()) - std::max(a.Top(), b.Top());
    return overlap <= kBorder;
}

class GroupLayout : public GroupWindow {
  protected:
    void expectTidy(const char* frameName) {
        platform::Control& frame = w(frameName);
        std::vector<platform::Control*> shown;
        for (platform::Control* c : w.children(&frame)) {
            if (c->Visible()) shown.push_back(c);
        }
        ASSERT_GE(shown.size(), 16u) << frameName;
        for (size_t a = 0; a < shown.size(); ++a) {
            const platform::Control& c = *shown[a];
            EXPECT_GE(c.Left(), kBorder) << c.displayName();
            EXPECT_GE(c.Top(), kCaptionHeight) << c.displayName();
            EXPECT_LE(c.Left() + c.Width(), frame.Width() - kBorder) << c.displayName();
            EXPECT_LE(c.Top() + c.Height(), frame.Height() - kBorder) << c.displayName();
            for (size_t b = a + 1; b < shown.size(); ++b) {
                if (SharedBorder(c, *shown[b])) continue;
                EXPECT_FALSE(Overlap(c, *shown[b])) << c.displayName() << " / " << shown[b]->displayName();
            }
        }
    }
};

TEST_F(GroupLayout, GroupFramesAreTidyWhateverThePlaces) {
    for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame6", "Frame7"}) expectTidy(frame);
    // Scores that put every team on another row.
    w("Command30", 0).raiseClick();
    for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame6", "Frame7"}) expectTidy(frame);
}

TEST_F(GroupLayout, MatchRowsAndTeamBoxesStandWhereTheGroupFrameHasThem) {
    const std::array<int, 6> scoreTops = {540, 795, 1050, 1305, 1560, 1815};
    const std::array<int, 6> labelTops = {600, 852, 1104, 1356, 1608, 1860};
    for (int g = 0; g < 6; ++g) {
        for (int m = 0; m < 6; ++m) {
            for (int side = 0; side < 2; ++side) {
                const platform::Control& box = score(g, 2 * m + side);
                EXPECT_EQ(box.Left(), side == 0 ? 1230 : 1680);
                EXPECT_EQ(box.Top(), scoreTops[static_cast<size_t>(m)]);
                EXPECT_EQ(box.Width(), 375);
                EXPECT_EQ(box.Height(), 285) << box.displayName();
                EXPECT_EQ(box.Text(), "-");
                const platform::Control& label = w(names(g).fixture, 2 * m + side);
                EXPECT_EQ(label.Left(), side == 0 ? 120 : 2100);
                const int rightTop = m == 2 ? 1095 : m == 3 ? 1350 : labelTops[static_cast<size_t>(m)];
                EXPECT_EQ(label.Top(), side == 0 ? labelTops[static_cast<size_t>(m)] : rightTop);
                EXPECT_EQ(label.Width(), 1065);
                EXPECT_EQ(label.Height(), 195);
                EXPECT_EQ(label.Caption(), "Eq");
            }
        }
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(team(g, i).Left(), 3270);
            EXPECT_EQ(team(g, i).Top(), zenkor::kPlaceTop[static_cast<size_t>(i)]);
            EXPECT_EQ(team(g, i).Width(), 1425);
            EXPECT_EQ(team(g, i).Height(), 285) << team(g, i).displayName();
        }
    }
}

TEST_F(GroupLayout, RoundOf16SummaryIsTidyWithTheBestThirdsBelowIt) {
    expectTidy("Frame11");
    const platform::Control& frame = w("Frame11");
    const platform::Control& thirds = w("TexMeillTrois");
    EXPECT_EQ(thirds.Top(), frame.Top() + frame.Height());
    EXPECT_EQ(thirds.Left(), frame.Left());
    EXPECT_EQ(thirds.Width(), frame.Width());
    for (int i = 16; i <= 31; ++i) EXPECT_EQ(w("Huit", i).container(), &frame) << i;
}

TEST_F(GroupLayout, HeadingsOfEveryGroupStandOverGroupAColumns) {
    // Group A's headings 1..4 and their counterparts 9-i, 14-i, .. 29-i in groups B to F.
    for (int i = 1; i <= 4; ++i) {
        for (int base : {9, 14, 19, 24, 29}) {
            EXPECT_EQ(w("Label1", base - i).Caption(), w("Label1", i).Caption());
            EXPECT_EQ(w("Label1", base - i).Left(), w("Label1", i).Left());
        }
    }
    for (int g = 1; g < 6; ++g) {
        for (int row = 1; row <= 4; ++row) {
            EXPECT_EQ(w(names(g).played, row).Left(), w("MJ", 1).Left());
            EXPECT_EQ(w(names(g).points, row).Left(), w("PTs", 1).Left());
        }
    }
}

}  // namespace
}  // namespace group_test
