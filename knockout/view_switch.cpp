// The "Phase Finale" button: switches between the group view and the knockout view. The view is a state of
// the window; the button's caption (message 1 or 2) and picture only follow it.
#include "knockout/knockout.h"

namespace zenkor {

namespace {

void TakePicture(Zenkor& w, int icon) {
    if (Control* source = w.find("ico", icon)) w("Command1").setPicture(source->Picture());
}

}  // namespace

void Command1_Click(Zenkor& w) {
    w("FraElim").setVisible(false);
    w("Frame18").setVisible(false);
    w("Fraide").setVisible(false);
    if (!w.knockoutView) {
        w.knockoutView = true;
        TakePicture(w, 0);
        w("Frame9").setVisible(true);
        w("Command1").setCaption(MessageOr(2, kGroupViewCaption));
        FillRoundOf16(w);
        AdvanceRoundOf16(w);
        AdvanceQuarterFinals(w);
        AdvanceSemiFinals(w);
    } else {
        w.knockoutView = false;
        w("Frame9").setVisible(false);
        w("Command1").setCaption(MessageOr(1, kKnockoutViewCaption));
        TakePicture(w, 1);
    }
}

}  // namespace zenkor
