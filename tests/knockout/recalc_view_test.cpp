// The full recompute, the knockout view switch and the knockout view's design.
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "tests/knockout/knockout_window.h"

namespace knockout_test {
namespace {

// Every property of every control, to tell whether a call changed anything at all.
std::string Snapshot(zenkor::Zenkor& w) {
    std::ostringstream out;
    for (const platform::Control* c : w.controls()) {
        out << c->displayName() << '|' << c->Text() << '|' << c->Tag() << '|' << c->Left() << ',' << c->Top()
            << '|' << c->ForeColor() << '|' << c->BackColor() << '|' << c->FontBold() << '|' << c->Visible()
            << '|' << c->ToolTipText() << '|' << c->Picture();
        for (const std::string& item : c->items()) out << '|' << item;
        out << '\n';
    }
    return out.str();
}

// A yield that counts its calls and, at one of them, runs what a pending event would have run.
class ScriptedPump : public platform::EventPump {
  public:
    void processPending() override {
        if (++calls == actAt && action) action();
    }
    int calls = 0;
    int actAt = 0;
    std::function<void()> action;
};

class Recalc : public KnockoutWindow {
  protected:
    Recalc() {
        playAllGroups();
        playMatch("Buthui", "ButPen", 0, "2", "1");
        playMatch("Buthui", "ButPen", 1, "1", "1", "4", "3");
        playMatch("ButQua", "ButPen4", 0, "1", "0");
        playMatch("ButFIN", "ButPenFIN", 0, "1", "-");
        pump = std::make_shared<ScriptedPump>();
        platform::SetEventPump(pump);
    }
    std::shared_ptr<ScriptedPump> pump;
};

TEST_F(Recalc, ASecondCallChangesNothing) {
    zenkor::RecalcAll(w);
    const std::string first = Snapshot(w);
    EXPECT_EQ(pump->calls, 7);  // one pass: a seeding after each group table and one of its own
    zenkor::RecalcAll(w);
    EXPECT_EQ(Snapshot(w), first);
    EXPECT_EQ(pump->calls, 14);
    EXPECT_EQ(w("TexMeillTrois").Tag(), w("TexMeillTrois").Text());
    EXPECT_EQ(w("DEM", 0).Text(), "F1");
}

TEST_F(Recalc, AnEmptyTournamentGoesBackToTheEntryRows) {
    playMatch("ButFIN", "ButPenFIN", 0, "-", "-");
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) score(g, k).setText("-");
    }
    zenkor::RecalcAll(w);
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(w.teamPlace(g, i), i);
    }
    EXPECT_EQ(w("Label15").Caption(), std::string("6 ") + kGoalsWord);  // the round-of-16 and quarter scores
    EXPECT_EQ(texts("Huit", 0, 15), std::vector<std::string>(16, "-"));
    EXPECT_EQ(w("Qua", 0).Text(), "-");  // a decided match whose slot holds "-" passes it on
    EXPECT_EQ(w("pod", 1).Caption(), "");
    const std::string first = Snapshot(w);
    zenkor::RecalcAll(w);
    EXPECT_EQ(Snapshot(w), first);
}

TEST_F(Recalc, AChangeDuringTheLastYieldRunsAnotherPass) {
    // During the pass's own seeding, group A's third overtakes: the best thirds change after the last
    // ranking but one, so the pass runs again.
    pump->actAt = 7;
    pump->action = [this] { score(0, 2).setText("4"); };
    zenkor::RecalcAll(w);
    EXPECT_EQ(pump->calls, 7 + 1 + 7);
    EXPECT_EQ(w("TexMeillTrois").Text(), "A3 / F3 / E3 / D3");
    EXPECT_EQ(w("TexMeillTrois").Tag(), w("TexMeillTrois").Text());
    EXPECT_EQ(w("Frame11").Tag(), "3E|3F|3D|3A");
}

TEST_F(Recalc, AnEarlierChangeIsSeenByTheSamePass) {
    pump->actAt = 1;
    pump->action = [this] { score(0, 2).setText("4"); };
    zenkor::RecalcAll(w);
    EXPECT_EQ(pump->calls, 7 + 1);
    EXPECT_EQ(w("TexMeillTrois").Text(), "A3 / F3 / E3 / D3");
}

using ViewSwitch = KnockoutWindow;

TEST_F(ViewSwitch, OpensTheKnockoutViewUpToDateAndClosesIt) {
    w.FChargee = false;  // scores typed while loading: nothing seeded yet
    playAllGroups();
    playMatch("Buthui", "ButPen", 0, "2", "1");
    w.FChargee = true;
    w("Frame18").setVisible(true);
    w("Fraide").setVisible(true);
    w("FraElim").setVisible(true);

    w("Command1").raiseClick();
    EXPECT_TRUE(w.knockoutView);
    EXPECT_TRUE(w("Frame9").Visible());
    EXPECT_EQ(w("Command1").Caption(), kCloseView);
    EXPECT_FALSE(w("Frame18").Visible());
    EXPECT_FALSE(w("Fraide").Visible());
    EXPECT_FALSE(w("FraElim").Visible());
    EXPECT_EQ(w("Huit", 1).Text(), "-");  // tables not computed since the load: nothing settled
    EXPECT_EQ(w("Label21").Caption(), std::string("39 ") + kGoalsWord);

    w("Command1").raiseClick();
    EXPECT_FALSE(w.knockoutView);
    EXPECT_FALSE(w("Frame9").Visible());
    EXPECT_EQ(w("Command1").Caption(), kOpenView);

    zenkor::RecalcAll(w);
    w("Command1").raiseClick();
    EXPECT_EQ(w("Qua", 0).Text(), "F1");
}

