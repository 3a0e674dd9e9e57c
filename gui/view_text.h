// Text between the model (std::string, CR LF lines) and Qt (QString, LF lines).
#pragma once

#include <QString>
#include <string>

namespace gui {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Multi-line boxes keep CR LF in the model and LF in the widget.
QString ToWidgetLines(const std::string& s);
std::string ToModelLines(const QString& s);

// Character positions of a multi-line widget (LF) to the model's (CR LF), and back.
int ModelPosition(const QString& widgetText, int pos);
int WidgetPosition(const std::string& modelText, int pos);

// A tooltip is plain text, never markup.
QString PlainToolTip(const std::string& text);

}  // namespace gui
