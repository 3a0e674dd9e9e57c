// Binds the calendar's handlers: the day pickers, the information line, the hover handlers of the
// knockout slots and the frames that blank the line.
#include "app/main_names.h"
#include "calendar/calendar.h"

namespace zenkor {

namespace {

using MouseHandler = void (*)(Zenkor&, int, int, int, float, float);
using FrameHandler = void (*)(Zenkor&, int, int, float, float);

void onMouseMove(Zenkor& w, const char* name, FrameHandler handler) {
    if (Control* c = w.find(name)) {
        c->MouseMove = [&w, handler](int b, int s, float x, float y) { handler(w, b, s, x, y); };
    }
}

}  // namespace

void WireCalendar(Zenkor& w) {
    Control& day = w(kDayMatchesDayCombo);
    day.Click = [&w] { Combo3_Click(w); };
    day.Change = [&w] { Combo3_Change(w); };
    day.GotFocus = [&w] { Combo3_GotFocus(w); };
    day.KeyPress = [&w](int& key) { Combo3_KeyPress(w, key); };
    Control& month = w(kDayMatchesMonthCombo);
    month.Click = [&w] { Combo4_Click(w); };
    month.Change = [&w] { Combo4_Change(w); };
    month.GotFocus = [&w] { Combo4_GotFocus(w); };
    month.KeyPress = [&w](int& key) { Combo4_KeyPress(w, key); };

    w("LabInfo").Change = [&w] { LabInfo_Change(w); };

    const struct {
        const char* name;
        MouseHandler handler;
    } slots[] = {{"Huit", Huit_MouseMove},
                 {"Qua", Qua_MouseMove},
                 {"DEM", DEM_MouseMove},
                 {"pf", pf_MouseMove},
                 {"FIN", FIN_MouseMove}};
    for (const auto& s : slots) {
        for (int i : w.indexes(s.name)) {
            MouseHandler handler = s.handler;
            w(s.name, i).MouseMove = [&w, handler, i](int b, int sh, float x, float y) {
                handler(w, i, b, sh, x, y);
            };
        }
    }

    onMouseMove(w, kGroupAFrame, Frame1_MouseMove);
    onMouseMove(w, kGroupBFrame, Frame2_MouseMove);
    onMouseMove(w, kGroupCFrame, Frame3_MouseMove);
    onMouseMove(w, kGroupDFrame, Frame4_MouseMove);
    onMouseMove(w, kQualifierWorkFrame, Frame5_MouseMove);
    onMouseMove(w, kGroupEFrame, Frame6_MouseMove);
    onMouseMove(w, kGroupFFrame, Frame7_MouseMove);
    onMouseMove(w, kQualifierBoardFrame, Frame8_MouseMove);
    onMouseMove(w, kKnockoutViewFrame, Frame9_MouseMove);
    onMouseMove(w, kRoundOf16Frame, Frame10_MouseMove);
    onMouseMove(w, "FraElim", FraElim_MouseMove);
    w.MouseMove = [&w](int b, int s, float x, float y) { Form_MouseMove(w, b, s, x, y); };
}

}  // namespace zenkor
