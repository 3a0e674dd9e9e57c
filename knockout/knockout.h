// The knockout stage: thirds and allocation, round-of-16 seeding, cascade and podium, goal total and the
// recompute-all driver.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zenkor {

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

}  // namespace zenkor
