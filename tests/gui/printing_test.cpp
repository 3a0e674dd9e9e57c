// The bracket sheet shown offscreen over the real main window, printed into a PDF file, and closed by its
// own close box.
#include "gui/printing.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "gui/qt_runtime.h"
#include "platform/printer.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"
#include "tests/gui/gui_support.h"
#include "tests/support/fakes.h"

namespace {

class PrintingTest : public ::testing::Test {
  protected:
    PrintingTest() {
        for (const char* file : {"Zenkor2024.ini", "langFr.txt", "langEn.txt", "langSp.txt"}) {
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

    zenkor::Impress& openSheet() {
        (*w)("Command13").raiseClick();
        return *zenkor::CurrentImpress();
    }

    testing_support::Sandbox sandbox;
    std::filesystem::path pdf;
    std::unique_ptr<zenkor::Zenkor> w;
};

TEST_F(PrintingTest, BracketSheetPrintsIntoANonEmptyPdf) {
    zenkor::Impress& sheet = openSheet();
    QWidget* window = gui_testing::ViewOf(sheet).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    gui_testing::SaveScreenshot(window, "bracket_sheet.png");

    sheet("Command5").raiseClick();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
    std::ifstream in(pdf, std::ios::binary);
    const std::string head(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(head.substr(0, 5), "%PDF-");
    EXPECT_TRUE(sheet("Frame1").Visible());
    EXPECT_EQ(sheet.self().BackColor(), platform::kButtonFace);
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
    (*w)("Command21").raiseClick();
    zenkor::Stats& stats = *zenkor::CurrentStats();
    QWidget* window = gui_testing::ViewOf(stats).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    gui_testing::SaveScreenshot(window, "stats.png");
    EXPECT_EQ(stats("List2").ListCount(), 24);
    stats("Command5").raiseClick();
    EXPECT_TRUE(std::filesystem::exists(pdf));
    stats("Command1").raiseClick();
    EXPECT_TRUE(stats.unloaded());
}

}  // namespace
