#include "app/main_window.h"

namespace zenkor {

void BuildKnockoutDesign(Zenkor& w) {}
void WireKnockout(Zenkor& w) {}

}  // namespace zenkor
