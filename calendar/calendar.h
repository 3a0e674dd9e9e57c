// The calendar and the information line: the matches-of-the-day panel and the match panel.
#pragma once

#include "app/main_window.h"

namespace zenkor {

// "Calendrier": shows or hides the matches-of-the-day panel.
void Command15_Click(Zenkor& w);

}  // namespace zenkor
