// Start-up, shutdown, the help panel buttons, "Mise à jour" and the two timers of the main window.
#pragma once

#include "app/main_window.h"

namespace zenkor {

// The main window's own handler bindings (called by the window's constructor).
void WireMainWindow(Zenkor& w);

// The two fixed dates of start-up, each taken at midnight: the end of the qualifiers' fixtures and the
// day from which on the knockout view opens.
inline constexpr const char* kQualifiersEndDate = "13/10/2015";
inline constexpr const char* kKnockoutDate = "27/06/2024";

// Makes the user's data folder the program folder. When it cannot be used, says so in a message box that
// names the folder and the reason (in the saved language) and returns false: the program cannot start.
bool UseDataFolder();

void Form_Load(Zenkor& w);
void Form_Unload(Zenkor& w);
void Command2_Click(Zenkor& w);  // "Retour"
void Command5_Click(Zenkor& w);  // "Quitter"
void Command6_Click(Zenkor& w);  // "Aide"
void Command8_Click(Zenkor& w);  // "Mise à jour"
void Timer1_Timer(Zenkor& w);
void Timer2_Timer(Zenkor& w);

// "Valmirade 2024 Version: 1.0".
std::string VersionLine();

}  // namespace zenkor
