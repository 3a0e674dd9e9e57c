// The main window's frame: the window, the button row, the panels laid over the group view and the
// controls outside every panel. The group and knockout designs fill their own frames.
#include "app/main_window.h"

namespace zenkor {

namespace {

Control& button(Zenkor& w, const char* name, int index, const char* caption, int left, int top, int width, int height,
                Control* container = nullptr) {
    Control& c = w.add(Kind::CommandButton, name, index, container);
    c.setCaption(caption);
    c.move(left, top, width, height);
    return c;
}

Control& frame(Zenkor& w, const char* name, const char* caption, int left, int top, int width, int height,
               bool visible, Control* container = nullptr) {
    Control& c = w.add(Kind::Frame, name, -1, container);
    c.setCaption(caption);
    c.move(left, top, width, height);
    c.setVisible(visible);
    return c;
}

}  // namespace

void BuildMainDesign(Zenkor& w) {
    Control& form = w.self();
    form.setCaption("Valmirade de football 2016...");
    form.move(0, 0, 17760, 9780);

    // The button row along the top edge.
    const int top = 15, height = 915;
    int left = 90;
    auto next = [&](const char* name, const char* caption, int width) -> Control& {
        Control& c = button(w, name, -1, caption, left, top, width, height);
        left += width + 60;
        return c;
    };
    next("Command1", "Phase Finale", 1455);
    next("Command3", "Sauve", 1095);
    next("Command6", "Aide", 1095);
    next("Command8", "Mise à jour", 1335);
    next("Command11", "Historique", 1335).setEnabled(false);
    next("Command13", "Tableau", 1215);
    next("Command15", "Calendrier", 1335);
    next("Command21", "Stats", 1095);
    next("Command26", "Qualifications", 1575).setEnabled(false);
    button(w, "Command5", -1, "Quitter", 16200, 8940, 1335, 555);

    Control& label12 = w.add(Kind::Label, "Label12");
    label12.move(4815, 30, 435, 900);
    label12.setToolTipText("Déblocage");
    label12.setBackStyle(0);

    // The information line below the group frames.
    Control& info = w.add(Kind::Label, "LabInfo");
    info.move(90, 8400, 13200, 315);
    info.setBackStyle(0);

    // Panels over the group view, hidden at start.
    frame(w, "Frame9", "", 15, 930, 17640, 7950, false);
    frame(w, "Fraide", "", 15, 930, 17640, 7950, false);
    Control& history = frame(w, "FraHisto", "Historique", 13350, 930, 4215, 4335, false);
    Control& label15 = w.add(Kind::Label, "Label15", -1, &history);
    label15.move(240, 3720, 3735, 315);
    label15.setBackStyle(0);
    Control& elim = frame(w, "FraElim", "", 0, 930, 17640, 7950, false);
    Control& trim = frame(w, "FraTrim", "", 14400, 1200, 3015, 3000, true, &elim);
    for (int i = 0; i <= 5; ++i) {
        Control& ne = w.add(Kind::TextBox, "NEElim", i, &trim);
        ne.move(120, 240 + i * 420, 2760, 315);
        ne.setVisible(false);
    }
    frame(w, "Frame22", "Matches de barrages", 120, 5400, 9000, 2400, true, &elim);
    frame(w, "Frame18", "", 13355, 990, 4065, 3405, true);

    Control& timer1 = w.add(Kind::Timer, "Timer1");
    timer1.setInterval(800);
    Control& timer2 = w.add(Kind::Timer, "Timer2");
    timer2.setInterval(1000);
    timer2.setEnabled(false);
    timer2.setTag("1");
}

void WireMainWindow(Zenkor& w) {}

}  // namespace zenkor
