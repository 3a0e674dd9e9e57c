// The "Phase Finale" button: switches between the group view and the knockout view. The view is a state of
// the window; the button's caption (message 1 or 2) and picture only follow it.
#include "app/main_names.h"
#include "knockout/knockout.h"

namespace zenkor {

namespace {

void TakePicture(Zenkor& w, int icon) {
    if (Control* source = w.find("ico", icon)) w(kViewSwitchButton).setPicture(source->Picture());
}

}  // namespace

void Command1_Click(Zenkor& w) {
    w("FraElim").setVisible(false);
    w(kDayMatchesFrame).setVisible(false);
    w("Fraide").setVisible(false);
    if (!w.knockoutView) {
        w.knockoutView = true;
        TakePicture(w, 0);
        w(kKnockoutViewFrame).setVisible(true);
        w(kViewSwitchButton).setCaption(MessageOr(2, kGroupViewCaption));
        FillRoundOf16(w);
        AdvanceRoundOf16(w);
        AdvanceQuarterFinals(w);
        AdvanceSemiFinals(w);
    } else {
        w.knockoutView = false;
        w(kKnockoutViewFrame).setVisible(false);
        w(kViewSwitchButton).setCaption(MessageOr(1, kKnockoutViewCaption));
        TakePicture(w, 1);
    }
}

}  // namespace zenkor
