// Building a widget for each kind of control, the timers, and the stacking of the widgets.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <utility>
#include <vector>

#include "gui/form_view.h"
#include "gui/picture_widgets.h"
#include "gui/view_text.h"

namespace gui {

using platform::Control;
using platform::Kind;

namespace {

// Labels, pictures, shapes and lines are drawn on their container beneath its windowed controls.
bool IsGraphical(Kind kind) {
    return kind == Kind::Label || kind == Kind::Image || kind == Kind::Shape || kind == Kind::Line;
}

}  // namespace

QWidget* FormView::ensureWidget(Control& c) {
    if (&c == &form_->self()) return window_;
    if (auto it = widgets_.find(&c); it != widgets_.end()) return it->second;
    pending_.erase(&c);
    if (c.kind() == Kind::Timer) {
        if (!timers_.count(&c)) makeTimer(c);
        return nullptr;
    }
    QWidget* parent = window_;
    if (Control* container = c.container(); container && container != &c) {
        if (QWidget* p = ensureWidget(*container)) parent = p;
    }
    QWidget* w = makeWidget(c, parent);
    widgets_[&c] = w;
    watch(w, c);
    refreshAll(c, w);
    return w;
}

void FormView::watch(QWidget* w, Control& c, bool innerPart) {
    // Tests and tools find a control's widget by the control's name.
    if (!innerPart) w->setObjectName(Q(c.displayName()));
    w->setMouseTracking(true);
    // Only the innermost control hears the mouse: events stop at the control under the pointer.
    w->setAttribute(Qt::WA_NoMousePropagation);
    w->installEventFilter(this);
    controlOf_.insert(w, &c);
}

QWidget* FormView::makeWidget(Control& c, QWidget* parent) {
    switch (c.kind()) {
        case Kind::TextBox: {
            if (c.MultiLine()) {
                auto* edit = new QPlainTextEdit(parent);
                edit->setTabChangesFocus(true);
                watch(edit->viewport(), c, true);
                connect(edit, &QPlainTextEdit::textChanged, this, [this, edit] {
                    if (writingWidgets_ == 0) userEdited(edit, ToModelLines(edit->toPlainText()));
                });
                connect(edit, &QPlainTextEdit::cursorPositionChanged, this,
                        [this, edit] { userMovedCaret(edit); });
                connect(edit, &QPlainTextEdit::selectionChanged, this,
                        [this, edit] { userMovedCaret(edit); });
                return edit;
            }
            auto* edit = new QLineEdit(parent);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, edit](const QString& text) { userEdited(edit, text.toStdString()); });
            connect(edit, &QLineEdit::cursorPositionChanged, this, [this, edit] { userMovedCaret(edit); });
            connect(edit, &QLineEdit::selectionChanged, this, [this, edit] { userMovedCaret(edit); });
            return edit;
        }
        case Kind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            return label;
        }
        case Kind::Image:
            return new PictureWidget(parent);
        case Kind::CommandButton: {
            auto* button = new PictureButton(parent);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, button] {
                if (Control* c = controlAt(button)) c->raiseClick();
            });
            return button;
        }
        case Kind::CheckBox: {
            auto* box = new CheckWidget(parent);
            connect(box, &QCheckBox::clicked, this, [this, box] { userChecked(box); });
            return box;
        }
        case Kind::OptionButton: {
            auto* option = new OptionWidget(parent);
            option->setAutoExclusive(false);  // the model says which option is on
            connect(option, &QRadioButton::clicked, this, [this, option] { userChecked(option); });
            return option;
        }
        case Kind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
            combo->setMaxVisibleItems(16);
            QLineEdit* edit = combo->lineEdit();
            watch(edit, c, true);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, combo](const QString& text) { userEdited(combo, text.toStdString()); });
            connect(combo, &QComboBox::activated, this,
                    [this, combo](int index) { userChoseItem(combo, index); });
            return combo;
        }
        case Kind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setUniformItemSizes(true);
            watch(list->viewport(), c, true);
            connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
                if (writingWidgets_ == 0) userChoseItem(list, row);
            });
            return list;
        }
        case Kind::Frame:
            return new FrameWidget(parent);
        case Kind::Shape:
            return new ShapeWidget(parent);
        case Kind::Line:
            return new LineWidget(parent);
        case Kind::Form:
        case Kind::Timer:
            break;
    }
    return new QWidget(parent);
}