TEST_F(ViewSwitch, TheStateDecidesNotTheCaption) {
    zenkor::LangMessages()[1] = "";  // no language file read
    w("Command1").setCaption("Phase Finale");
    w("Command1").raiseClick();
    EXPECT_TRUE(w("Frame9").Visible());
    zenkor::LangMessages()[2] = "Group stage";
    w("Command1").raiseClick();
    EXPECT_FALSE(w("Frame9").Visible());
    EXPECT_EQ(w("Command1").Caption(), "Phase Finale");  // the design's, while message 1 is missing
}

TEST_F(ViewSwitch, ButtonPictureFollowsTheView) {
    w.add(platform::Kind::Image, "ico", 0).setPicture("groups.png");
    w.add(platform::Kind::Image, "ico", 1).setPicture("knockout.png");
    w("Command1").raiseClick();
    EXPECT_EQ(w("Command1").Picture(), "groups.png");
    w("Command1").raiseClick();
    EXPECT_EQ(w("Command1").Picture(), "knockout.png");
}

using Design = KnockoutWindow;

struct Box {
    int left, top, right, bottom;
};
Box Bounds(const platform::Control& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
}
bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(Design, EveryRoundIsARowOfMatchesInsideItsFrame) {
    struct Round {
        const char *frame, *slots, *scores, *penalties;
        int matches;
    };
    const Round rounds[] = {{"Frame10", "Huit", "Buthui", "ButPen", 8},
                            {"Frame12", "Qua", "ButQua", "ButPen4", 4},
                            {"Frame13", "DEM", "ButDem", "ButPen2", 2},
                            {"Frame15", "FIN", "ButFIN", "ButPenFIN", 1},
                            {"Frame14", "pf", "Butpetfin", "ButPenpetfin", 1}};
    for (const Round& r : rounds) {
        platform::Control& frame = w(r.frame);
        ASSERT_EQ(frame.container(), w.find("Frame9")) << r.frame;
        for (int k = 0; k < r.matches; ++k) {
            const std::vector<platform::Control*> row = {&w(r.slots, 2 * k),      &w(r.scores, 2 * k),
                                                         &w(r.penalties, 2 * k),  &w(r.penalties, 2 * k + 1),
                                                         &w(r.scores, 2 * k + 1), &w(r.slots, 2 * k + 1)};
            for (size_t j = 0; j < row.size(); ++j) {
                const platform::Control& c = *row[j];
                EXPECT_EQ(c.container(), &frame) << c.displayName();
                EXPECT_EQ(c.Top(), row[0]->Top()) << c.displayName();
                EXPECT_GE(c.Left(), 0);
                EXPECT_LE(c.Left() + c.Width(), frame.Width()) << c.displayName();
                EXPECT_LE(c.Top() + c.Height(), frame.Height()) << c.displayName();
                if (j > 0) {
                    EXPECT_LE(row[j - 1]->Left() + row[j - 1]->Width(), c.Left()) << c.displayName();
                }
            }
            EXPECT_TRUE(row[0]->Locked());
            EXPECT_GE(row[0]->Width(), 116 * 15);  // "République tchèque" in the front end's default font
            EXPECT_EQ(row[2]->BackColor(), 8421504);
            EXPECT_EQ(row[1]->Text(), "-");
            EXPECT_EQ(row[2]->Text(), "-");
        }
    }
    EXPECT_FALSE(w("Frame14").Visible());
    EXPECT_FALSE(w("Frame19").Visible());
    EXPECT_FALSE(w("Image8").Visible());
    EXPECT_EQ(w.find("Label21")->container(), w.find("Frame19"));
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(w("pod", i).Caption(), "");
}

TEST_F(Design, NothingInTheKnockoutViewOverlapsOrIsCutOff) {
    platform::Control& view = w("Frame9");
    // The knockout stage's own parts; other panels of the view place themselves.
    const std::set<std::string> ours = {"Frame10", "Frame12", "Frame13", "Frame14",
                                        "Frame15", "Frame19", "Image8",  "pod"};
    std::vector<platform::Control*> children;
    for (platform::Control* c : w.children(&view)) {
        if (ours.count(c->name()) != 0) children.push_back(c);
    }
    ASSERT_EQ(children.size(), 11u);
    for (const platform::Control* c : children) {
        EXPECT_GE(c->Left(), 0) << c->displayName();
        EXPECT_GE(c->Top(), 0) << c->displayName();
        EXPECT_LE(c->Left() + c->Width(), view.Width()) << c->displayName();
        EXPECT_LE(c->Top() + c->Height(), view.Height()) << c->displayName();
    }
    for (size_t i = 0; i < children.size(); ++i) {
        for (size_t j = i + 1; j < children.size(); ++j) {
            EXPECT_FALSE(Overlap(Bounds(*children[i]), Bounds(*children[j])))
                << children[i]->displayName() << " " << children[j]->displayName();
        }
    }
    // Rounds as columns from left to right, the final under the semi-finals.
    EXPECT_LT(w("Frame10").Left(), w("Frame12").Left());
    EXPECT_LT(w("Frame12").Left(), w("Frame13").Left());
    EXPECT_EQ(w("Frame15").Left(), w("Frame13").Left());
    // Each quarter-final row sits between the two round-of-16 rows that feed it.
    EXPECT_EQ(w("Qua", 0).Top(), (w("Huit", 0).Top() + w("Huit", 2).Top()) / 2);
}

}  // namespace
}  // namespace knockout_test
