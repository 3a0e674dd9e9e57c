// The control model: every window is a Form holding named controls (single ones and arrays addressed by
// name and index). Controls are the program's data model; a view (the Qt front end, or none in tests)
// observes property changes and forwards user input to the same entry points a handler would use.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/colors.h"
#include "platform/pointer.h"
#include "platform/styles.h"

namespace platform {

enum class Kind {
    Form,
    TextBox,
    Label,
    CommandButton,
    CheckBox,
    OptionButton,
    ComboBox,
    ListBox,
    Frame,
    Image,
    Shape,
    Line,
    Timer,
};

const char* KindName(Kind kind);

// Which property a view must refresh.
enum class Prop {
    Text,  // Text of text and combo boxes, Caption of everything else
    Tag,
    Geometry,  // Left, Top, Width, Height, X1..Y2
    ForeColor,
    BackColor,
    Font,  // FontBold, FontSize, FontName, FontItalic, FontUnderline
    Visible,
    Enabled,
    Locked,
    ToolTipText,
    Items,  // list and combo items, ListIndex, Selected
    Value,
    Picture,
    Selection,  // SelStart, SelLength
    Style,      // Alignment, BorderStyle, BackStyle, MultiLine, FillColor, BorderColor, Stretch, MousePointer
    ZOrder,
    Interval,
};

class Form;

class Control {
  public:
    Control(Form& form, Kind kind, std::string name, int index, Control* container);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Identity.
    Form& form() const { return *form_; }
    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when the control is not a member of an array
    bool isArrayMember() const { return index_ >= 0; }
    Control* container() const { return container_; }
    void setContainer(Control* container);
    std::string displayName() const;  // "ButA(3)" or "Text1"

    // Text of text and combo boxes; setting a different value runs Change at once, re-entrantly.
    const std::string& Text() const { return text_; }
    void setText(std::string_view text);
    // Caption of labels, frames, buttons, check boxes and forms; labels with a Change handler run it.
    const std::string& Caption() const { return text_; }
    void setCaption(std::string_view caption);

    const std::string& Tag() const { return tag_; }
    void setTag(std::string_view tag);

    // Geometry in twips, relative to the container.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    void move(int left, int top, int width, int height);
    // Lines.
    int X1() const { return left_; }
    int Y1() const { return top_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void setLine(int x1, int y1, int x2, int y2);

    Color ForeColor() const { return foreColor_; }
    Color BackColor() const { return backColor_; }
    void setForeColor(Color c);
    void setBackColor(Color c);

    bool FontBold() const { return fontBold_; }
    bool FontItalic() const { return fontItalic_; }
    bool FontUnderline() const { return fontUnderline_; }
    double FontSize() const { return fontSize_; }
    const std::string& FontName() const { return fontName_; }
    void setFontBold(bool v);
    void setFontItalic(bool v);
    void setFontUnderline(bool v);
    void setFontSize(double v);
    void setFontName(std::string_view v);

    bool Visible() const { return visible_; }
    void setVisible(bool v);
    // Whether the control and every container up to the form are visible.
    bool shownOnForm() const;
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool Locked() const { return locked_; }
    void setLocked(bool v);
    const std::string& ToolTipText() const { return toolTip_; }
    void setToolTipText(std::string_view v);

    platform::Alignment Alignment() const { return alignment_; }
    void setAlignment(platform::Alignment v);
    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool v);
    // Of a multi-line box.
    platform::ScrollBars ScrollBars() const { return scrollBars_; }
    void setScrollBars(platform::ScrollBars v);
    platform::BorderStyle BorderStyle() const { return borderStyle_; }
    void setBorderStyle(platform::BorderStyle v);
    platform::BackStyle BackStyle() const { return backStyle_; }
    void setBackStyle(platform::BackStyle v);
    Color FillColor() const { return fillColor_; }
    void setFillColor(Color c);
    Color BorderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    Pointer MousePointer() const { return mousePointer_; }
    void setMousePointer(Pointer v);

