// Model to widgets: each property of a control written into its widget.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "gui/colors.h"
#include "gui/design_units.h"
#include "gui/form_view.h"
#include "gui/picture_files.h"
#include "gui/picture_widgets.h"
#include "gui/view_text.h"

namespace gui {

using platform::Control;
using platform::Kind;

namespace {

Qt::CursorShape CursorOf(platform::Pointer pointer) {
    using P = platform::Pointer;
    switch (pointer) {
        case P::Cross:
            return Qt::CrossCursor;
        case P::IBeam:
            return Qt::IBeamCursor;
        case P::Size:
        case P::SizeAll:
            return Qt::SizeAllCursor;
        case P::SizeNESW:
            return Qt::SizeBDiagCursor;
        case P::SizeNS:
            return Qt::SizeVerCursor;
        case P::SizeNWSE:
            return Qt::SizeFDiagCursor;
        case P::SizeWE:
            return Qt::SizeHorCursor;
        case P::UpArrow:
            return Qt::UpArrowCursor;
        case P::Hourglass:
            return Qt::WaitCursor;
        case P::NoDrop:
            return Qt::ForbiddenCursor;
        case P::ArrowHourglass:
            return Qt::BusyCursor;
        case P::ArrowQuestion:
            return Qt::WhatsThisCursor;
        case P::Hand:
            return Qt::PointingHandCursor;
        case P::Default:
        case P::Arrow:
            break;
    }
    return Qt::ArrowCursor;
}

Qt::Alignment HorizontalAlignment(platform::Alignment alignment) {
    switch (alignment) {
        case platform::Alignment::Right:
            return Qt::AlignRight;
        case platform::Alignment::Center:
            return Qt::AlignHCenter;
        case platform::Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

void FormView::applyText(Control& c, QWidget* w) {
    const std::string& text = c.Text();
    ++writingWidgets_;
    if (w == window_) {
        window_->setWindowTitle(Q(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text().toStdString() != text) {
            edit->setText(Q(text));
            applySelection(c, w);
        }
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        if (ToModelLines(multi->toPlainText()) != text) {
            multi->setPlainText(ToWidgetLines(text));
            applySelection(c, w);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->currentText().toStdString() != text) combo->setEditText(Q(text));
    } else if (auto* frame = qobject_cast<FrameWidget*>(w)) {
        frame->setCaption(Q(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(Q(text));
    } else if (c.kind() == Kind::Label) {
        static_cast<QLabel*>(w)->setText(Q(text));
    }
    --writingWidgets_;
}

void FormView::applyGeometry(Control& c, QWidget* w) {
    if (w == window_) return;
    // A control moved to another container follows it.
    QWidget* parent = window_;
    if (Control* container = c.container(); container && container != &form_->self()) {
        if (QWidget* p = widget(*container)) parent = p;
    }
    if (w->parentWidget() != parent) {
        w->setParent(parent);
        applyVisible(c, w);
        restack(c.container());
    }
    if (c.kind() == Kind::Line) {
        const double k = scale() / kTwipsPerPixel;
        const QPoint a(static_cast<int>(std::lround(c.X1() * k)), static_cast<int>(std::lround(c.Y1() * k)));
        const QPoint b(static_cast<int>(std::lround(c.X2() * k)), static_cast<int>(std::lround(c.Y2() * k)));
        const QRect box = QRect(a, b).normalized().adjusted(-1, -1, 1, 1);
        w->setGeometry(box);
        static_cast<LineWidget*>(w)->setLine(a - box.topLeft(), b - box.topLeft(),
                                             ToQColor(c.BorderColor(), QApplication::palette()));
        return;
    }
    w->setGeometry(pixelRect(c));
}

void FormView::applyWindowGeometry() {
    const QRect r = pixelRect(form_->self());
    window_->resize(std::max(r.width(), 1), std::max(r.height(), 1));
}

void FormView::applyColors(Control& c, QWidget* w) {
    const QPalette& app = QApplication::palette();
    const QColor fore = ToQColor(c.ForeColor(), app);
    const QColor back = ToQColor(c.BackColor(), app);
    QPalette pal = w->palette();
    auto set = [&pal](QPalette::ColorRole role, const QColor& color, bool evenDisabled) {
        pal.setColor(QPalette::Active, role, color);
        pal.setColor(QPalette::Inactive, role, color);
        if (evenDisabled) pal.setColor(QPalette::Disabled, role, color);
    };
    switch (c.kind()) {
        case Kind::TextBox:
        case Kind::ComboBox:
        case Kind::ListBox:
            set(QPalette::Base, back, true);
            set(QPalette::Text, fore, false);
            break;
        case Kind::CommandButton:
            set(QPalette::Button, back, true);
            set(QPalette::ButtonText, fore, false);
            break;
        case Kind::Label:
        case Kind::CheckBox:
        case Kind::OptionButton:
        case Kind::Frame:
        case Kind::Form:
            set(QPalette::Window, back, true);
            set(QPalette::WindowText, fore, false);
            break;
        case Kind::Shape: {
            // Without a fill style in the model: a fill colour other than black fills, else an opaque
            // back style fills with the back colour; the outline is always drawn.
            const bool filled =
                c.FillColor() != platform::kBlack || c.BackStyle() == platform::BackStyle::Opaque;
            const QColor fill = c.FillColor() != platform::kBlack ? ToQColor(c.FillColor(), app) : back;
            static_cast<ShapeWidget*>(w)->setColors(fill, ToQColor(c.BorderColor(), app), filled, true);
            return;
        }
        case Kind::Line:
            applyGeometry(c, w);
            return;
        case Kind::Image:
        case Kind::Timer:
            return;
    }
    if (pal != w->palette()) w->setPalette(pal);
}

void FormView::applyFont(Control& c, QWidget* w) {
    if (w == window_ || c.kind() == Kind::Shape || c.kind() == Kind::Line || c.kind() == Kind::Image) return;
    const QFont font = ControlFont(c, scale());
    if (font != w->font()) w->setFont(font);
}

void FormView::applyVisible(Control& c, QWidget* w) {
    if (w == window_) {
        if (!c.Visible()) {
            window_->hide();
            if (modalLoop_) modalLoop_->exit();
        } else if (!window_->isVisible()) {
            window_->show();
        }
        return;
    }
    if (w->isHidden() == c.Visible()) w->setVisible(c.Visible());
}

void FormView::applyLocked(Control& c, QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setReadOnly(c.Locked());
    if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) multi->setReadOnly(c.Locked());
    if (auto* combo = qobject_cast<QComboBox*>(w)) combo->lineEdit()->setReadOnly(c.Locked());
}

void FormView::applyToolTip(Control& c, QWidget* w) {
    const QString tip = PlainToolTip(c.ToolTipText());
    if (w->toolTip() != tip) w->setToolTip(tip);
}

void FormView::applyItems(Control& c, QWidget* w) {
    QStringList items;
    items.reserve(c.ListCount());
    for (const std::string& item : c.items()) items.push_back(Q(item));
    ++writingWidgets_;
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        bool same = list->count() == items.size();
        for (int i = 0; same && i < list->count(); ++i) same = list->item(i)->text() == items[i];
        if (!same) {
            list->clear();
            list->addItems(items);
        }
        if (list->currentRow() != c.ListIndex()) list->setCurrentRow(c.ListIndex());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        bool same = combo->count() == items.size();
        for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == items[i];
        if (!same) {
            combo->clear();
            combo->addItems(items);
        }
        if (combo->currentIndex() != c.ListIndex()) combo->setCurrentIndex(c.ListIndex());
        if (combo->currentText().toStdString() != c.Text()) combo->setEditText(Q(c.Text()));
    }
    --writingWidgets_;
}

void FormView::applyValue(Control& c, QWidget* w) {
    ++writingWidgets_;
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        const Qt::CheckState state = c.Value() == 1   ? Qt::Checked
                                     : c.Value() == 2 ? Qt::PartiallyChecked
                                                      : Qt::Unchecked;
        if (box->checkState() != state) box->setCheckState(state);
    } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
        if (option->isChecked() != (c.Value() != 0)) option->setChecked(c.Value() != 0);
    }
    --writingWidgets_;
}

void FormView::applyPicture(Control& c, QWidget* w) {
    if (auto* picture = qobject_cast<PictureWidget*>(w)) {
        picture->setPicture(LoadPicture(c.Picture()));
    } else if (auto* button = qobject_cast<PictureButton*>(w)) {
        button->setPicture(LoadPicture(c.Picture()));
    }
}

void FormView::applySelection(Control& c, QWidget* w) {
    ++writingWidgets_;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text().toStdString() == c.Text()) {
            const int start = c.SelStart(), length = c.SelLength();
            const bool same = length == 0
                                  ? !edit->hasSelectedText() && edit->cursorPosition() == start
                                  : edit->selectionStart() == start && edit->selectionLength() == length;
            if (!same) {
                if (length > 0) {
                    edit->setSelection(start, length);
                } else {
                    edit->setCursorPosition(start);
                }
            }
        }
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        const std::string& text = c.Text();
        if (ToModelLines(multi->toPlainText()) == text) {
            const int start = WidgetPosition(text, c.SelStart());
            const int end = WidgetPosition(text, c.SelStart() + c.SelLength());
            QTextCursor cursor = multi->textCursor();
            if (cursor.selectionStart() != start || cursor.selectionEnd() != end) {
                cursor.setPosition(start);
                cursor.setPosition(end, QTextCursor::KeepAnchor);
                multi->setTextCursor(cursor);
            }
        }
    }
    --writingWidgets_;
}

void FormView::applyStyle(Control& c, QWidget* w) {
    if (c.MousePointer() == platform::Pointer::Default) {
        w->unsetCursor();
    } else {
        w->setCursor(CursorOf(c.MousePointer()));
    }
    const Qt::Alignment h = HorizontalAlignment(c.Alignment());
    switch (c.kind()) {
        case Kind::TextBox:
            if (c.MultiLine() != (qobject_cast<QPlainTextEdit*>(w) != nullptr)) {
                // The kind of box changed: build it again.
                controlRemoved(c);
                if (ensureWidget(c)) restack(c.container());
                return;
            }
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                edit->setAlignment(h | Qt::AlignVCenter);
                edit->setFrame(c.BorderStyle() != platform::BorderStyle::None);
            } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
                multi->setFrameShape(c.BorderStyle() != platform::BorderStyle::None ? QFrame::StyledPanel
                                                                                    : QFrame::NoFrame);
                // A box without scroll bars wraps its lines instead, so no text hides to the right.
                const platform::ScrollBars bars = c.ScrollBars();
                const bool across =
                    bars == platform::ScrollBars::Horizontal || bars == platform::ScrollBars::Both;
                const bool down =
                    bars == platform::ScrollBars::Vertical || bars == platform::ScrollBars::Both;
                multi->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
                multi->setVerticalScrollBarPolicy(down ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
                multi->setLineWrapMode(across ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
            }
            break;
        case Kind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setAlignment(h | Qt::AlignTop);
            label->setFrameStyle(c.BorderStyle() != platform::BorderStyle::None
                                     ? QFrame::Panel | QFrame::Sunken
                                     : QFrame::NoFrame);
            label->setAutoFillBackground(c.BackStyle() != platform::BackStyle::Transparent);
            break;
        }
        case Kind::Image: {
            auto* picture = static_cast<PictureWidget*>(w);
            picture->setStretch(c.Stretch());
            picture->setFrameStyle(c.BorderStyle() != platform::BorderStyle::None
                                       ? QFrame::Panel | QFrame::Sunken
                                       : QFrame::NoFrame);
            break;
        }
        case Kind::Frame: {
            auto* frame = static_cast<FrameWidget*>(w);
            frame->setBorder(c.BorderStyle() != platform::BorderStyle::None);
            frame->setAutoFillBackground(true);
            break;
        }
        case Kind::CheckBox:
        case Kind::OptionButton:
            w->setAutoFillBackground(c.BackStyle() != platform::BackStyle::Transparent);
            break;
        case Kind::Shape:
        case Kind::Line:
            applyColors(c, w);
            break;
        default:
            break;
    }
}

void FormView::applyTimer(Control& c) {
    QTimer* t = timer(c);
    if (!t) return;
    if (c.Enabled() && c.Interval() > 0) {
        t->start(c.Interval());  // a new interval or a re-enabling starts counting again
    } else {
        t->stop();
    }
}

}  // namespace gui
