// What the user reads when an update, a save or the data folder fails, in the language chosen with the
// flags: the real window offscreen with the shipped language files, real message boxes, a local site that
// is down, and Qt's file dialog behind the print dialog.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "assembly/startup.h"
#include "gui/printing.h"
#include "gui/qt_runtime.h"
#include "online/downloads.h"
#include "online/online.h"
#include "platform/ini.h"
#include "platform/opener.h"
#include "platform/runtime.h"
#include "sheets/sheets.h"
#include "tests/gui/gui_support.h"
#include "tests/support/fakes.h"
#include "tests/support/http_server.h"

namespace {

namespace fs = std::filesystem;

struct Box {
    QString title;
    QString text;
    int width = 0;
    int titleWidth = 0;  // the title in a title bar's bold font
};

// Answers each message box as it comes, keeping what it said and a screenshot.
class BoxWatcher {
  public:
    explicit BoxWatcher(std::string language) : language_(std::move(language)) {}
    std::vector<Box> boxes;

  private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // A box may take the place in memory of the one before: each is marked once seen.
        if (box == nullptr || box->property("seen").toBool() || !box->isVisible()) return;
        box->setProperty("seen", true);
        QFont bold = box->font();
        bold.setBold(true);
        boxes.push_back({box->windowTitle(), box->text(), box->width(),
                         QFontMetrics(bold).horizontalAdvance(box->windowTitle())});
        const std::string shot = language_ + "_failure_" + std::to_string(boxes.size());
        EXPECT_TRUE(gui_testing::SaveScreenshot(box, shot + ".png"));
        // Under a real X server and window manager (Xvfb and openbox), the box with its title bar too.
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            QTest::qWait(400);
            const QRect frame = box->frameGeometry();
            box->screen()
                ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                .save(QString::fromStdString(gui_testing::ArtifactPath(shot + "_framed.png").string()));
        }
        box->buttons().front()->click();
    }

    std::string language_;
    gui_testing::ModalPoll poll_{[this] { look(); }};  // last: it starts looking
};

// The program's words for each language: 0 French, 1 English, 2 Spanish.
struct Words {
    const char* dataFolder;  // %1: the folder
    const char* fileInTheWay;
    const char* restored;
    const char* connection;
    const char* notSaved;  // %1: the file
    const char* missing;
    const char* notAllowed;
    const char* diskFull;
    const char* readOnly;
    const char* readOnlyDisk;
    const char* folderInTheWay;
    const char* changesNotSaved;
    const char* save;
    const char* panel;
};

const Words kWords[] = {
    {"Zenkor ne peut pas utiliser son dossier de données %1.", "%1 est un fichier, pas un dossier.",
     "Le fichier Zenkor2024.ini manquait : sa copie de sauvegarde Zenkor2024.BU a été remise à sa place.",
     "Erreur de connexion !", "Le fichier %1 n'a pas pu être enregistré.",
     "Un dossier de son chemin n'existe pas.", "Vous n'avez pas le droit d'écrire à cet endroit.",
     "Le disque est plein.", "Le fichier Zenkor2024.ini est en lecture seule.",
     "Le disque est en lecture seule.", "Zenkor2024.ini est un dossier, pas un fichier.",
     "Les modifications n'ont pas pu être enregistrées.", "Sauve", "Mise à jour fichier."},
    {"Zenkor cannot use its data folder %1.", "%1 is a file, not a folder.",
     "The file Zenkor2024.ini was missing: its backup Zenkor2024.BU has been put back in its place.",
     "Connection error!", "The file %1 could not be saved.", "A folder on its path does not exist.",
     "You are not allowed to write there.", "The disk is full.", "The file Zenkor2024.ini is read-only.",
     "The disk is read-only.", "Zenkor2024.ini is a folder, not a file.", "The changes could not be saved.",
     "Save", "File update"},
    {"Zenkor no puede usar su carpeta de datos %1.", "%1 es un archivo, no una carpeta.",
     ("Faltaba el archivo Zenkor2024.ini: su copia de seguridad Zenkor2024.BU se ha vuelto a poner en su "
      "lugar."),
     "¡Error de conexión!", "No se ha podido guardar el archivo %1.", "Una carpeta de su ruta no existe.",
     "No tiene permiso para escribir ahí.", "El disco está lleno.",
     "El archivo Zenkor2024.ini es de solo lectura.", "El disco es de solo lectura.",
     "Zenkor2024.ini es una carpeta, no un archivo.", "No se han podido guardar los cambios.", "Guardar",
     "Actualización del archivo"},
};