    // Text selection of text boxes, in characters.
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void setSelStart(int v);
    void setSelLength(int v);
    std::string SelText() const;
    void setSelText(std::string_view replacement);

    // Check box: 0 unticked, 1 ticked, 2 greyed. Option button: 0 or 1.
    int Value() const { return value_; }
    void setValue(int v);

    // Pictures: a file path ("" for none); Stretch scales it to the control.
    const std::string& Picture() const { return picture_; }
    void setPicture(std::string_view path);
    bool Stretch() const { return stretch_; }
    void setStretch(bool v);

    // List and combo boxes.
    bool Sorted() const { return sorted_; }
    void setSorted(bool v);  // a design setting: sorts the items it already holds
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int i) const;  // "" outside the range
    const std::vector<std::string>& items() const { return items_; }
    void AddItem(std::string_view item);  // sorted lists put it in place
    void AddItem(std::string_view item, int position);
    void RemoveItem(int i);
    void Clear();
    int ListIndex() const { return listIndex_; }
    void setListIndex(int i);  // combo boxes take the item's text (Change runs), then Click runs
    bool Selected(int i) const;
    void setSelected(int i, bool v);
    // List box Text is the selected item.
    std::string listText() const;

    // Timers.
    int Interval() const { return interval_; }
    void setInterval(int ms);

    // Stacking within the container: bring to the front of its siblings.
    void ZOrderFront();

    // Events. Array members receive their index through the bound handler.
    std::function<void()> Change;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> Timer;
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    std::function<void(int button, int shift, float x, float y)> MouseUp;
    std::function<void(int button, int shift, float x, float y)> MouseMove;
    std::function<void(int& keyAscii)> KeyPress;

    // Raise an event as the user or the runtime would: guarded, so no exception leaves a handler.
    void raiseChange();
    void raiseClick();
    void raiseDblClick();
    void raiseGotFocus();
    void raiseLostFocus();
    void raiseMouseDown(int button, int shift, float x, float y);
    void raiseMouseUp(int button, int shift, float x, float y);
    void raiseMouseMove(int button, int shift, float x, float y);
    void raiseKeyPress(int& keyAscii);
    // A timer tick: runs the Timer handler only while the timer is enabled.
    void tick();
    // Focus requested by the program; the view moves the keyboard focus.
    void SetFocus();

    // Copies the design properties of another control (used when an array member is created at run time).
    void copyDesignFrom(const Control& other);

  private:
    friend class Form;
    void notify(Prop prop);
    template <typename Handler>
    void guarded(const Handler& handler, const char* event);

    Form* form_;
    Kind kind_;
    std::string name_;
    int index_;
    Control* container_;

    std::string text_;
    std::string tag_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0, x2_ = 0, y2_ = 0;
    Color foreColor_ = kBlack;
    Color backColor_ = kWhite;
    bool fontBold_ = false, fontItalic_ = false, fontUnderline_ = false;
    double fontSize_ = 8.25;
    std::string fontName_ = "MS Sans Serif";
    bool visible_ = true, enabled_ = true, locked_ = false;
    std::string toolTip_;
    platform::Alignment alignment_ = Alignment::Left;
    bool multiLine_ = false;
    platform::ScrollBars scrollBars_ = ScrollBars::None;
    platform::BorderStyle borderStyle_ = BorderStyle::FixedSingle;
    platform::BackStyle backStyle_ = BackStyle::Opaque;
    Color fillColor_ = kBlack;
    Color borderColor_ = kBlack;
    Pointer mousePointer_ = Pointer::Default;
    int selStart_ = 0, selLength_ = 0;
    int value_ = 0;
    std::string picture_;
    bool stretch_ = false;
    bool sorted_ = false;
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    int listIndex_ = -1;
    int interval_ = 0;
    bool detached_ = false;  // the form's sink for missed lookups
};

