// Started by the memory benchmark: the program's start-up as its main runs it, then every window opened
// once over the main window and a session of use. Writes its resident memory, in MB, after the first
// paint, with every window open, and after the session, on one line of standard output.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "app/main_names.h"
#include "app/main_window.h"
#include "gui/clipboard.h"
#include "gui/form_view.h"
#include "gui/printing.h"
#include "gui/qt_runtime.h"
#include "online/online.h"
#include "online/online_names.h"
#include "platform/data_folders.h"
#include "platform/runtime.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"

namespace {

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// Runs the event loop for a while: paints, timers, deferred deletes.
void Settle(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void CloseWindow(platform::Form* form) {
    if (gui::FormView* view = form ? gui::FormView::of(*form) : nullptr) view->window()->close();
    Settle(100);
}

// The statistics window and the bracket sheet open together over the main window, then the modal update
// confirmation over them; the figure is read while all are shown. Each closes as its close box does.
double OpenEveryWindow(zenkor::Zenkor& w) {
    w(zenkor::kStatsButton).raiseClick();
    Settle(200);
    w(zenkor::kBracketButton).raiseClick();
    Settle(200);
    double all = 0;
    QTimer::singleShot(300, [&all] {
        all = ResidentMegabytes();
        if (zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation())
            (*frec)(zenkor::kConfirmationNoButton).raiseClick();
    });
    w(zenkor::kUpdateButton).raiseClick();  // returns when the confirmation is closed
    CloseWindow(zenkor::CurrentImpress());
    CloseWindow(zenkor::CurrentStats());
    return all;
}

// Typing, the two views and the three languages.
void UseTheWindow(zenkor::Zenkor& w) {
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k)
            w("But" + zenkor::Zenkor::groupName(g), k).setText(std::to_string(k % 4));
    }
    Settle(100);
    for (int view = 0; view < 2; ++view) {
        w(zenkor::kViewSwitchButton).raiseClick();
        Settle(100);
    }
    for (int language : {1, 2, 0}) {
        if (platform::Control* flag = w.find("lang", language)) flag->raiseClick();
        Settle(100);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!platform::UseUserDataFolder()) return 1;
    QApplication app(argc, argv);
    platform::SetApplicationName("Zenkor");
    gui::SetupApplication(app);
    gui::InstallQtRuntime();
    gui::InstallPrinter();
    gui::InstallClipboard();
    gui::InstallScreenPointer();
    double firstPaint = 0, everyWindow = 0, afterUse = 0;
    {
        auto w = std::make_unique<zenkor::Zenkor>();
        w->show();
        Settle(300);
        firstPaint = ResidentMegabytes();
        everyWindow = OpenEveryWindow(*w);
        UseTheWindow(*w);
        OpenEveryWindow(*w);
        afterUse = ResidentMegabytes();
        zenkor::ReleaseSheets();
        zenkor::ReleaseUpdateConfirmation();
        w->unload();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::printf("%.2f %.2f %.2f\n", firstPaint, everyWindow, afterUse);
    return 0;
}
