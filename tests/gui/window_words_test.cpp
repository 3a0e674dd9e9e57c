// The words of the program's own boxes and of Qt's dialogs follow the language chosen with the flags: the
// real window, offscreen, with real message boxes, the update's progress window against a slow local site
// and the print dialog, in French, English and Spanish.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "gui/printing.h"
#include "gui/qt_runtime.h"
#include "online/downloads.h"
#include "online/online.h"
#include "platform/opener.h"
#include "platform/runtime.h"
#include "sheets/sheets.h"
#include "tests/gui/gui_support.h"
#include "tests/support/fakes.h"
#include "tests/support/http_server.h"

namespace {

// What one dialog showed: its kind, title, texts and buttons.
struct Seen {
    std::string kind;
    QString title;
    QStringList texts;
    QStringList buttons;
};

QString Plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Answers every modal dialog as it comes: message boxes by their No or their accepting button, the
// print dialog by its rejection, the progress window by its Cancel button. What each showed is kept,
// with a screenshot.
class ModalWatcher {
  public:
    explicit ModalWatcher(std::string language) : language_(std::move(language)) {}
    std::vector<Seen> seen;

  private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last_ || !modal->isVisible()) return;
        Seen s;
        if (qobject_cast<QMessageBox*>(modal)) s.kind = "message";
        if (qobject_cast<QPrintDialog*>(modal)) s.kind = "print";
        if (qobject_cast<QProgressDialog*>(modal)) s.kind = "progress";
        if (s.kind.empty()) return;
        last_ = modal;
        s.title = modal->windowTitle();
        for (auto* label : modal->findChildren<QLabel*>()) {
            if (label->isVisible() && !label->text().isEmpty()) s.texts << Plain(label->text());
        }
        QAbstractButton* answer = nullptr;
        for (auto* button : modal->findChildren<QAbstractButton*>()) {
            if (!button->isVisible() || button->text().isEmpty()) continue;
            s.buttons << Plain(button->text());
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                const auto role = box->buttonRole(button);
                if (role == QMessageBox::NoRole || (answer == nullptr && role == QMessageBox::AcceptRole))
                    answer = button;
            } else if (qobject_cast<QProgressDialog*>(modal)) {
                answer = button;  // its only button, Cancel
            }
        }
        EXPECT_TRUE(gui_testing::SaveScreenshot(
            modal, language_ + "_" + std::to_string(seen.size()) + "_" + s.kind + ".png"));
        seen.push_back(s);
        if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            print->reject();
        } else if (answer != nullptr) {
            answer->click();
        }
    }

    std::string language_;
    QWidget* last_ = nullptr;
    gui_testing::ModalPoll poll_{[this] { look(); }};  // last: it starts looking
};

// Whole words of one language that the other two do not use.
bool HasWord(const QStringList& texts, const QStringList& words, QString* found) {
    for (const QString& text : texts) {
        for (const QString& word : words) {
            if (text.contains(QRegularExpression("\\b" + QRegularExpression::escape(word) + "\\b"))) {
                *found = word + " in \"" + text + "\"";
                return true;
            }
        }
    }
    return false;
}

const QStringList kFrench = {"Annuler",       "octets",     "reçus",      "Ko",         "Téléchargement",
                             "Imprimer",      "impression", "fichier",    "enregistré", "enregistrées",
                             "modifications", "manquait",   "sauvegarde", "Oui",        "Non",
                             "Fermer",        "Propriétés"};
const QStringList kEnglish = {"Yes", "Cancel", "Print", "Properties", "Close", "Apply", "Help", "Preview"};

class WindowWords : public ::testing::TestWithParam<int> {};