QString With(const char* text, const std::string& value) {
    return QString::fromUtf8(text).replace(QStringLiteral("%1"), QString::fromStdString(value));
}

class FailureWords : public ::testing::TestWithParam<int> {
  protected:
    FailureWords() {
        for (const char* file : {"Zenkor2024.ini", "Elim2024.ini", "langFr.txt", "langEn.txt", "langSp.txt"})
            sandbox.copyDataFile(file);
        gui::InstallDialogs();
        gui::InstallLanguageHandler();
        EXPECT_TRUE(zenkor::SaveSetting("langue", std::to_string(GetParam())));
    }
    ~FailureWords() override {
        platform::SetWriteFault(nullptr);
        zenkor::ReleaseSheets();
        zenkor::ReleaseUpdateConfirmation();
        if (w && !w->unloaded()) w->unload();
        w.reset();
        platform::SetDialogs(sandbox.dialogs);
        platform::SetSiteHost("www.valmirade.example");
        gui_testing::FlushDeletes();
    }
    std::string name() const { return GetParam() == 0 ? "fr" : GetParam() == 1 ? "en" : "es"; }

    gui_testing::KeepModuleData moduleData;
    testing_support::Sandbox sandbox;
    std::unique_ptr<zenkor::Zenkor> w;
};

TEST_P(FailureWords, TheUpdateTheSaveAndTheDataFolderSpeakTheLanguageChosen) {
    const Words& words = kWords[GetParam()];
    BoxWatcher watcher(name());
    std::vector<QString> expected;
    int score = 0;
    const auto save = [&](const std::string& cause) {
        (*w)("ButA", 0).setText(std::to_string(++score));  // a save with something to write
        (*w)("Command3").raiseClick();
        expected.push_back(With(words.notSaved, "Zenkor2024.ini") + "\n" + QString::fromStdString(cause));
    };

    // A data folder with a file in its way, before any window.
    {
        const fs::path inTheWay = sandbox.folder() / "share";
        sandbox.writeFile("share", "x");
        testing_support::ScopedEnv data("XDG_DATA_HOME", inTheWay.c_str());
        EXPECT_FALSE(zenkor::UseDataFolder());
        expected.push_back(With(words.dataFolder, (inTheWay / "Zenkor").string()) + "\n" +
                           With(words.fileInTheWay, inTheWay.string()));
    }

    // The backup of an interrupted update put back at start-up, then an update while the site is down.
    fs::rename(sandbox.folder() / "Zenkor2024.ini", sandbox.folder() / "Zenkor2024.BU");
    platform::SetSiteHost(online_testing::HttpServer::closedHost());
    w = std::make_unique<zenkor::Zenkor>();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(*w).window()));
    expected.push_back(QString::fromUtf8(words.restored));
    QTimer::singleShot(100, [&] {
        zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
        ASSERT_NE(frec, nullptr);
        QTest::mouseClick(gui_testing::WidgetOf((*frec)("Command1")), Qt::LeftButton);
    });
    (*w)("Command8").raiseClick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !zenkor::online_detail::DownloadsOf(*w).update; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return watcher.boxes.size() == expected.size() + 1; }, 5000));
    expected.push_back(QString::fromUtf8(words.connection));

    // "Sauve" failing for each common cause.
    const fs::path file = sandbox.folder() / "Zenkor2024.ini";
    for (const auto& [error, cause] : std::vector<std::pair<int, const char*>>{
             {EACCES, words.notAllowed}, {ENOSPC, words.diskFull}, {EROFS, words.readOnlyDisk}}) {
        platform::SetWriteFault(
            [error](std::string_view step, const fs::path&) { return step == "open" ? error : 0; });
        save(cause);
    }
    platform::SetWriteFault(nullptr);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    save(words.readOnly);
    fs::remove(file);
    fs::create_symlink(sandbox.folder() / "gone" / "Zenkor2024.ini", file);
    save(words.missing);
    fs::remove(file);
    fs::create_directory(file);
    save(words.folderInTheWay);
    // The update panel's save.
    (*w)("Command18").raiseClick();
    expected.push_back(QString::fromUtf8(words.changesNotSaved) + "\n" +
                       QString::fromUtf8(words.folderInTheWay));

    ASSERT_EQ(watcher.boxes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(watcher.boxes[i].text.toStdString(), expected[i].toStdString());
        // The whole title shows, with room for the title bar's icon and buttons.
        EXPECT_GE(watcher.boxes[i].width, watcher.boxes[i].titleWidth + 140)
            << watcher.boxes[i].title.toStdString();
    }
    EXPECT_EQ(watcher.boxes[2].title, "Valmirade 2024");
    for (size_t i = 3; i + 1 < expected.size(); ++i)
        EXPECT_EQ(watcher.boxes[i].title, QString::fromUtf8(words.save));
    EXPECT_EQ(watcher.boxes.back().title, QString::fromUtf8(words.panel));
}

