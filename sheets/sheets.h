// The statistics window (Stats) and the bracket sheet (Impress).
#pragma once

#include "app/main_window.h"

namespace zenkor {

// Its handler bindings on the main window (called by the window's constructor).
void WireSheets(Zenkor& w);

// "Tableau": shows the bracket sheet.
void Command13_Click(Zenkor& w);
// "Stats": ranks the teams and shows the statistics window.
void Command21_Click(Zenkor& w);
// Unloads the window when it is open; nothing otherwise ("Quitter").
void UnloadImpress();
void UnloadStats();

}  // namespace zenkor

namespace zenkor {

// Frees both windows' objects (end of the program, between tests); unloads them first when open.
void ReleaseSheets();

}  // namespace zenkor
