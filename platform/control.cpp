#include "platform/control.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "platform/runtime.h"
#include "platform/text.h"

namespace platform {

namespace {

std::function<void(const std::string&)>& errorSink() {
    static std::function<void(const std::string&)> sink = [](const std::string& message) {
        std::cerr << "Zenkor: " << message << '\n';
    };
    return sink;
}

template <typename T>
bool assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

std::function<void(const std::string&)> SetErrorSink(std::function<void(const std::string&)> sink) {
    auto previous = std::move(errorSink());
    errorSink() = sink ? std::move(sink)
                       : [](const std::string& message) { std::cerr << "Zenkor: " << message << '\n'; };
    return previous;
}

void Guard(const std::function<void()>& handler, std::string_view where) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& e) {
        errorSink()(std::string(where) + ": " + e.what());
    } catch (...) {
        errorSink()(std::string(where) + ": unknown error");
    }
}

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Form:
            return "Form";
        case Kind::TextBox:
            return "TextBox";
        case Kind::Label:
            return "Label";
        case Kind::CommandButton:
            return "CommandButton";
        case Kind::CheckBox:
            return "CheckBox";
        case Kind::OptionButton:
            return "OptionButton";
        case Kind::ComboBox:
            return "ComboBox";
        case Kind::ListBox:
            return "ListBox";
        case Kind::Frame:
            return "Frame";
        case Kind::Image:
            return "Image";
        case Kind::Shape:
            return "Shape";
        case Kind::Line:
            return "Line";
        case Kind::Timer:
            return "Timer";
    }
    return "?";
}

Control::Control(Form& form, Kind kind, std::string name, int index, Control* container)
    : form_(&form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
    switch (kind) {
        case Kind::Label:
        case Kind::Frame:
        case Kind::CheckBox:
        case Kind::OptionButton:
        case Kind::Form:
        case Kind::CommandButton:
            backColor_ = kButtonFace;
            borderStyle_ = kind == Kind::Label ? BorderStyle::None : BorderStyle::FixedSingle;
            break;
        case Kind::Image:
        case Kind::Line:
        case Kind::Shape:
            borderStyle_ = BorderStyle::None;
            backStyle_ = BackStyle::Transparent;
            break;
        case Kind::Timer:
            enabled_ = true;
            break;
        default:
            break;
    }
}

void Control::setContainer(Control* container) {
    container_ = container;
    notify(Prop::Geometry);
}

std::string Control::displayName() const {
    return index_ >= 0 ? name_ + "(" + std::to_string(index_) + ")" : name_;
}

void Control::notify(Prop prop) {
    if (detached_) return;
    if (auto* obs = form_->observer()) obs->propertyChanged(*this, prop);
}

void Control::setText(std::string_view text) {
    if (text_ == text) return;
    text_.assign(text);
    const int len = Len(text_);
    if (selStart_ > len) selStart_ = len;
    if (selStart_ + selLength_ > len) selLength_ = len - selStart_;
    notify(Prop::Text);
    raiseChange();
}

void Control::setCaption(std::string_view caption) {
    setText(caption);
}

void Control::setTag(std::string_view tag) {
    if (tag_ == tag) return;
    tag_.assign(tag);
    notify(Prop::Tag);
}

void Control::setLeft(int v) {
    if (assign(left_, v)) notify(Prop::Geometry);
}
void Control::setTop(int v) {
    if (assign(top_, v)) notify(Prop::Geometry);
}
void Control::setWidth(int v) {
    if (assign(width_, std::max(0, v))) notify(Prop::Geometry);
}
void Control::setHeight(int v) {
    if (assign(height_, std::max(0, v))) notify(Prop::Geometry);
}
void Control::move(int left, int top, int width, int height) {
    bool changed = assign(left_, left);
    changed |= assign(top_, top);
    changed |= assign(width_, std::max(0, width));
    changed |= assign(height_, std::max(0, height));
    if (changed) notify(Prop::Geometry);
}
void Control::setLine(int x1, int y1, int x2, int y2) {
    bool changed = assign(left_, x1);
    changed |= assign(top_, y1);
    changed |= assign(x2_, x2);
    changed |= assign(y2_, y2);
    if (changed) notify(Prop::Geometry);
}