// The file dialog behind the print dialog's file choice names a folder and shows its columns whole in the
// language chosen.
TEST_P(FailureWords, TheFileDialogOfThePrintDialogSpeaksTheLanguageAndShowsItsColumnsWhole) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
    const fs::path home = sandbox.folder() / "home";
    fs::create_directories(home / "Matches de la Valmirade");
    testing_support::ScopedEnv homeEnv("HOME", home.c_str());
    gui::InstallPrinter();
    const QByteArray previousPdf = qgetenv("ZENKOR_PRINT_PDF");
    qunsetenv("ZENKOR_PRINT_PDF");
    w = std::make_unique<zenkor::Zenkor>();
    w->show();

    QString folderType;
    std::vector<std::string> cut;
    bool seen = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            if (print->property("browsed").toBool()) {
                print->reject();
                return;
            }
            for (auto* button : print->findChildren<QToolButton*>()) {
                if (button->isVisible() && button->text() == "...") {
                    print->setProperty("browsed", true);
                    QTimer::singleShot(0, button, &QToolButton::click);
                    return;
                }
            }
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr || !dialog->isVisible()) return;
        auto* model = dialog->findChild<QFileSystemModel*>();
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (model == nullptr || view == nullptr) return;
        const QModelIndex folder =
            model->index(QString::fromStdString((home / "Matches de la Valmirade").string()));
        if (!folder.isValid() || model->data(folder.siblingAtColumn(2)).toString().isEmpty()) return;
        QTest::qWait(200);  // the dialog fits its columns once the folder is listed
        folderType = model->data(folder.siblingAtColumn(2)).toString();
        QHeaderView* header = view->header();
        for (int column = 1; column < header->count(); ++column) {
            const QString heading = model->headerData(column, Qt::Horizontal).toString();
            const QString value = model->data(folder.siblingAtColumn(column)).toString();
            const int needed = std::max(header->fontMetrics().horizontalAdvance(heading),
                                        view->fontMetrics().horizontalAdvance(value));
            if (header->sectionSize(column) < needed + 8)
                cut.push_back(heading.toStdString() + " (" + std::to_string(header->sectionSize(column)) +
                              " < " + std::to_string(needed + 8) + ")");
        }
        EXPECT_TRUE(gui_testing::SaveScreenshot(dialog, name() + "_file_dialog.png"));
        seen = true;
        dialog->reject();
    });
    timer.start(20);
    (*w)("Command21").raiseClick();
    (*zenkor::CurrentStats())("Command5").raiseClick();
    timer.stop();

    EXPECT_TRUE(seen);
    const char* folderWord[] = {"Dossier", "Folder", "Carpeta"};
    EXPECT_EQ(folderType.toStdString(), folderWord[GetParam()]);
    EXPECT_TRUE(cut.empty()) << cut.front();
    if (previousPdf.isNull()) {
        qunsetenv("ZENKOR_PRINT_PDF");
    } else {
        qputenv("ZENKOR_PRINT_PDF", previousPdf);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, FailureWords, ::testing::Values(0, 1, 2), [](const auto& info) {
    return std::string(info.param == 0 ? "French" : info.param == 1 ? "English" : "Spanish");
});

}  // namespace
