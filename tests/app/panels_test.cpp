// Panels shown and hidden by the buttons, clicks and hovering, and compact mode; the layout of what the
// group view shows.
#include "app/panels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "assembly/startup.h"
#include "tests/app/startup_support.h"
#include "tests/support/layout.h"

using namespace zenkor;
using startup_testing::StartupTest;
using testing_support::Encloses;
using testing_support::Inside;
using testing_support::Overlap;
using testing_support::Rect;

namespace {

// Overlaps made on purpose: a shape drawn round a control, the banner's hover label over the banner.
bool intended(const Control& a, const Control& b) {
    if (a.kind() == Kind::Shape && Encloses(Inside(a), Inside(b))) return true;
    if (b.kind() == Kind::Shape && Encloses(Inside(b), Inside(a))) return true;
    const auto pair = [&](const char* x, const char* y) { return a.name() == x && b.name() == y; };
    return pair("Image6", "Label25") || pair("Label25", "Image6");
}

}  // namespace

TEST_F(StartupTest, HelpButtonHidesTheKnockoutViewWithoutSwitchingIt) {
    at("28/06/2024 10:00:00");
    auto w = start();
    ASSERT_TRUE(w->knockoutView);
    (*w)("Command6").raiseClick();
    EXPECT_TRUE((*w)("Fraide").Visible());
    EXPECT_FALSE((*w)("Frame9").Visible());
    EXPECT_FALSE((*w)("FraElim").Visible());
    EXPECT_TRUE(w->knockoutView);
    (*w)("Command2").raiseClick();  // "Retour"
    EXPECT_FALSE((*w)("Fraide").Visible());
    (*w)("Command2").raiseClick();
    EXPECT_TRUE((*w)("Fraide").Visible());
    // The next view click returns to the groups and closes the help.
    (*w)("Command1").raiseClick();
    EXPECT_FALSE(w->knockoutView);
    EXPECT_FALSE((*w)("Fraide").Visible());
    EXPECT_FALSE((*w)("Frame9").Visible());
}

TEST_F(StartupTest, CompactModeScalesTheDisplayOnly) {
    at("20/06/2024 18:00:00");
    auto w = start();
    (*w)("Command6").raiseClick();
    ASSERT_TRUE((*w)("Fraide").Visible());
    const int top4 = (*w)("A", 4).Top();
    const double font = (*w)("Label2").FontSize();

    (*w)("Command14").raiseClick();
    EXPECT_FALSE((*w)("Fraide").Visible());
    EXPECT_TRUE(w->compactMode);
    EXPECT_DOUBLE_EQ(w->displayScale(), kCompactScale);
    EXPECT_EQ((*w)("Command14").Caption(), "Passer en mode normal");
    EXPECT_EQ((*w)("A", 4).Top(), top4);
    EXPECT_EQ((*w)("Label2").FontSize(), font);

    (*w)("Command14").raiseClick();
    EXPECT_FALSE(w->compactMode);
    EXPECT_DOUBLE_EQ(w->displayScale(), 1.0);
    EXPECT_EQ((*w)("Command14").Caption(), "Passer en mode réduit");
}

TEST_F(StartupTest, ATranslatedCompactCaptionNeitherInvertsNorStopsTheSetting) {
    save("langue", "1");
    box.writeFile("langEn.txt",
                  "MSG\\Knockout stage\\1\r\nMSG\\Group stage\\2\r\nCommand14\\Compact / normal view\r\n");
    auto w = start();
    ASSERT_EQ(w->sage, 1);
    ASSERT_EQ((*w)("Command14").Caption(), "Compact / normal view");
    (*w)("Command14").raiseClick();
    EXPECT_TRUE(w->compactMode);  // shrinks, whatever the caption says
    EXPECT_DOUBLE_EQ(w->displayScale(), kCompactScale);
    EXPECT_EQ((*w)("Command14").Caption(), "Compact / normal view");
    w->unload();
    EXPECT_EQ(setting("reduit"), "1");
}

TEST_F(StartupTest, WithoutTheLanguageFileTheFrenchCompactCaptionFollowsTheState) {
    save("langue", "1");  // no langEn.txt in the program folder
    auto w = start();
    ASSERT_EQ(w->sage, 1);
    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    (*w)("Command14").raiseClick();
    EXPECT_TRUE(w->compactMode);
    EXPECT_EQ((*w)("Command14").Caption(), "Passer en mode normal");
    (*w)("Command14").raiseClick();
    EXPECT_EQ((*w)("Command14").Caption(), "Passer en mode réduit");
}

