// Colour integers of the control model (red in the low byte, system colours with the high bit) as Qt
// colours, and the fonts the designs name as faces that this system has.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <string>

#include "platform/control.h"

namespace gui {

// System colours (0x80000000 + index) come from the palette so that they follow the desktop theme.
QColor ToQColor(platform::Color color, const QPalette& palette);

// The face standing in for the designs' "MS Sans Serif" and the like.
QString DefaultFamily();
// Registers the substitutes of the Windows faces the designs name; call once with the application.
void InstallFontSubstitutes();

// A control's font at the window's display scale; sizes are in points at 96 dots per inch, as the designs'
// geometry is (15 twips a pixel), so text keeps its proportion to the boxes on any screen.
QFont ControlFont(const platform::Control& control, double scale);
// Points at 96 dots per inch to pixels.
int FontPixels(double points, double scale);

}  // namespace gui
