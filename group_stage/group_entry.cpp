// Entry in the group frames: score and team boxes, fixture labels, the row reset, and the handler wiring.
#include <string>

#include "calendar/calendar.h"
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "platform/text.h"

namespace zenkor {

namespace {

void ScoreChange(Zenkor& w, int g, int index) {
    Control* box = w.find(GroupControlNames(g).score, index);
    if (box == nullptr) return;
    const std::string text = box->Text();
    // Writing the cleaned text runs this handler again at once, which recomputes on the clean score.
    if (platform::Len(text) > 1 && platform::InStr(text, "-") > 0)
        box->setText(platform::Replace(text, "-", ""));
    if (w.FChargee) CalcGroupStandings(w, g);
}

void ScoreMouseDown(Zenkor& w, int g, int index) {
    Control* box = w.find(GroupControlNames(g).score, index);
    if (box == nullptr) return;
    box->setSelStart(0);
    box->setSelLength(2);
}

void ShowMatchInfo(Zenkor& w, int g, int index) {
    Control* fixture = w.find(GroupControlNames(g).fixture, index);
    if (fixture == nullptr) return;
    ShowMatchInfo(w, fixture->Tag());
}

void TeamChange(Zenkor& w) {
    if (!w.FChargee) return;
    FillFixtureLabels(w);
    // The labels refresh empties the round-of-16 slots; seed them again from the tables.
    FillRoundOf16(w);
}

void TeamClick(Zenkor& w, int g, int index) {
    const GroupNames& n = GroupControlNames(g);
    Control* team = w.find(n.team, index);
    if (team != nullptr && !w(n.lots).Caption().empty()) team->setTag("1");
    CalcGroupStandings(w, g);
}

}  // namespace

void FillFixtureLabels(Zenkor& w) {
    for (int g = 0; g < 6; ++g) {
        const GroupNames& n = GroupControlNames(g);
        for (int k = 0; k < 12; ++k)
            w(n.fixture, k).setCaption(w(n.team, kFixtureTeam[static_cast<size_t>(k)]).Text());
        for (int k = 0; k < 12; ++k) {
            w(n.fixture, k).setBackColor(w(n.team, kFixtureTeam[static_cast<size_t>(k)]).BackColor());
        }
    }
    for (int i = 0; i <= 15; ++i) w("Huit", i).setText("");
}

void ResetGroupRows(Zenkor& w) {
    for (int k = 0; k < 12; ++k) {
        for (int g = 0; g < 6; ++g) {
            if (w(GroupControlNames(g).score, k).Text() != "-") return;
        }
    }
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) {
            w(GroupControlNames(g).team, i).setTop(kPlaceTop[static_cast<size_t>(i)]);
            w.setTeamPlace(g, i, i);
        }
    }
}

void A_Change(Zenkor& w, int) {
    TeamChange(w);
}
void B_Change(Zenkor& w, int) {
    TeamChange(w);
}
void C_Change(Zenkor& w, int) {
    TeamChange(w);
}
void D_Change(Zenkor& w, int) {
    TeamChange(w);
}
void E_Change(Zenkor& w, int) {
    TeamChange(w);
}
void F_Change(Zenkor& w, int) {
    TeamChange(w);
}

void A_Click(Zenkor& w, int Index) {
    TeamClick(w, 0, Index);
}
void B_Click(Zenkor& w, int Index) {
    TeamClick(w, 1, Index);
}
void C_Click(Zenkor& w, int Index) {
    TeamClick(w, 2, Index);
}
void D_Click(Zenkor& w, int Index) {
    TeamClick(w, 3, Index);
}
void E_Click(Zenkor& w, int Index) {
    TeamClick(w, 4, Index);
}
void F_Click(Zenkor& w, int Index) {
    TeamClick(w, 5, Index);
}

void ButA_Change(Zenkor& w, int Index) {
    ScoreChange(w, 0, Index);
}
void ButB_Change(Zenkor& w, int Index) {
    ScoreChange(w, 1, Index);
}
void ButC_Change(Zenkor& w, int Index) {
    ScoreChange(w, 2, Index);
}
void ButD_Change(Zenkor& w, int Index) {
    ScoreChange(w, 3, Index);
}
void ButE_Change(Zenkor& w, int Index) {
    ScoreChange(w, 4, Index);
}
void ButF_Change(Zenkor& w, int Index) {
    ScoreChange(w, 5, Index);
}

void ButA_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    ScoreMouseDown(w, 0, Index);
}
void ButB_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    ScoreMouseDown(w, 1, Index);
}
void ButC_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    ScoreMouseDown(w, 2, Index);
}
void ButD_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    ScoreMouseDown(w, 3, Index);
}
void ButE_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    ScoreMouseDown(w, 4, Index);
}
void ButF_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    ScoreMouseDown(w, 5, Index);
}

void ButA_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y) {
    lm_MouseMove(w, Index, Button, Shift, X, Y);
}
void ButB_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y) {
    lmB_MouseMove(w, Index, Button, Shift, X, Y);
}
void ButC_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y) {
    lmC_MouseMove(w, Index, Button, Shift, X, Y);
}
void ButD_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y) {
    lmD_MouseMove(w, Index, Button, Shift, X, Y);
}
void ButE_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y) {
    lmE_MouseMove(w, Index, Button, Shift, X, Y);
}
void ButF_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y) {
    lmF_MouseMove(w, Index, Button, Shift, X, Y);
}

void lm_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    ShowMatchInfo(w, 0, Index);
}
void lmB_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    ShowMatchInfo(w, 1, Index);
}
void lmC_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    ShowMatchInfo(w, 2, Index);
}
void lmD_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    ShowMatchInfo(w, 3, Index);
}
void lmE_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    ShowMatchInfo(w, 4, Index);
}
void lmF_MouseMove(Zenkor& w, int Index, int, int, float, float) {
    ShowMatchInfo(w, 5, Index);
}

}  // namespace zenkor
