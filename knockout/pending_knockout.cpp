// Placeholders until the knockout stage is built; each definition leaves this file when its real one lands.
#include "knockout/knockout.h"

namespace zenkor {

void RankThirdPlaced(Zenkor&) {}
void FillRoundOf16(Zenkor&) {}
std::string ThirdPlacedTeam(Zenkor&, const std::string&) { return {}; }
void AdvanceRoundOf16(Zenkor&) {}
void AdvanceQuarterFinals(Zenkor&) {}
void AdvanceSemiFinals(Zenkor&) {}
void DecideFinal(Zenkor&) {}
void ShowThirdPlaces(Zenkor&) {}
void ShowTotalGoals(Zenkor&) {}
void RecalcAll(Zenkor&) {}

}  // namespace zenkor
