// Edition files (Zenkor<year>.ini): save, load, match information, the history panel.
#pragma once

#include <string>
#include <string_view>

#include "app/main_window.h"
#include "platform/result.h"

namespace zenkor {

// The program's own version, against which an edition file's "CV" value is checked.
inline constexpr int kProgramMajorVersion = 1;
inline constexpr int kProgramMinorVersion = 0;

// The base name of the current edition's file.
inline constexpr const char* kCurrentEdition = "Zenkor2024";

// Writes every user-filled box into the file named by Text1; false when the file could not be written.
platform::Result SaveEditionFile(Zenkor& w);
void LoadEditionFile(Zenkor& w, const std::string& baseName);
void LoadMatchInfo(Zenkor& w, const std::string& baseName);
// Before the program folder's file of baseName is loaded: a file that is no text (binary garbage, UTF-16)
// is kept aside under a dated name and the previous save (.bak) takes its place when there is one; the
// user is told either way. Nothing is ever written into such a file.
void SetAsideDamagedEdition(const std::string& baseName);

// Only base names made of letters and digits name an edition file: nothing else is read or written.
bool IsEditionBaseName(std::string_view baseName);

// The news message of the edition on display for the language index sage, into Label10 and Shape3.
void ShowNewsMessage(Zenkor& w, const std::string& message);

// "Sauve", "Historique", "Ouvrir" and the return to the current edition.
void Command3_Click(Zenkor& w);
void Command11_Click(Zenkor& w);
void Command12_Click(Zenkor& w);
void Command4_Click(Zenkor& w);

}  // namespace zenkor
