#include "gui/picture_widgets.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace gui {

namespace {

constexpr int kButtonMargin = 4;
constexpr int kCaptionMargin = 2;        // a caption may use nearly the whole width
constexpr int kLeastPictureHeight = 16;  // below this the picture goes beside the caption

}  // namespace

PictureWidget::PictureWidget(QWidget* parent) : QFrame(parent) {}

void PictureWidget::setPicture(const Picture& picture) {
    picture_ = picture;
    update();
}

void PictureWidget::setStretch(bool stretch) {
    if (stretch_ == stretch) return;
    stretch_ = stretch;
    update();
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    picture_.paint(painter, contentsRect(), stretch_);
}

void PictureButton::setPicture(const Picture& picture) {
    picture_ = picture;
    update();
}

bool PictureButton::pictureBeside() const {
    return height() - 2 * kButtonMargin - fontMetrics().height() - 2 < kLeastPictureHeight;
}

QRect PictureButton::captionRect() const {
    if (text().isEmpty()) return {};
    const QRect inner = rect().adjusted(kCaptionMargin, kButtonMargin, -kCaptionMargin, -kButtonMargin);
    if (pictureBeside()) {
        const QRect picture = pictureRect();
        return inner.adjusted(picture.isEmpty() ? 0 : picture.right() + 2 - inner.left(), 0, 0, 0);
    }
    const int height = fontMetrics().height();
    return QRect(inner.left(), inner.bottom() - height + 1, inner.width(), height);
}

QRect PictureButton::pictureRect() const {
    if (picture_.isNull()) return {};
    QRect room = rect().adjusted(kButtonMargin, kButtonMargin, -kButtonMargin, -kButtonMargin);
    if (text().isEmpty()) return picture_.fitted(room);
    if (pictureBeside()) {
        room.setWidth(room.height());
        return picture_.fitted(room);
    }
    room.setBottom(room.bottom() - fontMetrics().height() - 2);
    return picture_.fitted(room);
}

void PictureButton::paintEvent(QPaintEvent* event) {
    if (picture_.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    if (!isEnabled()) painter.setOpacity(0.4);
    picture_.paint(painter, pictureRect(), true);
    painter.setOpacity(1);
    if (const QRect caption = captionRect(); !caption.isEmpty()) {
        painter.drawItemText(caption, Qt::AlignCenter | Qt::TextSingleLine, palette(), isEnabled(), text(),
                             QPalette::ButtonText);
    }
}

}  // namespace gui
