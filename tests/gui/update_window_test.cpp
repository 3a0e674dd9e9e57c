// "Mise à jour" in the real window against a slow site: the window keeps answering while the file comes,
// under a progress window, and the update ends as it always has.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/main_window.h"
#include "gui/qt_runtime.h"
#include "online/online.h"
#include "platform/opener.h"
#include "tests/gui/gui_support.h"
#include "tests/support/fakes.h"
#include "tests/support/http_server.h"

namespace {

const std::string kServed =
    "[CV]\r\n0=1.0\r\n[EquipA]\r\n1=Allemagne\r\n2=Ecosse\r\n3=Hongrie\r\n4=Suisse\r\n[ButA]\r\n0=5\r\n1="
    "1\r\n";

TEST(UpdateWindow, TheWindowKeepsTickingUnderTheProgressWindowDuringASlowUpdate) {
    testing_support::Sandbox sandbox;
    for (const char* file : {"Zenkor2024.ini", "langFr.txt"}) sandbox.copyDataFile(file);
    gui::InstallEventPump();
    online_testing::HttpServer server;
    server.answer("/Zenkor2024.ini", online_testing::SlowAnswer(kServed, 20, 50));  // about a second
    platform::SetSiteHost(server.host());

    auto w = std::make_unique<zenkor::Zenkor>();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(*w).window()));

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    int ticksAtConfirm = -1;
    bool progressShown = false;
    // Inside the confirmation window's modal loop: the user confirms, then looks at the progress.
    QTimer::singleShot(100, [&] {
        zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
        ASSERT_NE(frec, nullptr);
        ticksAtConfirm = ticks;
        QTest::mouseClick(gui_testing::WidgetOf(((*frec)("Command1"))), Qt::LeftButton);
        QTimer::singleShot(500, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(progress, nullptr);
            progressShown = progress->isVisible();
            EXPECT_NE(progress->labelText().indexOf(QStringLiteral("reçus")), -1);
            EXPECT_TRUE(gui_testing::SaveScreenshot(progress, "update_progress.png"));
        });
    });
    (*w)("Command8").raiseClick();  // returns when the confirmation window is closed

    ASSERT_GE(ticksAtConfirm, 0);
    // About fifty ticks of 20 ms while the second of download went by; a window stuck in the
    // download would have none.
    EXPECT_GE(ticks - ticksAtConfirm, 20);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(w->MISAJOUR);
    EXPECT_EQ((*w)("A", 1).Text(), "Allemagne");
    EXPECT_EQ(sandbox.readFile("Zenkor2024.ini"), kServed);
    EXPECT_TRUE(sandbox.dialogs->messages.empty());

    zenkor::ReleaseUpdateConfirmation();
    w->unload();
    w.reset();
    platform::SetSiteHost("www.valmirade.example");
    gui_testing::FlushDeletes();
}

}  // namespace
