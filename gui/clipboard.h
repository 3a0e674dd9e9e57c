// The system clipboard and the screen's mouse pointer for the program's services.
#pragma once

namespace gui {

void InstallClipboard();
// The hourglass of a long operation (a download) as the application's override cursor.
void InstallScreenPointer();

}  // namespace gui
