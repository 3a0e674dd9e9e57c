// Online services: the update of the current edition file, the advertised pictures, sending.
#pragma once

#include "app/main_window.h"

namespace zenkor {

// Downloads the two advertised pictures into Image13 and Image14.
void ChargeImage(Zenkor& w);
// Shows the update confirmation window FREC, modal; returns when it is closed.
void ShowUpdateConfirmation(Zenkor& w);

}  // namespace zenkor
