#include "gui/qt_runtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>
#include <QTreeView>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <memory>

#include "gui/colors.h"
#include "gui/form_view.h"
#include "gui/progress_dialog.h"
#include "platform/control.h"

namespace gui {

namespace {

QString Title(const std::string& title) {
    return QString::fromStdString(title.empty() ? platform::ApplicationName() : title);
}

QMessageBox::Icon IconOf(int style) {
    switch (style & platform::kIconMask) {
        case platform::vbCritical:
            return QMessageBox::Critical;
        case platform::vbQuestion:
            return QMessageBox::Question;
        case platform::vbExclamation:
            return QMessageBox::Warning;
        case platform::vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct Choice {
    QMessageBox::StandardButton button;
    platform::Answer answer;
};

std::vector<Choice> ChoicesOf(int style) {
    using B = QMessageBox;
    using A = platform::Answer;
    switch (style & platform::kButtonSetMask) {
        case platform::vbOKCancel:
            return {{B::Ok, A::OK}, {B::Cancel, A::Cancel}};
        case platform::vbAbortRetryIgnore:
            return {{B::Abort, A::Abort}, {B::Retry, A::Retry}, {B::Ignore, A::Ignore}};
        case platform::vbYesNoCancel:
            return {{B::Yes, A::Yes}, {B::No, A::No}, {B::Cancel, A::Cancel}};
        case platform::vbYesNo:
            return {{B::Yes, A::Yes}, {B::No, A::No}};
        case platform::vbRetryCancel:
            return {{B::Retry, A::Retry}, {B::Cancel, A::Cancel}};
        default:
            return {{B::Ok, A::OK}};
    }
}

// Room a window manager's title bar takes besides the title: the icon and three buttons.
constexpr int kTitleBarFurniture = 150;

// A message box is as wide as its text needs; a short text would leave its title cut in the title bar.
void FitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    QFont font = box.font();
    font.setBold(true);  // title bars mostly are
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarFurniture;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                  1, grid->columnCount());
}

// Words of Qt's file dialog that Debian's translations of Qt lack (the type of a folder): French and
// Spanish, asked before those translations.
class MissingQtWords : public QTranslator {
  public:
    explicit MissingQtWords(int language) : language_(language) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        struct Word {
            const char* english;
            const char* french;
            const char* spanish;
        };
        static constexpr Word kWords[] = {{"Folder", "Dossier", "Carpeta"},
                                          {"Drive", "Lecteur", "Unidad"},
                                          {"Unknown", "Inconnu", "Desconocido"}};
        for (const Word& word : kWords) {
            if (qstrcmp(sourceText, word.english) == 0)
                return QString::fromUtf8(language_ == 0 ? word.french : word.spanish);
        }
        return {};
    }

  private:
    int language_;
};

// Qt's file dialog sizes its columns for short English headings and dates: in French and Spanish they
// are cut. Once a folder is listed, each column takes the width of its heading and of its contents.
class FileDialogFitter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QFileDialog*>(watched)) Fit(dialog);
        }
        return false;
    }
    static void Fit(QFileDialog* dialog) {
        auto* model = dialog->findChild<QFileSystemModel*>();
        const auto fitColumns = [dialog] {
            for (auto* view : dialog->findChildren<QTreeView*>()) {
                QHeaderView* header = view->header();
                // A little air after the longest text, so that it never touches the next column.
                const int air = 2 * header->fontMetrics().averageCharWidth();
                for (int i = 1; i < header->count(); ++i) {
                    const int before = header->sectionSize(i);
                    view->resizeColumnToContents(i);
                    header->resizeSection(i, std::max(before, header->sectionSize(i) + air));
                }
            }
        };
        fitColumns();
        if (model != nullptr && !dialog->property("zenkorFitted").toBool()) {
            dialog->setProperty("zenkorFitted", true);
            QObject::connect(model, &QFileSystemModel::directoryLoaded, dialog, fitColumns);
        }
    }
};

}  // namespace