void Control::setForeColor(Color c) {
    if (assign(foreColor_, c)) notify(Prop::ForeColor);
}
void Control::setBackColor(Color c) {
    if (assign(backColor_, c)) notify(Prop::BackColor);
}
void Control::setFontBold(bool v) {
    if (assign(fontBold_, v)) notify(Prop::Font);
}
void Control::setFontItalic(bool v) {
    if (assign(fontItalic_, v)) notify(Prop::Font);
}
void Control::setFontUnderline(bool v) {
    if (assign(fontUnderline_, v)) notify(Prop::Font);
}
void Control::setFontSize(double v) {
    if (assign(fontSize_, v)) notify(Prop::Font);
}
void Control::setFontName(std::string_view v) {
    if (fontName_ == v) return;
    fontName_.assign(v);
    notify(Prop::Font);
}

void Control::setVisible(bool v) {
    if (assign(visible_, v)) notify(Prop::Visible);
}

bool Control::shownOnForm() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->visible_) return false;
    }
    return true;
}

void Control::setEnabled(bool v) {
    if (assign(enabled_, v)) notify(Prop::Enabled);
}
void Control::setLocked(bool v) {
    if (assign(locked_, v)) notify(Prop::Locked);
}
void Control::setToolTipText(std::string_view v) {
    if (toolTip_ == v) return;
    toolTip_.assign(v);
    notify(Prop::ToolTipText);
}
void Control::setAlignment(platform::Alignment v) {
    if (assign(alignment_, v)) notify(Prop::Style);
}
void Control::setMultiLine(bool v) {
    if (assign(multiLine_, v)) notify(Prop::Style);
}
void Control::setScrollBars(platform::ScrollBars v) {
    if (assign(scrollBars_, v)) notify(Prop::Style);
}
void Control::setBorderStyle(platform::BorderStyle v) {
    if (assign(borderStyle_, v)) notify(Prop::Style);
}
void Control::setBackStyle(platform::BackStyle v) {
    if (assign(backStyle_, v)) notify(Prop::Style);
}
void Control::setFillColor(Color c) {
    if (assign(fillColor_, c)) notify(Prop::Style);
}
void Control::setBorderColor(Color c) {
    if (assign(borderColor_, c)) notify(Prop::Style);
}
void Control::setMousePointer(Pointer v) {
    if (assign(mousePointer_, v)) notify(Prop::Style);
}

void Control::setSelStart(int v) {
    const int len = Len(text_);
    v = std::clamp(v, 0, len);
    bool changed = assign(selStart_, v);
    changed |= assign(selLength_, 0);
    if (changed) notify(Prop::Selection);
}

void Control::setSelLength(int v) {
    const int len = Len(text_);
    v = std::clamp(v, 0, len - selStart_);
    if (assign(selLength_, v)) notify(Prop::Selection);
}

std::string Control::SelText() const {
    return Mid(text_, selStart_ + 1, selLength_);
}

void Control::setSelText(std::string_view replacement) {
    const std::string before = platform::Left(text_, selStart_);
    const std::string after = Mid(text_, selStart_ + selLength_ + 1);
    const int caret = selStart_ + Len(replacement);
    setText(before + std::string(replacement) + after);
    selStart_ = std::min(caret, Len(text_));
    selLength_ = 0;
    notify(Prop::Selection);
}

void Control::setValue(int v) {
    if (!assign(value_, v)) return;
    notify(Prop::Value);
    // Ticking a box or choosing an option is a click for its handler.
    if (kind_ == Kind::CheckBox || (kind_ == Kind::OptionButton && v != 0)) raiseClick();
}

void Control::setPicture(std::string_view path) {
    if (picture_ == path) return;
    picture_.assign(path);
    notify(Prop::Picture);
}
void Control::setStretch(bool v) {
    if (assign(stretch_, v)) notify(Prop::Style);
}

