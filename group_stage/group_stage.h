// The group stage: group tables, fixture labels, score and team entry, score fill and team unlocking.
#pragma once

#include "app/main_window.h"

namespace zenkor {

// Group tables (group 0..5 for A..F).
void CalcGroupStandings(Zenkor& w, int group);
void CalcGroupStandingsA(Zenkor& w);
void CalcGroupStandingsB(Zenkor& w);
void CalcGroupStandingsC(Zenkor& w);
void CalcGroupStandingsD(Zenkor& w);
void CalcGroupStandingsE(Zenkor& w);
void CalcGroupStandingsF(Zenkor& w);

void FillFixtureLabels(Zenkor& w);
void ResetGroupRows(Zenkor& w);

}  // namespace zenkor
