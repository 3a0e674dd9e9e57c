#include "gui/form_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>

#include "gui/colors.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace gui {

using platform::Control;
using platform::Kind;
using platform::Prop;

namespace {

constexpr double kTwipsPerPixel = 15.0;

// Labels, pictures, shapes and lines are drawn on their container beneath its windowed controls.
bool IsGraphical(Kind kind) {
    return kind == Kind::Label || kind == Kind::Image || kind == Kind::Shape || kind == Kind::Line;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Multi-line boxes keep CR LF in the model and LF in the widget.
QString ToWidgetLines(const std::string& s) {
    return Q(platform::Replace(s, "\r\n", "\n"));
}
std::string ToModelLines(const QString& s) {
    return platform::Replace(platform::Replace(s.toStdString(), "\r\n", "\n"), "\n", "\r\n");
}

int ButtonCode(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int ButtonMask(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int ShiftMask(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

// The character code a key press gives the KeyPress event (Windows-1252), 0 for keys without one.
int KeyAscii(const QKeyEvent& e) {
    switch (e.key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0;
        default:
            break;
    }
    const QString text = e.text();
    if (text.size() != 1) return 0;
    const char16_t ch = text.at(0).unicode();
    if (ch < 128) return ch;
    const std::string cp = platform::Utf8ToCp1252(text.toStdString());
    if (cp.size() != 1 || cp[0] == '?') return 0;
    return static_cast<unsigned char>(cp[0]);
}

QKeyEvent ReplacementKey(const QKeyEvent& e, int ascii) {
    if (ascii == 8) return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, e.modifiers());
    if (ascii == 13) return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, e.modifiers(), QStringLiteral("\r"));
    const QString text = Q(platform::Cp1252ToUtf8(std::string(1, static_cast<char>(ascii))));
    const char16_t upper = text.isEmpty() ? 0 : text.at(0).toUpper().unicode();
    const int key = upper > 0 && upper < 0x7f ? static_cast<int>(upper) : static_cast<int>(Qt::Key_unknown);
    return QKeyEvent(QEvent::KeyPress, key, e.modifiers() & ~Qt::ControlModifier, text);
}

Qt::CursorShape CursorOf(int pointer) {
    switch (pointer) {
        case 2:
            return Qt::CrossCursor;
        case 3:
            return Qt::IBeamCursor;
        case 5:
        case 15:
            return Qt::SizeAllCursor;
        case 6:
            return Qt::SizeBDiagCursor;
        case 7:
            return Qt::SizeVerCursor;
        case 8:
            return Qt::SizeFDiagCursor;
        case 9:
            return Qt::SizeHorCursor;
        case 10:
            return Qt::UpArrowCursor;
        case 11:
            return Qt::WaitCursor;
        case 12:
            return Qt::ForbiddenCursor;
        case 13:
            return Qt::BusyCursor;
        case 14:
            return Qt::WhatsThisCursor;
        case 99:
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

Qt::Alignment HorizontalAlignment(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

// Pictures named by a path relative to the program folder or absolute; a file rewritten by a download
// is read again.
QPixmap LoadPicture(const std::string& path) {
    if (path.empty()) return {};
    QFileInfo info(Q(path));
    if (info.isRelative()) info = QFileInfo(QDir(Q(platform::ProgramFolder().string())), Q(path));
    if (!info.isFile()) return {};
    struct Entry {
        QDateTime modified;
        qint64 size;
        QPixmap pixmap;
    };
    static QHash<QString, Entry> cache;
    const QString key = info.absoluteFilePath();
    auto it = cache.find(key);
    if (it != cache.end() && it->modified == info.lastModified() && it->size == info.size())
        return it->pixmap;
    QPixmap pixmap(key);
    cache.insert(key, Entry{info.lastModified(), info.size(), pixmap});
    return pixmap;
}

// A tooltip is plain text, never markup.
QString PlainToolTip(const std::string& text) {
    const QString t = Q(text);
    if (t.isEmpty() || !Qt::mightBeRichText(t)) return t;
    return QStringLiteral("<p style='white-space:pre'>") + t.toHtmlEscaped() + QStringLiteral("</p>");
}

// Character positions of a multi-line widget (LF) to the model's (CR LF), and back.
int ModelPosition(const QString& widgetText, int pos) {
    return pos + static_cast<int>(widgetText.left(pos).count(QLatin1Char('\n')));
}
int WidgetPosition(const std::string& modelText, int pos) {
    const std::string before = platform::Left(modelText, pos);
    return pos - static_cast<int>(std::count(before.begin(), before.end(), '\r'));
}

}  // namespace

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
    for (Control* c : form.controls()) ensureWidget(*c);
    restackAll();
}

FormView::~FormView() {
    detach();
    delete window_.data();
}

FormView* FormView::of(platform::Form& form) {
    return dynamic_cast<FormView*>(form.observer());
}

QWidget* FormView::widget(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
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

// ---------------------------------------------------------------------------------------------------------
// Building

QWidget* FormView::ensureWidget(Control& c) {
    if (&c == &form_->self()) return window_;
    if (auto it = widgets_.find(&c); it != widgets_.end()) return it->second;
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
        case Kind::Image: {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return picture;
        }
        case Kind::CommandButton: {
            auto* button = new QPushButton(parent);
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
    applyText(c, w);
    applyItems(c, w);
    applyValue(c, w);
    applyPicture(c, w);
    applyStyle(c, w);
    applyFont(c, w);
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
        if (QWidget* w = widget(*c)) {
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
        if (QWidget* w = widget(*c)) (IsGraphical(c->kind()) ? graphical : windowed).push_back(w);
    }
    for (QWidget* w : graphical) w->raise();
    for (QWidget* w : windowed) w->raise();
}

void FormView::restackAll() {
    std::unordered_map<const Control*, std::pair<std::vector<QWidget*>, std::vector<QWidget*>>> layers;
    for (Control* c : form_->controls()) {
        if (QWidget* w = widget(*c)) {
            auto& layer = layers[c->container()];
            (IsGraphical(c->kind()) ? layer.first : layer.second).push_back(w);
        }
    }
    for (auto& [container, layer] : layers) {
        for (QWidget* w : layer.first) w->raise();
        for (QWidget* w : layer.second) w->raise();
    }
}

// ---------------------------------------------------------------------------------------------------------
// Model to widgets

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
    if (c.kind() == Kind::CommandButton) applyPicture(c, w);
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
            const bool filled = c.FillColor() != platform::kBlack || c.BackStyle() == 1;
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
    if (c.kind() == Kind::Image) {
        auto* picture = static_cast<QLabel*>(w);
        const QPixmap pixmap = LoadPicture(c.Picture());
        if (pixmap.isNull()) {
            picture->clear();
        } else {
            picture->setPixmap(pixmap);
        }
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        const QPixmap pixmap = LoadPicture(c.Picture());
        button->setIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
        if (!pixmap.isNull()) {
            const QSize room = w->size() - QSize(8, 8);
            button->setIconSize(pixmap.size()
                                    .scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio)
                                    .boundedTo(pixmap.size()));
        }
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
    if (c.MousePointer() == 0) {
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
                edit->setFrame(c.BorderStyle() != 0);
            } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
                multi->setFrameShape(c.BorderStyle() != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
            }
            break;
        case Kind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setAlignment(h | Qt::AlignTop);
            label->setFrameStyle(c.BorderStyle() != 0 ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
            label->setAutoFillBackground(c.BackStyle() != 0);
            break;
        }
        case Kind::Image: {
            auto* picture = static_cast<QLabel*>(w);
            picture->setScaledContents(c.Stretch());
            picture->setFrameStyle(c.BorderStyle() != 0 ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
            break;
        }
        case Kind::Frame: {
            auto* frame = static_cast<FrameWidget*>(w);
            frame->setBorder(c.BorderStyle() != 0);
            frame->setAutoFillBackground(true);
            break;
        }
        case Kind::CheckBox:
        case Kind::OptionButton:
            w->setAutoFillBackground(c.BackStyle() != 0);
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

// ---------------------------------------------------------------------------------------------------------
// Observer

void FormView::controlCreated(Control& control) {
    if (detached_) return;
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
    QWidget* w = widget(c);
    if (!w) return;
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
}

// ---------------------------------------------------------------------------------------------------------
// Widgets to model

void FormView::userEdited(QWidget* w, const std::string& text) {
    Control* c = controlAt(w);
    if (!c) return;
    QPointer<QWidget> alive(w);
    // Once per edit: Change runs here, and a handler's rewrite comes back through propertyChanged.
    c->setText(text);
    if (!alive || !(c = controlAt(w))) return;
    applyText(*c, w);
    userMovedCaret(w);
}

void FormView::userMovedCaret(QWidget* w) {
    if (writingWidgets_ > 0) return;
    Control* c = controlAt(w);
    if (!c) return;
    int start = 0, length = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text().toStdString() != c->Text()) return;
        start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        length = edit->hasSelectedText() ? static_cast<int>(edit->selectionLength()) : 0;
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        const QString text = multi->toPlainText();
        if (ToModelLines(text) != c->Text()) return;
        const QTextCursor cursor = multi->textCursor();
        start = ModelPosition(text, cursor.selectionStart());
        length = ModelPosition(text, cursor.selectionEnd()) - start;
    } else {
        return;
    }
    ++writingModel_;
    c->setSelStart(start);
    c->setSelLength(length);
    --writingModel_;
}

void FormView::userChecked(QWidget* w) {
    Control* c = controlAt(w);
    if (!c) return;
    QPointer<QWidget> alive(w);
    if (c->kind() == Kind::CheckBox) {
        c->setValue(c->Value() == 1 ? 0 : 1);
    } else {
        // Choosing an option turns off the others of its container.
        c->setValue(1);
        if (!controlAt(w)) return;
        const Control* container = c->container();
        if (form_) {
            for (Control* other : form_->controls()) {
                if (other != c && other->kind() == Kind::OptionButton && other->container() == container &&
                    other->Value() != 0) {
                    other->setValue(0);
                }
            }
        }
    }
    if (alive && (c = controlAt(w))) applyValue(*c, w);
}

void FormView::userChoseItem(QWidget* w, int index) {
    Control* c = controlAt(w);
    if (!c) return;
    QPointer<QWidget> alive(w);
    c->setListIndex(index);
    if (alive && (c = controlAt(w))) applyItems(*c, w);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            break;
        default:
            return false;
    }
    if (event == resending_) return false;
    Control* c = controlAt(watched);
    if (!c) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyEvent(watched, *c, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            if (form_) form_->setFocused(c);
            if (std::exchange(focusEcho_, nullptr) != c) c->raiseGotFocus();
            return false;
        case QEvent::FocusOut:
            c->raiseLostFocus();
            return false;
        default:
            return mouseEvent(watched, *c, static_cast<QMouseEvent*>(event));
    }
}

bool FormView::mouseEvent(QObject* watched, Control& control, QMouseEvent* event) {
    Control* c = &control;
    QWidget* cw = c == &form_->self() ? static_cast<QWidget*>(window_) : widget(*c);
    if (!cw) return false;
    const QPointF pos = cw->mapFromGlobal(event->globalPosition());
    const double k = kTwipsPerPixel / scale();
    const auto x = static_cast<float>(pos.x() * k), y = static_cast<float>(pos.y() * k);
    const int shift = ShiftMask(event->modifiers());
    const bool textEntry = c->kind() == Kind::TextBox || c->kind() == Kind::ComboBox;

    switch (event->type()) {
        case QEvent::MouseMove:
            if (c == &form_->self()) {
                raiseFormMouseMove(ButtonMask(event->buttons()), shift, x, y);
            } else {
                c->raiseMouseMove(ButtonMask(event->buttons()), shift, x, y);
            }
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
            afterDoubleClick_ = doubleClick;
            bool handled = false;
            QPointer<QObject> alive(watched);
            if (textEntry) {
                // The box places its caret first; a selection the handler makes then stands, so the next
                // keystroke replaces it.
                resending_ = event;
                QCoreApplication::sendEvent(watched, event);
                resending_ = nullptr;
                handled = true;
                if (!alive || !(c = controlAt(watched))) return true;
            }
            if (doubleClick) {
                c->raiseDblClick();
            } else {
                c->raiseMouseDown(ButtonCode(event->button()), shift, x, y);
            }
            if (textEntry && alive && (c = controlAt(watched))) {
                if (QWidget* w = widget(*c)) applySelection(*c, w);
            }
            return handled;
        }
        case QEvent::MouseButtonRelease: {
            QPointer<QObject> alive(watched);
            c->raiseMouseUp(ButtonCode(event->button()), shift, x, y);
            if (!alive || !(c = controlAt(watched))) return true;
            const bool clickable = c->kind() == Kind::Label || c->kind() == Kind::Frame ||
                                   c->kind() == Kind::Image || c->kind() == Kind::TextBox ||
                                   c == &form_->self();
            if (clickable && event->button() == Qt::LeftButton && !afterDoubleClick_ &&
                cw->rect().contains(pos.toPoint())) {
                c->raiseClick();
            }
            afterDoubleClick_ = false;
            return false;
        }
        default:
            return false;
    }
}

bool FormView::keyEvent(QObject* watched, Control& c, QKeyEvent* event) {
    const int ascii = KeyAscii(*event);
    if (ascii == 0 || !c.KeyPress) return false;
    int key = ascii;
    QPointer<QObject> alive(watched);
    c.raiseKeyPress(key);
    if (!alive || detached_) return true;
    if (key == 0) return true;  // the handler swallowed the key
    if (key == ascii) return false;
    // The handler changed the character: the box receives the new one instead.
    QKeyEvent replacement = ReplacementKey(*event, key);
    resending_ = &replacement;
    QCoreApplication::sendEvent(watched, &replacement);
    resending_ = nullptr;
    return true;
}

void FormView::raiseFormMouseMove(int button, int shift, float x, float y) {
    platform::Form* form = form_;
    if (!form) return;
    if (form->MouseMove) {
        platform::Guard([&] { form->MouseMove(button, shift, x, y); }, form->name() + "_MouseMove");
    }
    if (!detached_) form->self().raiseMouseMove(button, shift, x, y);
}

}  // namespace gui
