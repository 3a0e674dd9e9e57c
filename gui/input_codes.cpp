#include "gui/input_codes.h"

#include <string>

#include "gui/view_text.h"
#include "platform/text.h"

namespace gui {

int ButtonCode(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int ButtonMask(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int ShiftMask(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int KeyAscii(const QKeyEvent& e) {
    switch (e.key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0;
        default:
            break;
    }
    const QString text = e.text();
    if (text.size() != 1) return 0;
    const char16_t ch = text.at(0).unicode();
    if (ch < 128) return ch;
    const std::string cp = platform::Utf8ToCp1252(text.toStdString());
    if (cp.size() != 1 || cp[0] == '?') return 0;
    return static_cast<unsigned char>(cp[0]);
}

QKeyEvent ReplacementKey(const QKeyEvent& e, int ascii) {
    if (ascii == 8) return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, e.modifiers());
    if (ascii == 13) return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, e.modifiers(), QStringLiteral("\r"));
    const QString text = Q(platform::Cp1252ToUtf8(std::string(1, static_cast<char>(ascii))));
    const char16_t upper = text.isEmpty() ? 0 : text.at(0).toUpper().unicode();
    const int key = upper > 0 && upper < 0x7f ? static_cast<int>(upper) : static_cast<int>(Qt::Key_unknown);
    return QKeyEvent(QEvent::KeyPress, key, e.modifiers() & ~Qt::ControlModifier, text);
}
}  // namespace gui
