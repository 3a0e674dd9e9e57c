#include "app/panels.h"

#include "app/main_names.h"

namespace zenkor {

void ShowCompactCaption(Zenkor& w) {
    Control& button = w(kCompactModeButton);
    // The language files name both captions of the switch.
    const std::string& off = Message(kCompactOffMessage);
    const std::string& on = Message(kCompactOnMessage);
    if (!off.empty() && !on.empty()) {
        button.setCaption(w.compactMode ? on : off);
        return;
    }
    // Another language's file gives its own caption; where none was given (its file is missing) the
    // French caption is still there and keeps following the state.
    const bool french = button.Caption() == kCompactOnCaption || button.Caption() == kCompactOffCaption;
    if (w.sage != 0 && !french) return;
    button.setCaption(w.compactMode ? kCompactOnCaption : kCompactOffCaption);
}

// Compact mode is a state of the window shown as a display scale: positions and fonts shrink on screen
// only, so every reader of a box's geometry (a team's place among them) sees the same values in both modes.
void Command14_Click(Zenkor& w) {
    w("Fraide").setVisible(false);
    w.compactMode = !w.compactMode;
    w.setDisplayScale(w.compactMode ? kCompactScale : 1.0);
    ShowCompactCaption(w);
}

void Frame18_Click(Zenkor& w) {
    w(kDayMatchesFrame).setVisible(false);
}

void Image11_Click(Zenkor& w) {
    w(kDayMatchesFrame).setVisible(false);
}

void Image17_Click(Zenkor&) {}

void Image6_Click(Zenkor&) {}

// Shift alone (not with Ctrl or Alt) unlocks the send button, whatever the mouse button.
void Label17_MouseDown(Zenkor& w, int, int, int Shift, float, float) {
    if (Shift != 1) return;
    w(kSendButton).setEnabled(true);
    w(kSendStatusShape).setFillColor(platform::kGreen);
}

void Label25_MouseMove(Zenkor& w, int, int, float, float) {
    Control& timer = w(kDayMatchesTimer);
    timer.setEnabled(true);
    timer.setTag("");
    w(kBannerPicture).setVisible(true);
}

}  // namespace zenkor
