// Edition files (Zenkor<year>.ini): save, load, match information, the history panel.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zenkor {

// Writes every user-filled box into the file named by Text1; false when the file could not be written.
bool SaveEditionFile(Zenkor& w);
void LoadEditionFile(Zenkor& w, const std::string& baseName);
void LoadMatchInfo(Zenkor& w, const std::string& baseName);

}  // namespace zenkor
