// Widgets that show pictures: the picture box and the command button with a picture.
#pragma once

#include <QFrame>
#include <QPushButton>

#include "gui/picture_files.h"

namespace gui {

// A picture box, drawn at its shown size each time it paints.
class PictureWidget : public QFrame {
    Q_OBJECT
  public:
    explicit PictureWidget(QWidget* parent = nullptr);
    void setPicture(const Picture& picture);
    void setStretch(bool stretch);
    const Picture& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Picture picture_;
    bool stretch_ = false;
};

// A button whose picture stands above its caption (beside it in a low button; alone and centred without
// one).
class PictureButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;
    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    // Where the picture is drawn, in the button's coordinates; empty without a picture.
    QRect pictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool pictureBeside() const;  // a button too low for a picture above its caption
    QRect captionRect() const;
    Picture picture_;
};

}  // namespace gui
