// The bracket sheet shown offscreen over the real main window, printed into a PDF file, and closed by its
// own close box.
#include "gui/printing.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "gui/picture_widgets.h"
#include "gui/qt_runtime.h"
#include "platform/printer.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/tournament.h"
#include "tests/support/fakes.h"

namespace {

class PrintingTest : public ::testing::Test {
  protected:
    PrintingTest() {
        for (const char* file : {"Zenkor2024.ini", "langFr.txt", "langEn.txt", "langSp.txt", "pictures"}) {
            if (std::filesystem::exists(std::filesystem::path(ZENKOR_DATA_DIR) / file))
                sandbox.copyDataFile(file);
        }
        gui::InstallViewFactory();
        gui::InstallEventPump();
        pdf = sandbox.folder() / "tableau.pdf";
        gui::InstallPrinter(pdf.string());
        w = std::make_unique<zenkor::Zenkor>();
        w->show();
    }
    ~PrintingTest() override {
        zenkor::ReleaseSheets();
        if (!w->unloaded()) w->unload();
        w.reset();
        platform::SetPrinter(nullptr);
        gui_testing::FlushDeletes();
    }

    // The whole tournament played, the knockout view open as the cascade needs it.
    void playTournament() {
        gui_testing::EnterGroupResults2024(*w);
        (*w)("Command1").raiseClick();
        gui_testing::EnterKnockoutResults2024(*w);
        ASSERT_EQ((*w)("pod", 1).Caption(), "Espagne");
    }

    zenkor::Impress& openSheet() {
        (*w)("Command13").raiseClick();
        return *zenkor::CurrentImpress();
    }

    gui_testing::KeepModuleData moduleData;
    testing_support::Sandbox sandbox;
    std::filesystem::path pdf;
    std::unique_ptr<zenkor::Zenkor> w;
};

TEST_F(PrintingTest, BracketSheetPrintsIntoANonEmptyPdf) {
    ASSERT_NO_FATAL_FAILURE(playTournament());
    zenkor::Impress& sheet = openSheet();
    QWidget* window = gui_testing::ViewOf(sheet).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(sheet("RESULT", 0).Text(), "Espagne");
    for (const char* name : {"Image1", "Image2"})
        EXPECT_TRUE(gui_testing::WidgetOf<gui::PictureWidget>(sheet(name))->picture().isVector()) << name;
    for (const char* name : {"Command1", "Command2", "Command5"})
        EXPECT_FALSE(gui_testing::WidgetOf<gui::PictureButton>(sheet(name))->pictureRect().isEmpty()) << name;
    ASSERT_TRUE(gui_testing::SaveScreenshot(window, "bracket_sheet.png"));

    sheet("Command5").raiseClick();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
    std::ifstream in(pdf, std::ios::binary);
    const std::string head(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(head.substr(0, 5), "%PDF-");
    EXPECT_TRUE(sheet("Frame1").Visible());
    EXPECT_EQ(sheet.self().BackColor(), platform::kButtonFace);
}

// The page carries the sheet as drawing commands and text, not as one picture of the window: small, sharp
// at any size, and its words found by a PDF reader.
TEST_F(PrintingTest, APrintedPageIsVectorsAndText) {
    ASSERT_NO_FATAL_FAILURE(playTournament());
    zenkor::Impress& sheet = openSheet();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(sheet).window()));
    sheet("Command5").raiseClick();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_LT(std::filesystem::file_size(pdf), 200u * 1024);
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(bytes.find("/Subtype /Image"), std::string::npos);
    EXPECT_NE(bytes.find("/FontFile2"), std::string::npos);  // the text's own font goes with it

    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "no pdftotext to read it";
    const std::string text = (sandbox.folder() / "tableau.txt").string();
    ASSERT_EQ(std::system(("pdftotext '" + pdf.string() + "' '" + text + "'").c_str()), 0);
    std::ifstream read(text);
    const std::string words(std::istreambuf_iterator<char>(read), {});
    for (const char* word : {"Espagne", "Angleterre", "valmirade"})
        EXPECT_NE(words.find(word), std::string::npos) << word;
}

TEST_F(PrintingTest, SheetClosedByItsCloseBoxIsReplacedAtTheNextOpening) {
    zenkor::Impress& first = openSheet();
    QWidget* window = gui_testing::ViewOf(first).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->close();
    gui_testing::FlushDeletes();
    EXPECT_TRUE(first.unloaded());

    zenkor::Impress& again = openSheet();
    EXPECT_FALSE(again.unloaded());
    ASSERT_NE(gui::FormView::of(again), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(again).window()));
    EXPECT_EQ(again.indexes("Line8H").size(), 9u);
}