TEST_F(StartupTest, MatchesOfTheDayCloseByClickAndTheBannerComesBackOnHover) {
    at("20/06/2024 18:00:00");
    auto w = start();
    (*w)("Frame18").raiseClick();
    EXPECT_FALSE((*w)("Frame18").Visible());
    (*w)("Frame18").setVisible(true);
    (*w)("Image11").raiseClick();
    EXPECT_FALSE((*w)("Frame18").Visible());

    tick(*w, "Timer1", 9);
    ASSERT_FALSE((*w)("Image6").Visible());
    ASSERT_FALSE((*w)("Timer1").Enabled());
    (*w)("Label25").raiseMouseMove(0, 0, 10, 10);
    EXPECT_TRUE((*w)("Image6").Visible());
    EXPECT_TRUE((*w)("Timer1").Enabled());
    EXPECT_EQ((*w)("Timer1").Tag(), "");
    EXPECT_FALSE((*w)("Frame18").Visible());
    tick(*w, "Timer1", 9);
    EXPECT_FALSE((*w)("Image6").Visible());

    (*w)("Image6").raiseClick();
    (*w)("Image17").raiseClick();
    EXPECT_TRUE(errors.empty());
}

TEST_F(StartupTest, ShiftClickOnTheNoticeUnlocksSending) {
    auto w = start();
    Control& send = (*w)("Command16");
    ASSERT_FALSE(send.Enabled());
    ASSERT_EQ((*w)("Shape9").FillColor(), 255);
    (*w)("Label17", 6).raiseMouseDown(1, 3, 0, 0);  // Shift and Ctrl
    (*w)("Label17", 6).raiseMouseDown(2, 0, 0, 0);
    EXPECT_FALSE(send.Enabled());
    EXPECT_EQ((*w)("Shape9").FillColor(), 255);
    (*w)("Label17", 6).raiseMouseDown(2, 1, 0, 0);
    EXPECT_TRUE(send.Enabled());
    EXPECT_EQ((*w)("Shape9").FillColor(), 65280);
}

TEST_F(StartupTest, EveryControlLiesInsideItsContainer) {
    Zenkor w;
    for (const Control* c : w.controls()) {
        const Control* p = c->container();
        if (p == nullptr || c->kind() == Kind::Line || c->kind() == Kind::Timer) continue;
        EXPECT_GE(c->Left(), 0) << c->displayName();
        EXPECT_GE(c->Top(), 0) << c->displayName();
        EXPECT_LE(c->Left() + c->Width(), p->Width()) << c->displayName() << " in " << p->displayName();
        EXPECT_LE(c->Top() + c->Height(), p->Height()) << c->displayName() << " in " << p->displayName();
    }
}

TEST_F(StartupTest, TheGroupViewShowsNothingOverlapping) {
    at("20/06/2024 18:00:00");
    save("FirstUse", "1");
    save("pseudo", "Zoé");
    auto w = start();
    tick(*w, "Timer1", 9);  // the matches of the day close over the round-of-16 summary
    const Rect form{0, 0, w->self().Width(), w->self().Height()};
    std::vector<const Control*> shown;
    for (const Control* c : w->controls()) {
        if (c->container() != &w->self() || !c->Visible() || c->kind() == Kind::Timer) continue;
        if (c->Width() == 0 && c->Height() == 0) continue;
        shown.push_back(c);
        if (std::getenv("SHOW_LAYOUT")) std::printf("%s\n", c->displayName().c_str());
        const Rect r = Inside(*c);
        EXPECT_TRUE(r.left >= form.left && r.top >= form.top && r.right <= form.right &&
                    r.bottom <= form.bottom)
            << c->displayName();
    }
    ASSERT_GE(shown.size(), 20u);
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            if (intended(*shown[i], *shown[j])) continue;
            EXPECT_FALSE(Overlap(Inside(*shown[i]), Inside(*shown[j])))
                << shown[i]->displayName() << " and " << shown[j]->displayName();
        }
    }
}

TEST_F(StartupTest, PanelsLieInFrontOfTheGroupView) {
    Zenkor w;
    const auto& order = w.controls();
    const auto pos = [&](const char* name) { return std::find(order.begin(), order.end(), w.find(name)); };
    for (const char* panel : {"Frame9", "FraElim", "Fraide", "FraHisto", "Frame18", "Frame21", "Frame20"}) {
        for (const char* below : {"Frame1", "Frame7", "Frame11", "TexMeillTrois"}) {
            EXPECT_GT(pos(panel), pos(below)) << panel << " behind " << below;
        }
    }
    EXPECT_GT(pos("FraHisto"), pos("Frame9"));  // the history panel shows over the knockout view
    EXPECT_GT(pos("Frame20"), pos("Frame21"));
}
