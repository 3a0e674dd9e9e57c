#include "gui/colors.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace gui {

namespace {

QPalette::ColorRole SystemRole(int index, QPalette::ColorGroup& group) {
    group = QPalette::Active;
    switch (index) {
        case 0x00:
            return QPalette::Window;  // scroll bars
        case 0x01:
            return QPalette::Dark;  // desktop
        case 0x02:
            return QPalette::Highlight;  // active title bar
        case 0x03:
            return QPalette::Mid;  // inactive title bar
        case 0x04:
            return QPalette::Window;  // menu bar
        case 0x05:
            return QPalette::Base;  // window background
        case 0x06:
            return QPalette::Shadow;  // window frame
        case 0x07:
            return QPalette::WindowText;  // menu text
        case 0x08:
            return QPalette::Text;  // window text
        case 0x09:
            return QPalette::HighlightedText;
        case 0x0D:
            return QPalette::Highlight;
        case 0x0E:
            return QPalette::HighlightedText;
        case 0x0F:
            return QPalette::Button;  // button face
        case 0x10:
            return QPalette::Dark;  // button shadow
        case 0x11:
            group = QPalette::Disabled;
            return QPalette::Text;  // grey text
        case 0x12:
            return QPalette::ButtonText;
        case 0x14:
            return QPalette::Light;  // 3D highlight
        case 0x15:
            return QPalette::Shadow;
        case 0x16:
            return QPalette::Midlight;
        case 0x17:
            return QPalette::ToolTipText;
        case 0x18:
            return QPalette::ToolTipBase;
        default:
            return QPalette::Button;
    }
}

}  // namespace

QColor ToQColor(platform::Color color, const QPalette& palette) {
    if (color >= platform::kSystemColor && color <= platform::kSystemColor + 0xFF) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = SystemRole(static_cast<int>(color & 0xFF), group);
        return palette.color(group, role);
    }
    const auto c = static_cast<std::uint32_t>(color & 0xFFFFFF);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QString DefaultFamily() {
    static const QString family = [] {
        // Liberation Sans has the widths the designs were laid out with; DejaVu Sans is wider.
        const QStringList families = QFontDatabase::families();
        for (const char* candidate : {"Liberation Sans", "Arimo", "DejaVu Sans"}) {
            if (families.contains(QString::fromLatin1(candidate))) return QString::fromLatin1(candidate);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

void InstallFontSubstitutes() {
    const QString sans = DefaultFamily();
    const QStringList families = QFontDatabase::families();
    auto pick = [&](std::initializer_list<const char*> candidates) {
        for (const char* c : candidates) {
            if (families.contains(QString::fromLatin1(c))) return QString::fromLatin1(c);
        }
        return sans;
    };
    const QString narrow = pick({"Liberation Sans Narrow", "DejaVu Sans Condensed"});
    const QString serif = pick({"Liberation Serif", "DejaVu Serif"});
    const QString mono = pick({"Liberation Mono", "DejaVu Sans Mono"});
    const QString wide = pick({"DejaVu Sans"});
    for (const char* name : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Helvetica", "Tahoma",
                             "Segoe UI", "Comic Sans MS", "Trebuchet MS", "Century Gothic"}) {
        QFont::insertSubstitution(QString::fromLatin1(name), sans);
    }
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"), narrow);
    QFont::insertSubstitution(QStringLiteral("Verdana"), wide);
    for (const char* name : {"Times New Roman", "MS Serif", "Georgia"}) {
        QFont::insertSubstitution(QString::fromLatin1(name), serif);
    }
    for (const char* name : {"Courier New", "Courier", "Lucida Console"}) {
        QFont::insertSubstitution(QString::fromLatin1(name), mono);
    }
}

int FontPixels(double points, double scale) {
    return std::max(1, static_cast<int>(std::lround(points * scale * 96.0 / 72.0)));
}

QFont ControlFont(const platform::Control& control, double scale) {
    const std::string& name = control.FontName();
    QFont font(name.empty() || name == "MS Sans Serif" ? DefaultFamily() : QString::fromStdString(name));
    font.setPixelSize(FontPixels(control.FontSize(), scale));
    font.setBold(control.FontBold());
    font.setItalic(control.FontItalic());
    font.setUnderline(control.FontUnderline());
    return font;
}

}  // namespace gui