void FormView::makeTimer(Control& c) {
    auto* t = new QTimer(this);
    timers_[&c] = t;
    connect(t, &QTimer::timeout, this, [this, t] {
        for (const auto& [control, timer] : timers_) {
            if (timer == t) {
                const_cast<Control*>(control)->tick();
                return;
            }
        }
    });
    applyTimer(c);
}

void FormView::refreshAll(Control& c, QWidget* w) {
    ++writingWidgets_;
    // The font first: a text laid out before it would be laid out again.
    applyFont(c, w);
    applyStyle(c, w);
    applyText(c, w);
    applyItems(c, w);
    applyValue(c, w);
    applyPicture(c, w);
    applyColors(c, w);
    applyGeometry(c, w);
    applyLocked(c, w);
    applyToolTip(c, w);
    applySelection(c, w);
    w->setEnabled(c.Enabled());
    --writingWidgets_;
    applyVisible(c, w);
}

void FormView::relayoutAll() {
    laidOutScale_ = scale();
    for (Control* c : form_->controls()) {
        if (QWidget* w = existing(*c)) {
            applyFont(*c, w);
            applyGeometry(*c, w);
        }
    }
    applyWindowGeometry();
}

void FormView::restack(const Control* container) {
    std::vector<QWidget*> graphical, windowed;
    for (Control* c : form_->controls()) {
        if (c->container() != container) continue;
        if (QWidget* w = existing(*c)) (IsGraphical(c->kind()) ? graphical : windowed).push_back(w);
    }
    for (QWidget* w : graphical) w->raise();
    for (QWidget* w : windowed) w->raise();
}

void FormView::restackAll() {
    std::unordered_map<const Control*, std::pair<std::vector<QWidget*>, std::vector<QWidget*>>> layers;
    for (Control* c : form_->controls()) {
        if (QWidget* w = existing(*c)) {
            auto& layer = layers[c->container()];
            (IsGraphical(c->kind()) ? layer.first : layer.second).push_back(w);
        }
    }
    for (auto& [container, layer] : layers) {
        for (QWidget* w : layer.first) w->raise();
        for (QWidget* w : layer.second) w->raise();
    }
}
void FormView::controlCreated(Control& control) {
    if (detached_) return;
    containers_.insert(control.container());
    if (control.kind() != Kind::Timer && !shownInForm(control)) {
        pending_.insert(&control);
        return;
    }
    QWidget* w = ensureWidget(control);
    if (!w || !IsGraphical(control.kind())) return;  // a new windowed control is on top already
    // A new graphical control goes on top of its layer, beneath the windowed controls.
    for (QObject* sibling : w->parentWidget()->children()) {
        const Control* other = controlOf_.value(sibling, nullptr);
        if (sibling != w && other && other->container() == control.container() &&
            !IsGraphical(other->kind())) {
            w->stackUnder(static_cast<QWidget*>(sibling));
            break;
        }
    }
}

void FormView::controlRemoved(Control& control) {
    pending_.erase(&control);
    containers_.erase(&control);
    if (auto it = timers_.find(&control); it != timers_.end()) {
        it->second->stop();
        it->second->deleteLater();
        timers_.erase(it);
    }
    auto it = widgets_.find(&control);
    if (it == widgets_.end()) return;
    QWidget* w = it->second;
    widgets_.erase(it);
    for (auto i = controlOf_.begin(); i != controlOf_.end();) {
        i = i.value() == &control ? controlOf_.erase(i) : std::next(i);
    }
    w->disconnect(this);
    w->removeEventFilter(this);
    w->hide();
    w->deleteLater();  // it may be the widget whose event is being handled
}

}  // namespace gui