platform::Answer QtDialogs::msgBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(IconOf(style), Title(title), QString::fromStdString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    FitTitle(box);
    const std::vector<Choice> choices = ChoicesOf(style);
    std::vector<QAbstractButton*> buttons;
    for (const Choice& choice : choices) buttons.push_back(box.addButton(choice.button));
    const size_t defaultIndex =
        std::min(choices.size() - 1, static_cast<size_t>((style >> platform::kDefaultButtonShift) & 3));
    box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex]));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == clicked) return choices[i].answer;
    }
    // Closed without a button: Cancel where there is one, else the last button.
    for (const Choice& choice : choices) {
        if (choice.answer == platform::Answer::Cancel) return choice.answer;
    }
    return choices.back().answer;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), Title(title), QString::fromStdString(prompt),
                              QLineEdit::Normal, QString::fromStdString(defaultText), &ok);
    return ok ? text.toStdString() : std::string();
}

void QtEventPump::processPending() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SetupApplication(QApplication& app) {
    // Qt takes the user's locale for the C library; the program's own number texts need the C locale.
    std::setlocale(LC_NUMERIC, "C");
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
        // The designs' colours assume the light system colours, whatever the desktop theme.
        QApplication::setPalette(fusion->standardPalette());
    }
    InstallFontSubstitutes();
    QFont font(DefaultFamily());
    font.setPixelSize(FontPixels(8.25, 1.0));
    QApplication::setFont(font);
    app.setApplicationName(QString::fromStdString(platform::ApplicationName()));
}

void InstallViewFactory() {
    platform::SetViewFactory([](platform::Form& form) {
        if (!FormView::of(form)) new FormView(form);  // the view deletes itself when the form unloads
    });
}

void InstallDialogs() {
    platform::SetDialogs(std::make_shared<QtDialogs>());
    // Qt's own file dialog, also behind the print dialog's file choice: the desktop's would speak the
    // desktop's language, not the one chosen with the flags.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    static FileDialogFitter* fitter = nullptr;
    if (fitter == nullptr && qApp != nullptr) {
        fitter = new FileDialogFitter(qApp);
        qApp->installEventFilter(fitter);
    }
}
void InstallEventPump() {
    platform::SetEventPump(std::make_shared<QtEventPump>());
}
void InstallEndHandler() {
    platform::SetEndHandler([] { QCoreApplication::exit(0); });
}

void InstallLanguageHandler() {
    platform::SetLanguageHandler([](int language) {
        static QTranslator* installed = nullptr;
        static QTranslator* missing = nullptr;
        for (QTranslator** translator : {&installed, &missing}) {
            if (*translator == nullptr) continue;
            QCoreApplication::removeTranslator(*translator);
            delete *translator;
            *translator = nullptr;
        }
        // Dates and sizes in Qt's dialogs follow the language too.
        QLocale::setDefault(QLocale(language == 0   ? QLocale::French
                                    : language == 2 ? QLocale::Spanish
                                                    : QLocale::English,
                                    language == 0   ? QLocale::France
                                    : language == 2 ? QLocale::Spain
                                                    : QLocale::UnitedKingdom));
        // Qt speaks English by itself.
        const char* name = language == 0 ? "qtbase_fr" : language == 2 ? "qtbase_es" : nullptr;
        if (name == nullptr) return;
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QString::fromLatin1(name),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            std::fprintf(stderr, "Zenkor: no Qt translation %s in %s\n", name,
                         qPrintable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            return;
        }
        installed = translator.release();
        QCoreApplication::installTranslator(installed);
        // Asked first, it answers only the words the other one lacks.
        missing = new MissingQtWords(language);
        QCoreApplication::installTranslator(missing);
    });
}

void InstallQtRuntime() {
    InstallViewFactory();
    InstallDialogs();
    InstallEventPump();
    InstallEndHandler();
    InstallLanguageHandler();
    InstallProgressDialogs();
    InstallPostedTaskWaker();
}

}  // namespace gui
