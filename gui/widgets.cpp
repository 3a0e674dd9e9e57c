#include "gui/widgets.h"

#include <QCloseEvent>
#include <QPainter>
#include <algorithm>

namespace gui {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent) {}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (onClose) onClose();
    event->accept();
}

FrameWidget::FrameWidget(QWidget* parent) : QWidget(parent) {}

void FrameWidget::setCaption(const QString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    update();
}

void FrameWidget::setBorder(bool border) {
    if (border_ == border) return;
    border_ = border;
    update();
}

void FrameWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm(font());
    const int top = caption_.isEmpty() ? 0 : fm.height() / 2;
    if (border_) {
        // The etched edge: a shadow line with a light line one pixel inside.
        const QRect r = rect().adjusted(0, top, -1, -1);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(r.adjusted(1, 1, 0, 0));
    }
    if (!caption_.isEmpty()) {
        const int x = 6;
        const int width = fm.horizontalAdvance(caption_) + 4;
        const QRect text(x, 0, std::min(width, std::max(0, this->width() - x - 2)), fm.height());
        p.fillRect(text, palette().color(QPalette::Window));
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(text.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                   caption_);
    }
}

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setColors(QColor fill, QColor border, bool filled, bool outlined) {
    fill_ = fill;
    border_ = border;
    filled_ = filled;
    outlined_ = outlined;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (filled_) p.fillRect(rect(), fill_);
    if (outlined_) {
        p.setPen(border_);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

LineWidget::LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::setLine(QPoint from, QPoint to, QColor color) {
    from_ = from;
    to_ = to;
    color_ = color;
    update();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(color_);
    p.drawLine(from_, to_);
}

}  // namespace gui
