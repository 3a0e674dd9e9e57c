#include "app/main_window.h"

namespace zenkor {

void BuildEditionDesign(Zenkor& w) {}
void WireEditionFiles(Zenkor& w) {}

}  // namespace zenkor