void Control::setSorted(bool v) {
    sorted_ = v;
    if (sorted_) {
        std::stable_sort(items_.begin(), items_.end(), [](const std::string& a, const std::string& b) {
            return CompareListText(a, b) < 0;
        });
        notify(Prop::Items);
    }
}

const std::string& Control::List(int i) const {
    static const std::string empty;
    if (i < 0 || i >= ListCount()) return empty;
    return items_[static_cast<size_t>(i)];
}

void Control::AddItem(std::string_view item) {
    if (sorted_) {
        auto pos = std::upper_bound(
            items_.begin(), items_.end(), item,
            [](std::string_view a, const std::string& b) { return CompareListText(a, b) < 0; });
        const auto at = pos - items_.begin();
        items_.insert(pos, std::string(item));
        selected_.insert(selected_.begin() + at, false);
        if (listIndex_ >= at) ++listIndex_;
    } else {
        items_.emplace_back(item);
        selected_.push_back(false);
    }
    notify(Prop::Items);
}

void Control::AddItem(std::string_view item, int position) {
    if (sorted_ || position < 0 || position > ListCount()) {
        AddItem(item);
        return;
    }
    items_.insert(items_.begin() + position, std::string(item));
    selected_.insert(selected_.begin() + position, false);
    if (listIndex_ >= position) ++listIndex_;
    notify(Prop::Items);
}

void Control::RemoveItem(int i) {
    if (i < 0 || i >= ListCount()) return;
    items_.erase(items_.begin() + i);
    selected_.erase(selected_.begin() + i);
    if (listIndex_ == i) {
        listIndex_ = -1;
    } else if (listIndex_ > i) {
        --listIndex_;
    }
    notify(Prop::Items);
}

void Control::Clear() {
    if (items_.empty() && listIndex_ == -1) return;
    items_.clear();
    selected_.clear();
    listIndex_ = -1;
    notify(Prop::Items);
    if (kind_ == Kind::ComboBox) setText("");
}

void Control::setListIndex(int i) {
    if (i < -1 || i >= ListCount()) return;
    const bool changed = assign(listIndex_, i);
    if (changed) {
        std::fill(selected_.begin(), selected_.end(), false);
        if (i >= 0) selected_[static_cast<size_t>(i)] = true;
        notify(Prop::Items);
    }
    if (kind_ == Kind::ComboBox && i >= 0) setText(items_[static_cast<size_t>(i)]);
    if (changed) raiseClick();
}

bool Control::Selected(int i) const {
    if (i < 0 || i >= ListCount()) return false;
    return selected_[static_cast<size_t>(i)];
}

void Control::setSelected(int i, bool v) {
    if (i < 0 || i >= ListCount()) return;
    if (selected_[static_cast<size_t>(i)] == v) return;
    selected_[static_cast<size_t>(i)] = v;
    if (v) listIndex_ = i;
    notify(Prop::Items);
}

std::string Control::listText() const {
    return listIndex_ >= 0 ? List(listIndex_) : std::string();
}

void Control::setInterval(int ms) {
    if (assign(interval_, std::max(0, ms))) notify(Prop::Interval);
}

void Control::ZOrderFront() {
    form_->bringToFront(*this);
}

template <typename Handler>
void Control::guarded(const Handler& handler, const char* event) {
    // The handler's name is only spelt out when it fails.
    try {
        handler();
    } catch (const std::exception& e) {
        errorSink()(displayName() + event + ": " + e.what());
    } catch (...) {
        errorSink()(displayName() + event + ": unknown error");
    }
}

void Control::raiseChange() {
    if (Change && !detached_) guarded(Change, "_Change");
}
void Control::raiseClick() {
    if (Click && !detached_) guarded(Click, "_Click");
}
void Control::raiseDblClick() {
    if (DblClick && !detached_) guarded(DblClick, "_DblClick");
}
void Control::raiseGotFocus() {
    if (GotFocus && !detached_) guarded(GotFocus, "_GotFocus");
}
void Control::raiseLostFocus() {
    if (LostFocus && !detached_) guarded(LostFocus, "_LostFocus");
}
void Control::raiseMouseDown(int button, int shift, float x, float y) {
    if (MouseDown && !detached_) guarded([&] { MouseDown(button, shift, x, y); }, "_MouseDown");
}
void Control::raiseMouseUp(int button, int shift, float x, float y) {
    if (MouseUp && !detached_) guarded([&] { MouseUp(button, shift, x, y); }, "_MouseUp");
}
void Control::raiseMouseMove(int button, int shift, float x, float y) {
    if (MouseMove && !detached_) guarded([&] { MouseMove(button, shift, x, y); }, "_MouseMove");
}
void Control::raiseKeyPress(int& keyAscii) {
    if (KeyPress && !detached_) guarded([&] { KeyPress(keyAscii); }, "_KeyPress");
}

