// Start-up of the program as the user meets it: from the process start to the first painted frame of the
// main window, the resident memory of the program with every window opened once, and the building of the
// main window's view alone. Under a display (DISPLAY set) the program runs there, under whatever window
// manager it has; otherwise offscreen.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "gui/clipboard.h"
#include "gui/form_view.h"
#include "gui/printing.h"
#include "gui/qt_runtime.h"
#include "online/online.h"
#include "platform/data_folders.h"
#include "platform/runtime.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"

extern char** environ;

namespace {

std::filesystem::path ExecutablePath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec);
}

bool HasDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

// The environment of a run: the display or offscreen, and folders of its own for settings and files.
std::vector<std::string> RunEnvironment(const std::string& home, const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("XDG_CONFIG_HOME=", 0) == 0 || entry.rfind("XDG_DATA_HOME=", 0) == 0) continue;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 && !HasDisplay()) continue;
        env.push_back(entry);
    }
    if (!HasDisplay()) env.emplace_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + home);  // never the user's own settings
    env.push_back("XDG_DATA_HOME=" + home);    // nor files
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

// Runs a program to its end; false when it cannot be started or fails.
bool Run(const std::string& program, std::vector<std::string> args, std::vector<std::string> env) {
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// From the spawn to the end of the main window's first painted frame (the program leaves right after it),
// with the program's files already in the page cache (warm).
void BM_StartupToFirstPaintedFrame(benchmark::State& state) {
    const std::filesystem::path program = ExecutablePath().parent_path() / "Zenkor";
    if (!std::filesystem::exists(program)) {
        state.SkipWithError("the Zenkor executable is not built");
        return;
    }
    QTemporaryDir home;
    const auto env = RunEnvironment(home.path().toStdString(), {"ZENKOR_EXIT_AFTER_SHOW=1"});
    if (!Run(program.string(), {}, env)) {  // warms the caches; not timed
        state.SkipWithError("the program did not paint its window and end cleanly");
        return;
    }
    for (auto _ : state) {
        if (!Run(program.string(), {}, env)) {
            state.SkipWithError("the program did not paint its window and end cleanly");
            return;
        }
    }
    state.SetLabel(HasDisplay() ? "display" : "offscreen");
}
BENCHMARK(BM_StartupToFirstPaintedFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// ---------------------------------------------------------------------------------------------------------
// Resident memory. The figures come from a process of their own, this executable started again on the
// child benchmark below, which does what the program's main does and then opens every window once.

constexpr const char* kMemoryReport = "ZENKOR_BENCH_MEMORY_REPORT";

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

// Closes a form's window as its close box does.
void CloseWindow(platform::Form& form) {
    if (gui::FormView* view = gui::FormView::of(form)) view->window()->close();
    Settle(100);
}

// Opens the statistics window, the bracket sheet and the update confirmation over the main window, lets
// each paint, and closes it.
void OpenEveryWindow(zenkor::Zenkor& w) {
    w("Command21").raiseClick();
    Settle(200);
    if (zenkor::Stats* stats = zenkor::CurrentStats()) CloseWindow(*stats);
    w("Command13").raiseClick();
    Settle(200);
    if (zenkor::Impress* sheet = zenkor::CurrentImpress()) CloseWindow(*sheet);
    QTimer::singleShot(200, [] {
        if (zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation()) (*frec)("Command2").raiseClick();
    });
    w("Command8").raiseClick();  // the modal confirmation, closed by its cancel button
    Settle(100);
}

// Typing, views and languages: what a user does in a session.
void UseTheWindow(zenkor::Zenkor& w) {
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k)
            w("But" + zenkor::Zenkor::groupName(g), k).setText(std::to_string(k % 4));
    }
    Settle(100);
    w("Command1").raiseClick();
    Settle(100);
    for (int language : {1, 2, 0}) {
        if (platform::Control* flag = w.find("lang", language)) flag->raiseClick();
        Settle(100);
    }
    w("Command1").raiseClick();
    Settle(100);
}

void BM_EveryWindowOpenChild(benchmark::State& state) {
    int argc = 1;
    char name[] = "Zenkor";
    char* argv[] = {name, nullptr};
    double firstPaint = 0, everyWindow = 0, afterUse = 0;
    for (auto _ : state) {
        if (!platform::UseUserDataFolder()) {
            state.SkipWithError("no data folder");
            return;
        }
        QApplication app(argc, argv);
        platform::SetApplicationName("Zenkor");
        gui::SetupApplication(app);
        gui::InstallQtRuntime();
        gui::InstallPrinter();
        gui::InstallClipboard();
        gui::InstallScreenPointer();
        {
            auto w = std::make_unique<zenkor::Zenkor>();
            w->show();
            Settle(300);
            firstPaint = ResidentMegabytes();
            OpenEveryWindow(*w);
            everyWindow = ResidentMegabytes();
            UseTheWindow(*w);
            OpenEveryWindow(*w);
            afterUse = ResidentMegabytes();
            zenkor::ReleaseSheets();
            zenkor::ReleaseUpdateConfirmation();
            w->unload();
        }
        Settle(50);
    }
    std::ofstream(std::getenv(kMemoryReport)) << firstPaint << ' ' << everyWindow << ' ' << afterUse << '\n';
}

// The child is only known to the process started for it.
[[maybe_unused]] const bool kChildRegistered = [] {
    if (std::getenv(kMemoryReport) != nullptr)
        benchmark::RegisterBenchmark("BM_EveryWindowOpenChild", BM_EveryWindowOpenChild)->Iterations(1);
    return true;
}();

// Resident memory, in MB: after the first paint, with every window opened once and closed again, and after
// a session of use that opens them all once more.
void BM_ResidentMemoryEveryWindowOpen(benchmark::State& state) {
    QTemporaryDir home;
    const std::string report = (home.path() + "/memory.txt").toStdString();
    const auto env = RunEnvironment(home.path().toStdString(), {std::string(kMemoryReport) + "=" + report});
    double firstPaint = 0, everyWindow = 0, afterUse = 0;
    for (auto _ : state) {
        if (!Run(ExecutablePath().string(), {"--benchmark_filter=^BM_EveryWindowOpenChild/"}, env)) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        std::ifstream in(report);
        if (!(in >> firstPaint >> everyWindow >> afterUse)) {
            state.SkipWithError("the measuring process gave no figures");
            return;
        }
    }
    state.counters["first_paint_MB"] = firstPaint;
    state.counters["every_window_MB"] = everyWindow;
    state.counters["after_use_MB"] = afterUse;
    state.SetLabel(HasDisplay() ? "display" : "offscreen");
}
BENCHMARK(BM_ResidentMemoryEveryWindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

QApplication& Application() {
    static int argc = 1;
    static char name[] = "zenkor_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto a = std::make_unique<QApplication>(argc, argv);
        gui::SetupApplication(*a);
        return a;
    }();
    return *app;
}

// One widget per control of the main window, every property applied.
void BM_MainWindowViewBuild(benchmark::State& state) {
    Application();
    zenkor::Zenkor w;
    for (auto _ : state) {
        auto view = std::make_unique<gui::FormView>(w);
        benchmark::DoNotOptimize(view->window());
        view.reset();
        w.setObserver(nullptr);
    }
    state.counters["controls"] = static_cast<double>(w.controls().size());
}
BENCHMARK(BM_MainWindowViewBuild)->Unit(benchmark::kMillisecond);

}  // namespace
