// Entry of knockout scores and penalties: each change drops the "-" placeholder and reruns the cascade
// from the step of its round; a mouse press preselects the first two characters.
#include "app/main_names.h"
#include "knockout/knockout.h"
#include "platform/text.h"

namespace zenkor {

namespace {

using Step = void (*)(Zenkor&);

void scoreChange(Zenkor& w, const char* array, int index, Step step) {
    Control& box = w(array, index);
    const std::string text = box.Text();
    const bool longer = platform::Len(text) > 1;
    const bool placeholder = platform::InStr(text, "-") > 0;
    // Rewriting the box runs this handler again at once, which then runs the step on the stripped text.
    if (longer && placeholder) box.setText(platform::Replace(text, "-", ""));
    if (w.FChargee) step(w);
}

void selectFirstTwo(Zenkor& w, const char* array, int index) {
    Control& box = w(array, index);
    box.setSelStart(0);
    box.setSelLength(2);
}

// The third-place match decides nothing of its own, but its scores count in the goal total.
void thirdPlaceStep(Zenkor& w) {
    DecideFinal(w);
    ShowTotalGoals(w);
}

}  // namespace

void Buthui_Change(Zenkor& w, int Index) {
    scoreChange(w, "Buthui", Index, AdvanceRoundOf16);
}
void ButPen_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButPen", Index, AdvanceRoundOf16);
}
void ButQua_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButQua", Index, AdvanceQuarterFinals);
}
void ButPen4_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButPen4", Index, AdvanceQuarterFinals);
}
void ButDem_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButDem", Index, AdvanceSemiFinals);
}
void ButPen2_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButPen2", Index, AdvanceSemiFinals);
}
void ButFIN_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButFIN", Index, AdvanceQuarterFinals);
}
void ButPenFIN_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButPenFIN", Index, AdvanceQuarterFinals);
}
void Butpetfin_Change(Zenkor& w, int Index) {
    scoreChange(w, "Butpetfin", Index, thirdPlaceStep);
}
void ButPenpetfin_Change(Zenkor& w, int Index) {
    scoreChange(w, "ButPenpetfin", Index, thirdPlaceStep);
}

void Buthui_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "Buthui", Index);
}
void ButPen_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButPen", Index);
}
void ButQua_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButQua", Index);
}
void ButPen4_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButPen4", Index);
}
void ButDem_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButDem", Index);
}
void ButPen2_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButPen2", Index);
}
void ButFIN_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButFIN", Index);
}
void ButPenFIN_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButPenFIN", Index);
}
void Butpetfin_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "Butpetfin", Index);
}
void ButPenpetfin_MouseDown(Zenkor& w, int Index, int, int, float, float) {
    selectFirstTwo(w, "ButPenpetfin", Index);
}

void WireKnockout(Zenkor& w) {
    using Change = void (*)(Zenkor&, int);
    using MouseDown = void (*)(Zenkor&, int, int, int, float, float);
    struct Binding {
        const char* array;
        Change change;
        MouseDown mouseDown;
    };
    static constexpr Binding kBindings[] = {
        {"Buthui", Buthui_Change, Buthui_MouseDown},
        {"ButPen", ButPen_Change, ButPen_MouseDown},
        {"ButQua", ButQua_Change, ButQua_MouseDown},
        {"ButPen4", ButPen4_Change, ButPen4_MouseDown},
        {"ButDem", ButDem_Change, ButDem_MouseDown},
        {"ButPen2", ButPen2_Change, ButPen2_MouseDown},
        {"ButFIN", ButFIN_Change, ButFIN_MouseDown},
        {"ButPenFIN", ButPenFIN_Change, ButPenFIN_MouseDown},
        {"Butpetfin", Butpetfin_Change, Butpetfin_MouseDown},
        {"ButPenpetfin", ButPenpetfin_Change, ButPenpetfin_MouseDown},
    };
    for (const Binding& b : kBindings) {
        for (int i : w.indexes(b.array)) {
            Control& box = w(b.array, i);
            const Change change = b.change;
            const MouseDown mouseDown = b.mouseDown;
            box.Change = [&w, i, change] { change(w, i); };
            box.MouseDown = [&w, i, mouseDown](int button, int shift, float x, float y) {
                mouseDown(w, i, button, shift, x, y);
            };
        }
    }
    if (Control* button = w.find(kViewSwitchButton)) button->Click = [&w] { Command1_Click(w); };
}

}  // namespace zenkor