TEST_F(PrintingTest, StatsWindowShowsAndPrints) {
    // Before the final, a picture stands where the podium goes.
    (*w)("Command21").raiseClick();
    zenkor::Stats& stats = *zenkor::CurrentStats();
    QWidget* window = gui_testing::ViewOf(stats).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* waiting = gui_testing::WidgetOf<gui::PictureWidget>(stats("Image2"));
    EXPECT_TRUE(waiting->isVisible());
    EXPECT_TRUE(waiting->picture().isVector());
    ASSERT_TRUE(gui_testing::SaveScreenshot(window, "stats_before_the_final.png"));

    ASSERT_NO_FATAL_FAILURE(playTournament());
    (*w)("Command21").raiseClick();
    EXPECT_TRUE(gui_testing::WidgetOf<gui::PictureWidget>(stats("Image1"))->picture().isVector());
    auto* trophy = gui_testing::WidgetOf<gui::PictureWidget>(stats("Image8"));
    EXPECT_TRUE(trophy->isVisible());
    EXPECT_TRUE(trophy->picture().isVector());
    EXPECT_FALSE(waiting->isVisible());
    ASSERT_TRUE(gui_testing::SaveScreenshot(window, "stats.png"));
    EXPECT_EQ(stats("List2").ListCount(), 24);
    stats("Command5").raiseClick();
    EXPECT_TRUE(std::filesystem::exists(pdf));
    stats("Command1").raiseClick();
    EXPECT_TRUE(stats.unloaded());
}

// With no printer, "Imprimer" asks where to print, a PDF file being one of the choices; a print that
// cannot be made says so.
TEST_F(PrintingTest, WithoutAPrinterThePrintDialogChoosesAndAFailedPrintIsReported) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
    const QByteArray previous = qgetenv("ZENKOR_PRINT_PDF");
    qunsetenv("ZENKOR_PRINT_PDF");
    gui::InstallPrinter();
    zenkor::Impress& sheet = openSheet();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(sheet).window()));

    const std::filesystem::path chosen = sandbox.folder() / "choisi.pdf";
    bool asked = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        asked = true;
        EXPECT_TRUE(gui_testing::SaveScreenshot(dialog, "print_dialog.png"));
        EXPECT_EQ(dialog->printer()->outputFormat(), QPrinter::PdfFormat);
        // The user types another file name over the one proposed, named after the window.
        QLineEdit* file = nullptr;
        for (auto* edit : dialog->findChildren<QLineEdit*>()) {
            if (edit->isVisible() && edit->text().endsWith(QStringLiteral("/Impression.pdf"))) file = edit;
        }
        ASSERT_NE(file, nullptr);
        file->setText(QString::fromStdString(chosen.string()));
        dialog->accept();
    });
    sheet("Command5").raiseClick();
    EXPECT_TRUE(asked);
    ASSERT_TRUE(std::filesystem::exists(chosen));
    EXPECT_GT(std::filesystem::file_size(chosen), 1000u);
    EXPECT_TRUE(sandbox.dialogs->messages.empty());

    // A file that cannot be written.
    qputenv("ZENKOR_PRINT_PDF", QByteArray::fromStdString((sandbox.folder() / "absent" / "x.pdf").string()));
    sheet("Command5").raiseClick();
    ASSERT_EQ(sandbox.dialogs->messages.size(), 1u);
    EXPECT_EQ(sandbox.dialogs->messages[0].text.rfind("L'impression n'a pas pu se faire", 0), 0u);
    EXPECT_TRUE(sheet("Frame1").Visible());
    if (previous.isNull()) {
        qunsetenv("ZENKOR_PRINT_PDF");
    } else {
        qputenv("ZENKOR_PRINT_PDF", previous);
    }
}

}  // namespace

namespace {

// Pixels of the selection colour in a window as it is shown.
int SelectionPixels(QWidget* window) {
    const QImage image = window->grab().toImage();
    const QRgb highlight = window->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == highlight ? 1 : 0;
    return count;
}

using platform::Control;

TEST_F(PrintingTest, PrintingLeavesNoFocusNorSelectionAndTheThirdsShowWhole) {
    zenkor::Impress& sheet = openSheet();
    QWidget* window = gui_testing::ViewOf(sheet).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    Control& thirds = sheet("RESULT", 2);
    thirds.setText("France\r\nPays-Bas");
    auto* box = gui_testing::WidgetOf<QPlainTextEdit>(thirds);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->verticalScrollBar()->isVisible());
    QTextCursor end = box->textCursor();
    end.movePosition(QTextCursor::End);
    EXPECT_LE(box->cursorRect(end).bottom(), box->viewport()->height()) << "the second line is cut";

    Control& first = sheet("T8", 0);
    first.setText("Espagne");
    first.SetFocus();
    first.setSelStart(0);
    first.setSelLength(7);
    ASSERT_GT(SelectionPixels(window), 0);

    QTest::mouseClick(gui_testing::WidgetOf(sheet("Command5")), Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(SelectionPixels(window), 0);
    EXPECT_EQ(first.SelLength(), 0);
    QWidget* focused = window->focusWidget();
    EXPECT_TRUE(focused == nullptr || qobject_cast<QLineEdit*>(focused) == nullptr)
        << focused->objectName().toStdString();
    ASSERT_TRUE(gui_testing::SaveScreenshot(window, "bracket_sheet_after_print.png"));
}

}  // namespace
