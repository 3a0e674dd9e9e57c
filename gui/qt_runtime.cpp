#include "gui/qt_runtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>
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

}  // namespace

platform::Answer QtDialogs::msgBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(IconOf(style), Title(title), QString::fromStdString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
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
        if (installed != nullptr) {
            QCoreApplication::removeTranslator(installed);
            delete installed;
            installed = nullptr;
        }
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
