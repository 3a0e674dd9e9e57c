// Placeholders until the statistics window and the bracket sheet land; each definition leaves this file
// when its real one does.
#include "sheets/sheets.h"

namespace zenkor {

void Command13_Click(Zenkor&) {}
void Command21_Click(Zenkor&) {}
void UnloadImpress() {}
void UnloadStats() {}
void WireSheets(Zenkor&) {}

}  // namespace zenkor
