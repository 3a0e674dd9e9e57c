// Widgets for the controls Qt has no match for: the window surface, the captioned frame, shapes and lines.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QRadioButton>
#include <QString>
#include <QWidget>
#include <functional>

namespace gui {

// A form's window; the title-bar close asks the form to unload instead of closing by itself.
class FormWindow : public QWidget {
    Q_OBJECT
  public:
    explicit FormWindow(QWidget* parent = nullptr);
    std::function<void()> onClose;

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// A frame: an etched border with the caption standing on its top edge; children sit relative to its
// outer corner, as the designs place them.
class FrameWidget : public QWidget {
    Q_OBJECT
  public:
    explicit FrameWidget(QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    void setBorder(bool border);
    const QString& caption() const { return caption_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    bool border_ = true;
};

// Check boxes and option buttons answer a click anywhere on them, not only on the box and its text.
class CheckWidget : public QCheckBox {
    Q_OBJECT
  public:
    using QCheckBox::QCheckBox;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class OptionWidget : public QRadioButton {
    Q_OBJECT
  public:
    using QRadioButton::QRadioButton;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A rectangle: filled when it has a fill, outlined in its border colour.
class ShapeWidget : public QWidget {
    Q_OBJECT
  public:
    explicit ShapeWidget(QWidget* parent = nullptr);
    void setColors(QColor fill, QColor border, bool filled, bool outlined);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_, border_;
    bool filled_ = false, outlined_ = true;
};

// A line between two points given in the widget's own coordinates.
class LineWidget : public QWidget {
    Q_OBJECT
  public:
    explicit LineWidget(QWidget* parent = nullptr);
    void setLine(QPoint from, QPoint to, QColor color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPoint from_, to_;
    QColor color_;
};

}  // namespace gui
