// The qualifying competition: its grid, its panel and its fixture list.
#pragma once

#include "app/main_window.h"

namespace zenkor {

void BuildQualifierGrid(Zenkor& w);
// "Qualifications": shows or hides the qualifiers panel and recomputes its groups.
void Command26_Click(Zenkor& w);
// "Calendrier" of the qualifiers panel: lists the qualifier fixtures.
void Command27_Click(Zenkor& w);

}  // namespace zenkor
