// The match panel and the matches of the day, fully shown, overlap nothing and fit their frames.
#include "tests/calendar/calendar_support.h"
#include "tests/support/layout.h"

using calendar_testing::CalendarTest;
using testing_support::Encloses;
using testing_support::Inside;
using testing_support::Overlap;
using testing_support::Rect;
using zenkor::Control;
using zenkor::Kind;
using zenkor::Zenkor;

namespace {

// The visible children of a container overlap only where a shape outlines a control or the banner's
// hover label lies over the banner.
// With `only`, just the pairs holding that control are checked.
void expectNoOverlap(Zenkor& w, const Control* container, const Control* only = nullptr) {
    std::vector<const Control*> shown;
    for (const Control* c : w.children(container)) {
        if (c->Visible() && c->kind() != Kind::Timer && (c->Width() > 0 || c->Height() > 0))
            shown.push_back(c);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        const Control& a = *shown[i];
        EXPECT_LE(a.Left() + a.Width(), container->Width()) << a.displayName();
        EXPECT_LE(a.Top() + a.Height(), container->Height()) << a.displayName();
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const Control& b = *shown[j];
            if (only != nullptr && &a != only && &b != only) continue;
            const Rect ra = Inside(a, container), rb = Inside(b, container);
            if (a.kind() == Kind::Shape && Encloses(ra, rb)) continue;
            if (b.kind() == Kind::Shape && Encloses(rb, ra)) continue;
            if ((a.name() == "Image6" && b.name() == "Label25") ||
                (a.name() == "Label25" && b.name() == "Image6")) {
                continue;
            }
            EXPECT_FALSE(Overlap(ra, rb)) << a.displayName() << " and " << b.displayName();
        }
    }
}

const char kEveryChannel[] = "DOR(TF1 F2 M6 C+ TMC) 14/06/24 21:00";

TEST_F(CalendarTest, TheGroupViewPanelOverlapsNothing) {
    at("14/06/2024 18:00:00");
    auto w = start();
    (*w)("LabInfo").setCaption(kEveryChannel);
    ASSERT_TRUE((*w)("Shape1").Visible());
    ASSERT_TRUE((*w)("ImChaine", 8).Visible());
    tick(*w, "Timer1", 9);
    expectNoOverlap(*w, &w->self());
    // The outline holds the whole set.
    const Rect outline = Inside((*w)("Shape1"), nullptr);
    for (int i : {0, 1, 2, 3, 8}) EXPECT_TRUE(Encloses(outline, Inside((*w)("ImChaine", i), nullptr)));
    for (int i : {0, 1, 2}) EXPECT_TRUE(Encloses(outline, Inside((*w)("LabTer", i), nullptr)));
    EXPECT_TRUE(Encloses(outline, Inside((*w)("Terrain", 10), nullptr)));
}

TEST_F(CalendarTest, TheKnockoutViewPanelOverlapsNothing) {
    at("28/06/2024 18:00:00");
    auto w = start();
    ASSERT_TRUE((*w)("Frame9").Visible());
    (*w)("LabInfo").setCaption(kEveryChannel);
    ASSERT_TRUE((*w)("Frame16").Visible());
    expectNoOverlap(*w, w->find("Frame16"));
    expectNoOverlap(*w, w->find("Frame9"), w->find("Frame16"));
    for (int i : {4, 5, 6, 7, 9}) EXPECT_EQ((*w)("ImChaine", i).container(), w->find("Frame16"));
    EXPECT_EQ((*w)("Terrain", 11).container(), w->find("Frame16"));
}

TEST_F(CalendarTest, TheMatchesOfTheDayFitTheirPanel) {
    at("14/06/2024 18:00:00");
    auto w = start();
    expectNoOverlap(*w, w->find("Frame18"));
    EXPECT_TRUE((*w)("List2").Sorted());
    EXPECT_FALSE((*w)("List2").Visible());
    EXPECT_FALSE((*w)("List1").Visible());
    // Stores of the stadium pictures are never shown.
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13}) EXPECT_FALSE((*w)("Terrain", i).Visible());
}

}  // namespace
