// Placeholders until the online services land; each definition leaves this file when its real one does.
#include "online/online.h"

namespace zenkor {

void ChargeImage(Zenkor&) {}
void ShowUpdateConfirmation(Zenkor&) {}

}  // namespace zenkor
