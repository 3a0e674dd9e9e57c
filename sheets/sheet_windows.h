// The two secondary windows and their procedures; sheets.h holds what the main window calls.
#pragma once

#include <array>
#include <string>

#include "app/main_window.h"

namespace zenkor {

// The statistics window: rebuilt from the main window at every "Stats" click.
class Stats : public platform::Form {
  public:
    explicit Stats(Zenkor& main);
    Zenkor* main;
};

// The bracket sheet: copies of the knockout slots and the podium, joined by connector lines.
class Impress : public platform::Form {
  public:
    explicit Impress(Zenkor& main);
    Zenkor* main;
};

// Messages that give the sheets' words in the user's language; the French design words stand in for them.
inline constexpr int kPrintMessage = 29;
inline constexpr int kCloseMessage = 30;
inline constexpr int kRefreshMessage = 31;
inline constexpr int kBracketSheetMessage = 32;
// A picture button without caption: its word, in the chosen language, is its tooltip.
void SetButtonTip(platform::Form& sheet, const char* button, int message, const char* french);

// Slots 1 to 24: the team names by group and place (4g + place); slot 0 unused. Lives for the whole run.
std::array<std::string, 25>& GroupOrderTeams();

// The open windows (nullptr when none was created since the last release).
Stats* CurrentStats();
Impress* CurrentImpress();
// Creates the sheet's object without loading or showing it (ChargeInfo's caller).
Impress& ImpressObject(Zenkor& w);

void RankTeamsByProgress(Zenkor& w, Stats& stats);

// Bracket sheet procedures.
void ChargeInfo(Impress& sheet);
void RecupInfo(Impress& sheet);
void CopyBracketTexts(Impress& sheet);
void HighlightTeam(Impress& sheet, platform::Control& hovered);
// Frees the sheet's object (unloading it first when open).
void ReleaseImpressObject();

}  // namespace zenkor
