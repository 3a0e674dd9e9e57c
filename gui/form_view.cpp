#include "gui/form_view.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "gui/design_units.h"
#include "gui/view_text.h"

namespace gui {

using platform::Control;
using platform::Kind;
using platform::Prop;

FormView::FormView(platform::Form& form) : form_(&form), window_(new FormWindow) {
    window_->setObjectName(Q(form.name()));
    window_->setMouseTracking(true);
    window_->setAutoFillBackground(true);
    window_->installEventFilter(this);
    window_->onClose = [this] {
        if (detached_ || !form_) return;
        closing_ = true;
        form_->unload();
        closing_ = false;
    };
    controlOf_.insert(window_, &form.self());
    form.setObserver(this);
    laidOutScale_ = form.displayScale();

    Control& self = form.self();
    applyText(self, window_);
    applyColors(self, window_);
    applyWindowGeometry();
    // What the window does not show is not built before it shows.
    for (Control* c : form.controls()) {
        containers_.insert(c->container());
        if (c->kind() == Kind::Timer || shownInForm(*c)) {
            ensureWidget(*c);
        } else {
            pending_.insert(c);
        }
    }
    restackAll();
}

FormView::~FormView() {
    detach();
    delete window_.data();
}

FormView* FormView::of(platform::Form& form) {
    return dynamic_cast<FormView*>(form.observer());
}

QWidget* FormView::existing(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* FormView::widget(const Control& control) const {
    if (QWidget* w = existing(control)) return w;
    if (detached_ || !pending_.count(&control)) return nullptr;
    auto* self = const_cast<FormView*>(this);
    QWidget* w = self->ensureWidget(const_cast<Control&>(control));
    self->restack(control.container());
    return w;
}

// Visible up to the form, whether the form itself is shown yet or not.
bool FormView::shownInForm(const Control& c) const {
    for (const Control* p = &c; p && p != &form_->self(); p = p->container()) {
        if (!p->Visible()) return false;
    }
    return true;
}

// Builds the widgets of the hidden controls that show now and stacks them.
void FormView::buildShown() {
    std::vector<Control*> shown;
    for (const Control* c : pending_) {
        if (shownInForm(*c)) shown.push_back(const_cast<Control*>(c));
    }
    std::unordered_set<const Control*> containers;
    for (Control* c : shown) {
        ensureWidget(*c);
        containers.insert(c->container());
    }
    for (const Control* container : containers) restack(container);
}

QTimer* FormView::timer(const Control& control) const {
    auto it = timers_.find(&control);
    return it == timers_.end() ? nullptr : it->second;
}

double FormView::scale() const {
    return form_ ? form_->displayScale() : laidOutScale_;
}

QRect FormView::pixelRect(const Control& c) const {
    const double k = scale() / kTwipsPerPixel;
    // Rounding both edges keeps neighbouring boxes touching at any scale.
    const auto px = [k](double twips) { return static_cast<int>(std::lround(twips * k)); };
    const int x0 = px(c.Left()), y0 = px(c.Top());
    const int x1 = px(static_cast<double>(c.Left()) + c.Width());
    const int y1 = px(static_cast<double>(c.Top()) + c.Height());
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

Control* FormView::controlAt(QObject* object) const {
    if (detached_) return nullptr;
    return controlOf_.value(object, nullptr);
}
void FormView::propertyChanged(Control& c, Prop prop) {
    if (detached_ || writingModel_ > 0) return;
    if (&c == &form_->self()) {
        switch (prop) {
            case Prop::Text:
                applyText(c, window_);
                break;
            case Prop::Geometry:
                if (scale() != laidOutScale_) {
                    relayoutAll();
                } else {
                    applyWindowGeometry();
                }
                break;
            case Prop::BackColor:
            case Prop::ForeColor:
                applyColors(c, window_);
                break;
            case Prop::Visible:
                applyVisible(c, window_);
                break;
            case Prop::Enabled:
                window_->setEnabled(c.Enabled());
                break;
            default:
                break;
        }
        return;
    }
    if (c.kind() == Kind::Timer) {
        if (prop == Prop::Enabled || prop == Prop::Interval) applyTimer(c);
        return;
    }
    if (prop == Prop::Geometry) containers_.insert(c.container());  // it may have moved into another
    QWidget* w = existing(c);
    if (!w) {
        if ((prop == Prop::Visible || prop == Prop::Geometry) && pending_.count(&c) && shownInForm(c))
            buildShown();
        return;
    }
    switch (prop) {
        case Prop::Text:
            applyText(c, w);
            break;
        case Prop::Tag:
        case Prop::Interval:
            break;
        case Prop::Geometry:
            applyGeometry(c, w);
            break;
        case Prop::ForeColor:
        case Prop::BackColor:
            applyColors(c, w);
            break;
        case Prop::Font:
            applyFont(c, w);
            break;
        case Prop::Visible:
            applyVisible(c, w);
            if (c.Visible() && !pending_.empty() && containers_.count(&c)) buildShown();
            break;
        case Prop::Enabled:
            w->setEnabled(c.Enabled());
            break;
        case Prop::Locked:
            applyLocked(c, w);
            break;
        case Prop::ToolTipText:
            applyToolTip(c, w);
            break;
        case Prop::Items:
            applyItems(c, w);
            break;
        case Prop::Value:
            applyValue(c, w);
            break;
        case Prop::Picture:
            applyPicture(c, w);
            break;
        case Prop::Selection:
            applySelection(c, w);
            break;
        case Prop::Style:
            applyStyle(c, w);
            break;
        case Prop::ZOrder:
            restack(c.container());
            break;
    }
}

void FormView::focusRequested(Control& control) {
    if (detached_) return;
    QWidget* w = widget(control);
    if (!w) return;
    // SetFocus raises GotFocus itself; the widget's focus event, now or once the window is active, must
    // not raise it again.
    if (w->hasFocus()) return;
    focusEcho_ = &control;
    w->setFocus(Qt::OtherFocusReason);
}

void FormView::formShown(platform::Form&, bool modal) {
    if (detached_) return;
    if (modal) {
        window_->hide();
        window_->setWindowModality(Qt::ApplicationModal);
    }
    if (!shownOnce_) {
        shownOnce_ = true;
        placeOverOwner();
    }
    window_->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window_->raise();
    window_->activateWindow();
    if (!modal) return;
    // A modal form holds its caller until it is hidden or unloaded.
    QPointer<FormView> alive(this);
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (!alive) return;
    modalLoop_ = nullptr;
    if (window_) window_->setWindowModality(Qt::NonModal);
    if (deleteAfterModal_) deleteLater();
}

// A secondary window belongs to its owner: the window manager keeps it over the owner, and it first
// opens centred on it, inside the owner's screen.
void FormView::placeOverOwner() {
    platform::Form* owner = form_->owner();
    FormView* ownerView = owner ? of(*owner) : nullptr;
    QWidget* ownerWindow = ownerView ? ownerView->window() : nullptr;
    if (!ownerWindow || !ownerWindow->isVisible()) return;
    window_->winId();  // the native window, to tie it to the owner's before it maps
    if (QWindow* handle = window_->windowHandle()) handle->setTransientParent(ownerWindow->windowHandle());
    const QRect over = ownerWindow->frameGeometry();
    QRect placed(QPoint(0, 0), window_->size());
    placed.moveCenter(over.center());
    if (const QScreen* screen = ownerWindow->screen()) {
        const QRect room = screen->availableGeometry();
        placed.moveLeft(std::max(room.left(), std::min(placed.left(), room.right() - placed.width() + 1)));
        placed.moveTop(std::max(room.top(), std::min(placed.top(), room.bottom() - placed.height() + 1)));
    }
    window_->move(placed.topLeft());
}

void FormView::formHidden(platform::Form&) {
    if (detached_) return;
    window_->hide();
    if (modalLoop_) modalLoop_->exit();
}

void FormView::formUnloaded(platform::Form&) {
    if (detached_) return;
    detach();
    // Closing (not hiding) lets the program end with its last window.
    if (!closing_ && window_) window_->close();
    if (modalLoop_) {
        modalLoop_->exit();
        deleteAfterModal_ = true;
    } else {
        deleteLater();
    }
}

void FormView::formDestroyed(platform::Form& form) {
    formUnloaded(form);
}

void FormView::detach() {
    if (detached_) return;
    detached_ = true;
    for (auto& [control, t] : timers_) t->stop();
    if (form_ && form_->observer() == this) form_->setObserver(nullptr);
    form_ = nullptr;
    controlOf_.clear();
    widgets_.clear();
    timers_.clear();
    pending_.clear();
    containers_.clear();
}
}  // namespace gui
