// The knockout stage: thirds and allocation, round-of-16 seeding, cascade and podium, goal total and the
// recompute-all driver.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zenkor {

// Its part of the main window's design and its handler bindings (called by the window's constructor).
void BuildKnockoutDesign(Zenkor& w);
void WireKnockout(Zenkor& w);

void RankThirdPlaced(Zenkor& w);
void FillRoundOf16(Zenkor& w);
std::string ThirdPlacedTeam(Zenkor& w, const std::string& token);
void AdvanceRoundOf16(Zenkor& w);
void AdvanceQuarterFinals(Zenkor& w);
void AdvanceSemiFinals(Zenkor& w);
void DecideFinal(Zenkor& w);
void ShowThirdPlaces(Zenkor& w);
void ShowTotalGoals(Zenkor& w);
void RecalcAll(Zenkor& w);

// The third-place allocation of a best-thirds key (four group letters in alphabetical order, "ABCD"):
// "3A|3D|3B|3C" and so on; empty for a key outside the table.
std::string ThirdPlaceAllocation(const std::string& key);

// Score and penalty boxes of the knockout view.
void Buthui_Change(Zenkor& w, int Index);
void ButPen_Change(Zenkor& w, int Index);
void ButQua_Change(Zenkor& w, int Index);
void ButPen4_Change(Zenkor& w, int Index);
void ButDem_Change(Zenkor& w, int Index);
void ButPen2_Change(Zenkor& w, int Index);
void ButFIN_Change(Zenkor& w, int Index);
void ButPenFIN_Change(Zenkor& w, int Index);
void Butpetfin_Change(Zenkor& w, int Index);
void ButPenpetfin_Change(Zenkor& w, int Index);
void Buthui_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButPen_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButQua_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButPen4_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButDem_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButPen2_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButFIN_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButPenFIN_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void Butpetfin_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void ButPenpetfin_MouseDown(Zenkor& w, int Index, int Button, int Shift, float X, float Y);

// The "Phase Finale" button: switches between the group view and the knockout view (view_switch.cpp).
void Command1_Click(Zenkor& w);

}  // namespace zenkor