void Control::tick() {
    if (kind_ == Kind::Timer && enabled_ && Timer && !detached_) guarded(Timer, "_Timer");
}

void Control::SetFocus() {
    if (detached_) return;
    form_->setFocused(this);
    if (auto* obs = form_->observer()) obs->focusRequested(*this);
    raiseGotFocus();
}

void Control::copyDesignFrom(const Control& o) {
    text_ = o.text_;
    tag_ = o.tag_;
    left_ = o.left_;
    top_ = o.top_;
    width_ = o.width_;
    height_ = o.height_;
    x2_ = o.x2_;
    y2_ = o.y2_;
    foreColor_ = o.foreColor_;
    backColor_ = o.backColor_;
    fontBold_ = o.fontBold_;
    fontItalic_ = o.fontItalic_;
    fontUnderline_ = o.fontUnderline_;
    fontSize_ = o.fontSize_;
    fontName_ = o.fontName_;
    visible_ = false;  // a member created at run time starts hidden
    enabled_ = o.enabled_;
    locked_ = o.locked_;
    toolTip_ = o.toolTip_;
    alignment_ = o.alignment_;
    multiLine_ = o.multiLine_;
    scrollBars_ = o.scrollBars_;
    borderStyle_ = o.borderStyle_;
    backStyle_ = o.backStyle_;
    fillColor_ = o.fillColor_;
    borderColor_ = o.borderColor_;
    mousePointer_ = o.mousePointer_;
    picture_ = o.picture_;
    stretch_ = o.stretch_;
    sorted_ = o.sorted_;
    interval_ = o.interval_;
    Change = o.Change;
    Click = o.Click;
    DblClick = o.DblClick;
    GotFocus = o.GotFocus;
    LostFocus = o.LostFocus;
    Timer = o.Timer;
    MouseDown = o.MouseDown;
    MouseUp = o.MouseUp;
    MouseMove = o.MouseMove;
    KeyPress = o.KeyPress;
}

// ---------------------------------------------------------------------------------------------------------

Form::Form(std::string name) : name_(std::move(name)) {
    self_ = std::make_unique<Control>(*this, Kind::Form, name_, -1, nullptr);
    self_->setBackColor(kButtonFace);
    sink_ = std::make_unique<Control>(*this, Kind::Label, "", -1, nullptr);
    sink_->detached_ = true;
}

Form::~Form() {
    if (observer_) observer_->formDestroyed(*this);
}

namespace {

// Indexes beyond this are found through the ordered members only.
constexpr int kMostSlots = 4096;

}  // namespace

void Form::Members::place(int index, Control* control) {
    if (index < -1 || index >= kMostSlots) return;
    const auto slot = static_cast<size_t>(index + 1);
    if (bySlot.size() <= slot) bySlot.resize(slot + 1, nullptr);
    bySlot[slot] = control;
}

Control& Form::add(Kind kind, std::string_view name, int index, Control* container) {
    auto found = byName_.find(name);
    if (found == byName_.end()) found = byName_.emplace(std::string(name), Members{}).first;
    Members& members = found->second;
    if (auto it = members.byIndex.find(index); it != members.byIndex.end()) return *it->second;
    auto control =
        std::make_unique<Control>(*this, kind, std::string(name), index, container ? container : self_.get());
    Control& ref = *control;
    members.byIndex.emplace(index, std::move(control));
    members.place(index, &ref);
    order_.push_back(&ref);
    notifyCreated(ref);
    return ref;
}

