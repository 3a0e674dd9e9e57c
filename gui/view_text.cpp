#include "gui/view_text.h"

#include <QTextDocument>
#include <algorithm>

#include "platform/text.h"

namespace gui {

QString ToWidgetLines(const std::string& s) {
    return Q(platform::Replace(s, "\r\n", "\n"));
}
std::string ToModelLines(const QString& s) {
    return platform::Replace(platform::Replace(s.toStdString(), "\r\n", "\n"), "\n", "\r\n");
}

int ModelPosition(const QString& widgetText, int pos) {
    return pos + static_cast<int>(widgetText.left(pos).count(QLatin1Char('\n')));
}
int WidgetPosition(const std::string& modelText, int pos) {
    const std::string before = platform::Left(modelText, pos);
    return pos - static_cast<int>(std::count(before.begin(), before.end(), '\r'));
}

QString PlainToolTip(const std::string& text) {
    const QString t = Q(text);
    if (t.isEmpty() || !Qt::mightBeRichText(t)) return t;
    return QStringLiteral("<p style='white-space:pre'>") + t.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace gui