// What a view needs to know of a form's life and of every property change.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void controlCreated(Control& control) = 0;
    virtual void propertyChanged(Control& control, Prop prop) = 0;
    virtual void focusRequested(Control& control) = 0;
    virtual void formShown(Form& form, bool modal) = 0;
    virtual void formHidden(Form& form) = 0;
    virtual void formUnloaded(Form& form) = 0;
    // A run-time member removed by unloadMember, told before it is destroyed.
    virtual void controlRemoved(Control& control) {}
    // The form is being destroyed while still observed; its controls are still alive during the call.
    virtual void formDestroyed(Form& form) {}
};

// A window: its own control (kind Form, for Caption, size, colours and form events) and its controls in
// creation order, which is also their stacking order (later ones on top) within a container.
class Form {
  public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    Control& self() { return *self_; }
    const Control& self() const { return *self_; }

    // Design: add a control (index -1 for a single control). Returns the existing one when the name and
    // index are taken (a design is built once).
    Control& add(Kind kind, std::string_view name, int index = -1, Control* container = nullptr);
    Control& add(Kind kind, std::string_view name, int index, std::string_view containerName);
    // Run-time creation of an array member from the lowest existing member ("Load ctl(i)"); refused
    // (nullptr) when the member exists or the array does not.
    Control* load(std::string_view name, int index);
    // Removes a run-time created array member; design members stay.
    bool unloadMember(std::string_view name, int index);

    // Lookups. find() gives nullptr for an absent control. ctl() reports an absent one to the error sink
    // and gives the form's detached sink: it stays valid, shows nothing and runs no handler, so that a
    // program bug cannot crash the window.
    Control* find(std::string_view name, int index = -1);
    Control& ctl(std::string_view name, int index = -1);
    Control& operator()(std::string_view name, int index = -1) { return ctl(name, index); }
    bool exists(std::string_view name, int index = -1);
    std::vector<int> indexes(std::string_view name);                  // ascending
    const std::vector<Control*>& controls() const { return order_; }  // creation order
    std::vector<Control*> children(const Control* container) const;

    // The window this one opens over (the main window, for its secondary windows); nullptr for none.
    Form* owner() const { return owner_; }
    void setOwner(Form* owner) { owner_ = owner; }

    void setObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* observer() const { return observer_; }

    // Life cycle. Load runs once, before the first Show; Unload runs Form_Unload and detaches the view.
    std::function<void()> Load;
    std::function<void()> Unload;
    std::function<void(int button, int shift, float x, float y)> MouseMove;
    void show(bool modal = false);
    void hide();
    void unload();
    bool loaded() const { return loaded_; }
    bool unloaded() const { return unloaded_; }
    bool isModal() const { return modal_; }

    // Brings a control to the front of its siblings.
    void bringToFront(Control& control);

    // The focus as the view reports it; SetFocus asks the view.
    Control* focused() const { return focused_; }
    void setFocused(Control* control) { focused_ = control; }

    // Display scale of the whole window (compact mode): the view multiplies positions and fonts.
    double displayScale() const { return displayScale_; }
    void setDisplayScale(double scale);

  private:
    friend class Control;
    void notifyCreated(Control& control);

    // The members of one name: ordered by index, and by slot for the lookups that handlers run all the
    // time (slot 0 is the single control, slot i + 1 the member i).
    struct Members {
        std::map<int, std::unique_ptr<Control>> byIndex;
        std::vector<Control*> bySlot;
        void place(int index, Control* control);
    };
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::string name_;
    std::unique_ptr<Control> self_;
    std::unordered_map<std::string, Members, NameHash, std::equal_to<>> byName_;
    std::vector<Control*> order_;
    std::unique_ptr<Control> sink_;
    FormObserver* observer_ = nullptr;
    Form* owner_ = nullptr;
    Control* focused_ = nullptr;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool modal_ = false;
    double displayScale_ = 1.0;
};

// Runs a handler so that no exception escapes it: the window keeps running, the error is reported to
// the error sink (stderr by default, a list in tests).
void Guard(const std::function<void()>& handler, std::string_view where);
// Replaces the error sink (nullptr: standard error) and gives back the one it replaces.
std::function<void(const std::string&)> SetErrorSink(std::function<void(const std::string&)> sink);

}  // namespace platform
