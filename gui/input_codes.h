// The mouse buttons, shift keys and characters of Qt's input events as the control events count them.
#pragma once

#include <QKeyEvent>

namespace gui {

// The button that changed: 1 left, 2 right, 4 middle.
int ButtonCode(Qt::MouseButton b);
// The buttons held, added up the same way.
int ButtonMask(Qt::MouseButtons b);
// 1 Shift, 2 Ctrl, 4 Alt.
int ShiftMask(Qt::KeyboardModifiers m);

// The character code a key press gives the KeyPress event (Windows-1252), 0 for keys without one.
int KeyAscii(const QKeyEvent& e);
// The key press that types the character a KeyPress handler put in place of the user's.
QKeyEvent ReplacementKey(const QKeyEvent& e, int ascii);

}  // namespace gui