TEST_P(WindowWords, BoxesProgressAndPrintDialogSpeakTheLanguageChosen) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
    const int language = GetParam();
    const std::string name = language == 0 ? "fr" : language == 1 ? "en" : "es";
    gui_testing::KeepModuleData moduleData;
    testing_support::Sandbox sandbox;
    for (const char* file : {"Zenkor2024.ini", "langFr.txt", "langEn.txt", "langSp.txt"})
        sandbox.copyDataFile(file);
    // The start finds only the backup of an update, from a newer program: it puts it back and asks.
    std::filesystem::rename(sandbox.folder() / "Zenkor2024.ini", sandbox.folder() / "Zenkor2024.BU");
    std::string backup = sandbox.readFile("Zenkor2024.BU");
    backup.replace(backup.find("0=1.0"), 5, "0=9.9");
    sandbox.writeFile("Zenkor2024.BU", backup);
    EXPECT_TRUE(zenkor::SaveSetting("langue", std::to_string(language)));
    gui::InstallDialogs();
    gui::InstallLanguageHandler();
    gui::InstallPrinter();
    const QByteArray previousPdf = qgetenv("ZENKOR_PRINT_PDF");
    qunsetenv("ZENKOR_PRINT_PDF");
    online_testing::HttpServer server;
    server.answer("/Zenkor2024.ini", online_testing::SlowAnswer(backup, 20, 50));
    platform::SetSiteHost(server.host());

    ModalWatcher watcher(name);
    auto w = std::make_unique<zenkor::Zenkor>();
    w->show();  // the backup put back, then the version question (answered No)
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(*w).window()));
    EXPECT_EQ(w->sage, language);

    // The update, cancelled from its progress window.
    QTimer::singleShot(100, [&] {
        zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
        ASSERT_NE(frec, nullptr);
        QTest::mouseClick(gui_testing::WidgetOf((*frec)("Command1")), Qt::LeftButton);
    });
    (*w)("Command8").raiseClick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !zenkor::online_detail::DownloadsOf(*w).update; }, 10000));

    // A save that fails, in the window and in the update panel.
    std::filesystem::remove(sandbox.folder() / "Zenkor2024.ini");
    std::filesystem::create_directory(sandbox.folder() / "Zenkor2024.ini");
    (*w)("Command3").raiseClick();
    (*w)("Command18").raiseClick();

    // The print dialog, then a print that cannot be made.
    (*w)("Command21").raiseClick();
    platform::Form& stats = *zenkor::CurrentStats();
    stats("Command5").raiseClick();
    qputenv("ZENKOR_PRINT_PDF", QByteArray::fromStdString((sandbox.folder() / "absent" / "x.pdf").string()));
    stats("Command5").raiseClick();

    std::vector<std::string> kinds;
    for (const Seen& s : watcher.seen) kinds.push_back(s.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"message", "message", "progress", "message", "message",
                                               "print", "message"}));
    for (const Seen& s : watcher.seen) {
        SCOPED_TRACE(s.kind + ": " + s.title.toStdString() + " | " + s.texts.join(" | ").toStdString() +
                     " | " + s.buttons.join(" | ").toStdString());
        QString found;
        if (language != 0) {
            EXPECT_FALSE(HasWord(QStringList(s.texts) << s.title << s.buttons, kFrench, &found))
                << found.toStdString();
        }
        if (language != 1) {
            QStringList english = kEnglish;
            if (language == 0) english << "No";  // a Spanish word too
            EXPECT_FALSE(HasWord(s.buttons, english, &found)) << found.toStdString();
        }
    }
    if (watcher.seen.size() == kinds.size()) {
        const Seen& progress = watcher.seen[2];
        const char* cancel[] = {"Annuler", "Cancel", "Cancelar"};
        EXPECT_EQ(progress.buttons, QStringList{cancel[language]});
        const char* received[] = {"reçus", "received", "recibidos"};
        EXPECT_TRUE(progress.texts.join(" ").contains(received[language]))
            << progress.texts.join(" ").toStdString();
        const char* print[] = {"Imprimer", "Print", "Imprimir"};
        EXPECT_EQ(watcher.seen[5].title, print[language]);
        EXPECT_EQ(watcher.seen[6].title, print[language]);
    }

    zenkor::ReleaseSheets();
    zenkor::ReleaseUpdateConfirmation();
    w->unload();
    w.reset();
    platform::SetDialogs(sandbox.dialogs);
    platform::SetSiteHost("www.valmirade.example");
    if (previousPdf.isNull()) {
        qunsetenv("ZENKOR_PRINT_PDF");
    } else {
        qputenv("ZENKOR_PRINT_PDF", previousPdf);
    }
    gui_testing::FlushDeletes();
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowWords, ::testing::Values(0, 1, 2), [](const auto& info) {
    return std::string(info.param == 0 ? "French" : info.param == 1 ? "English" : "Spanish");
});

}  // namespace