Control& Form::add(Kind kind, std::string_view name, int index, std::string_view containerName) {
    Control* container = containerName.empty() ? nullptr : find(containerName);
    return add(kind, name, index, container);
}

Control* Form::load(std::string_view name, int index) {
    auto it = byName_.find(name);
    if (it == byName_.end() || it->second.byIndex.empty() || index < 0) return nullptr;
    auto& members = it->second.byIndex;
    if (members.count(index) != 0) return nullptr;
    const Control& lowest = *members.begin()->second;
    if (lowest.index() < 0) return nullptr;
    auto control =
        std::make_unique<Control>(*this, lowest.kind(), std::string(name), index, lowest.container());
    control->copyDesignFrom(lowest);
    Control& ref = *control;
    members.emplace(index, std::move(control));
    it->second.place(index, &ref);
    order_.push_back(&ref);
    notifyCreated(ref);
    return &ref;
}

bool Form::unloadMember(std::string_view name, int index) {
    auto it = byName_.find(name);
    if (it == byName_.end()) return false;
    auto& members = it->second.byIndex;
    auto member = members.find(index);
    if (member == members.end() || member == members.begin()) return false;
    Control* c = member->second.get();
    c->setVisible(false);
    if (observer_) observer_->controlRemoved(*c);
    order_.erase(std::remove(order_.begin(), order_.end(), c), order_.end());
    if (focused_ == c) focused_ = nullptr;
    it->second.place(index, nullptr);
    members.erase(member);
    return true;
}

Control* Form::find(std::string_view name, int index) {
    auto it = byName_.find(name);
    if (it == byName_.end()) return nullptr;
    const Members& members = it->second;
    if (index >= -1 && index < kMostSlots) {
        const auto slot = static_cast<size_t>(index + 1);
        return slot < members.bySlot.size() ? members.bySlot[slot] : nullptr;
    }
    auto member = members.byIndex.find(index);
    return member == members.byIndex.end() ? nullptr : member->second.get();
}

Control& Form::ctl(std::string_view name, int index) {
    if (Control* c = find(name, index)) return *c;
    // One sink for the form's life: a reference a handler still holds to an earlier miss stays valid.
    errorSink()("no control " +
                (index >= 0 ? std::string(name) + "(" + std::to_string(index) + ")" : std::string(name)) +
                " in " + name_);
    return *sink_;
}

bool Form::exists(std::string_view name, int index) {
    return find(name, index) != nullptr;
}

std::vector<int> Form::indexes(std::string_view name) {
    std::vector<int> result;
    auto it = byName_.find(name);
    if (it == byName_.end()) return result;
    for (const auto& [index, control] : it->second.byIndex) result.push_back(index);
    return result;
}

std::vector<Control*> Form::children(const Control* container) const {
    std::vector<Control*> result;
    for (Control* c : order_) {
        if (c->container() == container) result.push_back(c);
    }
    return result;
}

void Form::show(bool modal) {
    modal_ = modal;
    if (!observer_) AttachView(*this);
    if (!loaded_) {
        loaded_ = true;
        if (Load) Guard(Load, name_ + "_Load");
    }
    self_->setVisible(true);
    if (observer_) observer_->formShown(*this, modal);
}

void Form::hide() {
    self_->setVisible(false);
    if (observer_) observer_->formHidden(*this);
}

void Form::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (Unload) Guard(Unload, name_ + "_Unload");
    self_->setVisible(false);
    if (observer_) observer_->formUnloaded(*this);
}

void Form::bringToFront(Control& control) {
    auto it = std::find(order_.begin(), order_.end(), &control);
    if (it == order_.end()) return;
    order_.erase(it);
    order_.push_back(&control);
    if (observer_) observer_->propertyChanged(control, Prop::ZOrder);
}

void Form::setDisplayScale(double scale) {
    if (displayScale_ == scale) return;
    displayScale_ = scale;
    if (observer_) observer_->propertyChanged(*self_, Prop::Geometry);
}

void Form::notifyCreated(Control& control) {
    if (observer_) observer_->controlCreated(control);
}

}  // namespace platform
