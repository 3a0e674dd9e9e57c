// Widgets to model: the user's typing, clicks, mouse moves and focus forwarded to the control's events.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <utility>

#include "gui/design_units.h"
#include "gui/form_view.h"
#include "gui/input_codes.h"
#include "gui/view_text.h"
#include "platform/runtime.h"

namespace gui {

using platform::Control;
using platform::Kind;

void FormView::userEdited(QWidget* w, const std::string& text) {
    Control* c = controlAt(w);
    if (!c) return;
    QPointer<QWidget> alive(w);
    // Once per edit: Change runs here, and a handler's rewrite comes back through propertyChanged.
    c->setText(text);
    if (!alive || !(c = controlAt(w))) return;
    applyText(*c, w);
    userMovedCaret(w);
}

void FormView::userMovedCaret(QWidget* w) {
    if (writingWidgets_ > 0) return;
    Control* c = controlAt(w);
    if (!c) return;
    int start = 0, length = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text().toStdString() != c->Text()) return;
        start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        length = edit->hasSelectedText() ? static_cast<int>(edit->selectionLength()) : 0;
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        const QString text = multi->toPlainText();
        if (ToModelLines(text) != c->Text()) return;
        const QTextCursor cursor = multi->textCursor();
        start = ModelPosition(text, cursor.selectionStart());
        length = ModelPosition(text, cursor.selectionEnd()) - start;
    } else {
        return;
    }
    ++writingModel_;
    c->setSelStart(start);
    c->setSelLength(length);
    --writingModel_;
}

void FormView::userChecked(QWidget* w) {
    Control* c = controlAt(w);
    if (!c) return;
    QPointer<QWidget> alive(w);
    if (c->kind() == Kind::CheckBox) {
        c->setValue(c->Value() == 1 ? 0 : 1);
    } else {
        // Choosing an option turns off the others of its container.
        c->setValue(1);
        if (!controlAt(w)) return;
        const Control* container = c->container();
        if (form_) {
            for (Control* other : form_->controls()) {
                if (other != c && other->kind() == Kind::OptionButton && other->container() == container &&
                    other->Value() != 0) {
                    other->setValue(0);
                }
            }
        }
    }
    if (alive && (c = controlAt(w))) applyValue(*c, w);
}

void FormView::userChoseItem(QWidget* w, int index) {
    Control* c = controlAt(w);
    if (!c) return;
    QPointer<QWidget> alive(w);
    c->setListIndex(index);
    if (alive && (c = controlAt(w))) applyItems(*c, w);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            break;
        default:
            return false;
    }
    if (event == resending_) return false;
    Control* c = controlAt(watched);
    if (!c) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyEvent(watched, *c, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            if (form_) form_->setFocused(c);
            if (std::exchange(focusEcho_, nullptr) != c) c->raiseGotFocus();
            return false;
        case QEvent::FocusOut:
            c->raiseLostFocus();
            return false;
        default:
            return mouseEvent(watched, *c, static_cast<QMouseEvent*>(event));
    }
}

bool FormView::mouseEvent(QObject* watched, Control& control, QMouseEvent* event) {
    Control* c = &control;
    QWidget* cw = c == &form_->self() ? static_cast<QWidget*>(window_) : widget(*c);
    if (!cw) return false;
    const QPointF pos = cw->mapFromGlobal(event->globalPosition());
    const double k = kTwipsPerPixel / scale();
    const auto x = static_cast<float>(pos.x() * k), y = static_cast<float>(pos.y() * k);
    const int shift = ShiftMask(event->modifiers());
    const bool textEntry = c->kind() == Kind::TextBox || c->kind() == Kind::ComboBox;
    // A box places its caret and a list moves its selection before MouseDown, which reads them.
    const bool widgetFirst = textEntry || c->kind() == Kind::ListBox;

    switch (event->type()) {
        case QEvent::MouseMove:
            if (c == &form_->self()) {
                raiseFormMouseMove(ButtonMask(event->buttons()), shift, x, y);
            } else {
                c->raiseMouseMove(ButtonMask(event->buttons()), shift, x, y);
            }
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
            afterDoubleClick_ = doubleClick;
            bool handled = false;
            QPointer<QObject> alive(watched);
            if (widgetFirst) {
                // A selection the handler makes in a box then stands, so the next keystroke replaces it.
                resending_ = event;
                QCoreApplication::sendEvent(watched, event);
                resending_ = nullptr;
                handled = true;
                if (!alive || !(c = controlAt(watched))) return true;
            }
            if (doubleClick) {
                c->raiseDblClick();
            } else {
                c->raiseMouseDown(ButtonCode(event->button()), shift, x, y);
            }
            if (textEntry && alive && (c = controlAt(watched))) {
                if (QWidget* w = widget(*c)) applySelection(*c, w);
            }
            return handled;
        }
        case QEvent::MouseButtonRelease: {
            QPointer<QObject> alive(watched);
            c->raiseMouseUp(ButtonCode(event->button()), shift, x, y);
            if (!alive || !(c = controlAt(watched))) return true;
            const bool clickable = c->kind() == Kind::Label || c->kind() == Kind::Frame ||
                                   c->kind() == Kind::Image || c->kind() == Kind::TextBox ||
                                   c == &form_->self();
            if (clickable && event->button() == Qt::LeftButton && !afterDoubleClick_ &&
                cw->rect().contains(pos.toPoint())) {
                c->raiseClick();
            }
            afterDoubleClick_ = false;
            return false;
        }
        default:
            return false;
    }
}

bool FormView::keyEvent(QObject* watched, Control& c, QKeyEvent* event) {
    const int ascii = KeyAscii(*event);
    if (ascii == 0 || !c.KeyPress) return false;
    int key = ascii;
    QPointer<QObject> alive(watched);
    c.raiseKeyPress(key);
    if (!alive || detached_) return true;
    if (key == 0) return true;  // the handler swallowed the key
    if (key == ascii) return false;
    // The handler changed the character: the box receives the new one instead.
    QKeyEvent replacement = ReplacementKey(*event, key);
    resending_ = &replacement;
    QCoreApplication::sendEvent(watched, &replacement);
    resending_ = nullptr;
    return true;
}

void FormView::raiseFormMouseMove(int button, int shift, float x, float y) {
    platform::Form* form = form_;
    if (!form) return;
    if (form->MouseMove) {
        platform::Guard([&] { form->MouseMove(button, shift, x, y); }, form->name() + "_MouseMove");
    }
    if (!detached_) form->self().raiseMouseMove(button, shift, x, y);
}

}  // namespace gui
