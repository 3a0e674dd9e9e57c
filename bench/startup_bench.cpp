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
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "gui/form_view.h"
#include "gui/qt_runtime.h"

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

// Runs a program to its end, its standard output kept; false when it cannot be started or fails.
bool Run(const std::string& program, std::vector<std::string> env, std::string& output) {
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};
    int out[2];
    if (pipe(out) != 0) return false;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    output.clear();
    char buffer[256];
    for (ssize_t n; rc == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
    close(out[0]);
    if (rc != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// From the spawn to the end of the main window's first painted frame, as the program tells it (it leaves
// right after), with the program's files already in the page cache (warm).
void BM_StartupToFirstPaintedFrame(benchmark::State& state) {
    const std::filesystem::path program = ExecutablePath().parent_path() / "Zenkor";
    if (!std::filesystem::exists(program)) {
        state.SkipWithError("the Zenkor executable is not built");
        return;
    }
    QTemporaryDir home;
    const auto env = RunEnvironment(home.path().toStdString(), {"ZENKOR_EXIT_AFTER_SHOW=1"});
    std::string output;
    for (int warm = 0; warm < 2; ++warm) Run(program.string(), env, output);
    for (auto _ : state) {
        const long long spawned = MonotonicNanoseconds();
        long long painted = 0;
        if (!Run(program.string(), env, output) ||
            std::sscanf(output.c_str(), "painted %lld", &painted) != 1) {
            state.SkipWithError("the program did not paint its window and end cleanly");
            return;
        }
        state.SetIterationTime(static_cast<double>(painted - spawned) / 1e9);
    }
    state.SetLabel(HasDisplay() ? "display" : "offscreen");
}
BENCHMARK(BM_StartupToFirstPaintedFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// Resident memory of the program, in MB, measured by a process of its own that starts as the program
// does: after the first paint, with the statistics window, the bracket sheet and the update confirmation
// open together over the main window, and after a session of use that opens them all once more.
void BM_ResidentMemoryEveryWindowOpen(benchmark::State& state) {
    const std::filesystem::path probe = ExecutablePath().parent_path() / "zenkor_every_window_probe";
    QTemporaryDir home;
    const auto env = RunEnvironment(home.path().toStdString(), {});
    double firstPaint = 0, everyWindow = 0, afterUse = 0;
    for (auto _ : state) {
        std::string output;
        if (!Run(probe.string(), env, output) ||
            std::sscanf(output.c_str(), "%lf %lf %lf", &firstPaint, &everyWindow, &afterUse) != 3) {
            state.SkipWithError("the measuring process failed");
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
