// The Qt view of one form: a window with a widget per control, following every property change of the
// model at once and forwarding the user's typing, clicks, mouse moves and focus to the control's events.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <unordered_map>
#include <unordered_set>

#include "gui/widgets.h"
#include "platform/control.h"

class QEventLoop;
class QMouseEvent;
class QKeyEvent;
class QTimer;

namespace gui {

class FormView : public QObject, public platform::FormObserver {
    Q_OBJECT
  public:
    explicit FormView(platform::Form& form);
    ~FormView() override;
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    // The view attached to a form, or nullptr.
    static FormView* of(platform::Form& form);

    QWidget* window() const { return window_; }
    // The widget showing a control; nullptr for timers and controls without one. A control of a hidden
    // panel gets its widget when it first shows, or here when it is asked for.
    QWidget* widget(const platform::Control& control) const;
    QTimer* timer(const platform::Control& control) const;

    void controlCreated(platform::Control& control) override;
    void controlRemoved(platform::Control& control) override;
    void propertyChanged(platform::Control& control, platform::Prop prop) override;
    void focusRequested(platform::Control& control) override;
    void formShown(platform::Form& form, bool modal) override;
    void formHidden(platform::Form& form) override;
    void formUnloaded(platform::Form& form) override;
    void formDestroyed(platform::Form& form) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using Control = platform::Control;

    QWidget* existing(const Control& c) const;
    bool shownInForm(const Control& c) const;
    void buildShown();
    double scale() const;
    QRect pixelRect(const Control& c) const;
    QWidget* ensureWidget(Control& c);
    QWidget* makeWidget(Control& c, QWidget* parent);
    void makeTimer(Control& c);
    void watch(QWidget* w, Control& c, bool innerPart = false);
    void refreshAll(Control& c, QWidget* w);
    void relayoutAll();
    void restack(const Control* container);
    void restackAll();
    void detach();
    void placeOverOwner();

    void applyText(Control& c, QWidget* w);
    void applyGeometry(Control& c, QWidget* w);
    void applyWindowGeometry();
    void applyColors(Control& c, QWidget* w);
    void applyFont(Control& c, QWidget* w);
    void applyVisible(Control& c, QWidget* w);
    void applyLocked(Control& c, QWidget* w);
    void applyToolTip(Control& c, QWidget* w);
    void applyItems(Control& c, QWidget* w);
    void applyValue(Control& c, QWidget* w);
    void applyPicture(Control& c, QWidget* w);
    void applySelection(Control& c, QWidget* w);
    void applyStyle(Control& c, QWidget* w);
    void applyTimer(Control& c);

    Control* controlAt(QObject* object) const;
    void userEdited(QWidget* w, const std::string& text);
    void userMovedCaret(QWidget* w);
    void userChecked(QWidget* w);
    void userChoseItem(QWidget* w, int index);
    bool mouseEvent(QObject* watched, Control& c, QMouseEvent* event);
    bool keyEvent(QObject* watched, Control& c, QKeyEvent* event);
    void raiseFormMouseMove(int button, int shift, float x, float y);

    platform::Form* form_;
    QPointer<FormWindow> window_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::unordered_map<const Control*, QTimer*> timers_;
    std::unordered_set<const Control*> pending_;     // hidden when the view was built: no widget yet
    std::unordered_set<const Control*> containers_;  // controls that hold others (frames)
    QHash<QObject*, Control*> controlOf_;
    double laidOutScale_ = 1.0;
    int writingWidgets_ = 0;  // the view writes the model's values into widgets: their signals are not input
    int writingModel_ = 0;    // the view writes a widget's caret into the model: nothing to show back
    QEvent* resending_ = nullptr;
    bool afterDoubleClick_ = false;
    const Control* focusEcho_ = nullptr;
    QEventLoop* modalLoop_ = nullptr;
    bool detached_ = false;
    bool closing_ = false;
    bool deleteAfterModal_ = false;
    bool shownOnce_ = false;
};

}  // namespace gui
