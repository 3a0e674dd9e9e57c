// The calendar and the information line: the matches-of-the-day panel and the match panel.
#pragma once

#include <cstdint>
#include <string>

#include "app/main_window.h"

namespace zenkor {

// Its part of the main window's design and its handler bindings (called by the window's constructor).
void BuildCalendarDesign(Zenkor& w);
void WireCalendar(Zenkor& w);

// "Calendrier": shows or hides the matches-of-the-day panel.
void Command15_Click(Zenkor& w);

// Matches of the day.
void FillDayMatches(Zenkor& w);
std::int16_t ChannelLogoIndex(const std::string& info);
void Combo3_Click(Zenkor& w);
void Combo3_Change(Zenkor& w);
void Combo4_Click(Zenkor& w);
void Combo4_Change(Zenkor& w);
void Combo3_GotFocus(Zenkor& w);
void Combo4_GotFocus(Zenkor& w);
void Combo3_KeyPress(Zenkor& w, int& KeyAscii);
void Combo4_KeyPress(Zenkor& w, int& KeyAscii);

// The information line and the match panel.
void LabInfo_Change(Zenkor& w);
// A hover on a match: its information into the line, shown again even when the line holds it already.
void ShowMatchInfo(Zenkor& w, const std::string& info);
void ClearMatchInfo(Zenkor& w);
// The long date of a day-first date text in the language chosen (0 French "vendredi 14 juin 2024 ",
// 1 English, 2 Spanish), "" when it is no date.
std::string LongMatchDate(const std::string& date, int language);

void Huit_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void Qua_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void DEM_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void pf_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);
void FIN_MouseMove(Zenkor& w, int Index, int Button, int Shift, float X, float Y);

void Frame1_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame2_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame3_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame4_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame5_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame6_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame7_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame8_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame10_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Frame9_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void Form_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);
void FraElim_MouseMove(Zenkor& w, int Button, int Shift, float X, float Y);

}  // namespace zenkor
