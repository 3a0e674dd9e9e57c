#include "app/main_window.h"

namespace zenkor {

void BuildGroupDesign(Zenkor& w) {}
void WireGroupStage(Zenkor& w) {}

}  // namespace zenkor
