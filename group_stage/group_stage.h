// The group stage: group tables, fixture labels, group score and team entry, score fill and team unlocking.
#pragma once

#include <array>
#include <cstdint>

#include "app/main_window.h"

namespace zenkor {

// Its part of the main window's design and its handler bindings (called by the window's constructor).
void BuildGroupDesign(Zenkor& w);
void WireGroupStage(Zenkor& w);

// Control names of each group, indexed by group 0..5 (A..F).
struct GroupNames {
    const char* frame;
    const char* team;      // team boxes 1..4
    const char* score;     // score boxes 0..11
    const char* fixture;   // fixture labels 0..11
    const char* played;    // column labels 1..4
    const char* goalsFor;  // "BP"
    const char* goalsAgainst;
    const char* difference;
    const char* points;
    const char* list;  // hidden sorted standings list
    const char* lots;  // drawing-of-lots prompt
};
const GroupNames& GroupControlNames(int group);

// Rows of places 1..4 in a group frame (index 0 unused).
inline constexpr std::array<int, 5> kPlaceTop = {0, 690, 945, 1380, 1635};
// Fixture label / score box k shows the goals of team box kFixtureTeam[k]; match m is boxes 2m and 2m+1.
inline constexpr std::array<int, 12> kFixtureTeam = {1, 2, 3, 4, 1, 3, 4, 2, 4, 1, 2, 3};
inline constexpr platform::Color kSettledGrey = platform::kSilver;

// Group tables (group 0..5 for A..F).
void CalcGroupStandings(Zenkor& w, int group);
void CalcGroupStandingsA(Zenkor& w);
void CalcGroupStandingsB(Zenkor& w);
void CalcGroupStandingsC(Zenkor& w);
void CalcGroupStandingsD(Zenkor& w);
void CalcGroupStandingsE(Zenkor& w);
void CalcGroupStandingsF(Zenkor& w);

// The ranking keys of a group's teams (index 1..4; 0 unused), scaled by 10000:
// points * 10000 + difference * 100 + goals for * 10 + lots mark, from the score boxes and lots marks as
// they stand, rounded to the four decimals of the standings entry (exact for whole scores and marks).
// Lets readers rank by numbers, which the entry texts cannot do for absurdly large scores.
std::array<std::int64_t, 5> GroupStandingKeys(Zenkor& w, int group);

void FillFixtureLabels(Zenkor& w);
void ResetGroupRows(Zenkor& w);

// Team boxes.
void A_Change(Zenkor& w, int Index);
void B_Change(Zenkor& w, int Index);
void C_Change(Zenkor& w, int Index);
void D_Change(Zenkor& w, int Index);
void E_Change(Zenkor& w, int Index);
void F_Change(Zenkor& w, int Index);
void A_Click(Zenkor& w, int Index);
void B_Click(Zenkor& w, int Index);
void C_Click(Zenkor& w, int Index);
void D_Click(Zenkor& w, int Index);
void E_Click(Zenkor& w, int Index);
void F_Click(Zenkor& w, int Index);

// Score boxes.
void ButA_Change(Zenkor& w, int Index);
void ButB_Change(Zenkor& w, int Index);
void ButC_Change(Zenkor& w, int Index);
void ButD_Change(Zenkor& w, int Index);
void ButE_Change(Zenkor& w, int Index);
void ButF_Change(Zenkor& w, int Index);
void ButA_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButB_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButC_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButD_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButE_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButF_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButA_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButB_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButC_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButD_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButE_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButF_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);

// Fixture labels: the match information on the information line.
void lm_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void lmB_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void lmC_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void lmD_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void lmE_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void lmF_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);

// Score fill (Index 0) and reset (Index 1); team unlocking.
void Command30_Click(Zenkor& w, int Index);
void Label12_Click(Zenkor& w);

}  // namespace zenkor
