// The qualifying competition: its grid, its panel, its group tables, play-offs and board of qualified
// teams, kept in its own file "Elim2024.ini".
#pragma once

#include <array>
#include <string>

#include "app/main_window.h"

namespace zenkor {

// The qualifiers' design inside FraElim, and the binding of its handlers.
void BuildQualifierDesign(Zenkor& w);
void WireQualifiers(Zenkor& w);

// Shared counters and the fixed table of the 260 qualifier fixtures ("dd/mm/yyyy|home|away|group").
int& QualifierPlayedCount();
int& QualifierFixtureCount();
std::array<std::string, 261>& QualifierFixtures();
void LoadQualifierFixtures();

// Storage and grid.
void BuildQualifierGrid(Zenkor& w);
void LoadElimGroup(Zenkor& w);
void Command23_Click(Zenkor& w);  // "Sauver"
// Saves what the user changed in the panel since its group was loaded or saved, as "Sauver" does, before
// anything reloads the panel; false when that save failed (the user has been told).
[[nodiscard]] bool SaveElimChanges(Zenkor& w);

// Group table.
void CalcElimStandings(Zenkor& w);
void MarkElimQualifStatus(Zenkor& w, int unplayed);
void SortEQU_MouseMove(Zenkor& w, int index, int button, int shift, float x, float y);

// Re-Calcul, play-offs and board.
void Command25_Click(Zenkor& w);  // "Re-Calcul"
void MarkBarrageWinners(Zenkor& w);
void AddBarrageQualified(Zenkor& w, const std::string& name);
void QuaBar_DblClick(Zenkor& w);

// Panel commands and lists.
// "Qualifications": shows or hides the qualifiers panel and recomputes its groups.
void Command26_Click(Zenkor& w);
void Command24_Click(Zenkor& w);  // "Fermer"
void bTNgrp_Click(Zenkor& w, int index);
// "Calendrier" of the qualifiers panel: lists the qualifier fixtures of all groups.
void Command27_Click(Zenkor& w);
void List7_MouseDown(Zenkor& w, int button, int shift, float x, float y);
void List7_DblClick(Zenkor& w);
void EquiElim_MouseMove(Zenkor& w, int index, int button, int shift, float x, float y);
void ButElim_Change(Zenkor& w, int index);
void ButElim_Click(Zenkor& w, int index);
void ButElim_GotFocus(Zenkor& w, int index);
void ButBAR_GotFocus(Zenkor& w, int index);
void ButBAR_Change(Zenkor& w, int index);
void NEElim_DblClick(Zenkor& w, int index);
void Command22_Click(Zenkor& w, int index);
void Command28_Click(Zenkor& w);  // "Valeurs"
void Command29_Click(Zenkor& w);

}  // namespace zenkor
