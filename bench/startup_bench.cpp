// Start-up of the program as the user meets it: from the process start to the first shown main window
// (offscreen, leaving right after that first show), and the building of the main window's view alone.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "gui/form_view.h"
#include "gui/qt_runtime.h"

extern char** environ;

namespace {

std::filesystem::path BuildFolder() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

// Runs the program once; false when it cannot be started or fails.
bool RunProgramOnce(const std::string& program, const std::string& configHome) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_CONFIG_HOME=", 0) == 0 ||
            entry.rfind("XDG_DATA_HOME=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
    env.emplace_back("ZENKOR_EXIT_AFTER_SHOW=1");
    env.push_back("XDG_CONFIG_HOME=" + configHome);  // never the user's own settings
    env.push_back("XDG_DATA_HOME=" + configHome);    // nor files
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_StartupToFirstShownWindow(benchmark::State& state) {
    const std::filesystem::path program = BuildFolder() / "Zenkor";
    if (!std::filesystem::exists(program)) {
        state.SkipWithError("the Zenkor executable is not built");
        return;
    }
    QTemporaryDir config;
    for (auto _ : state) {
        if (!RunProgramOnce(program.string(), config.path().toStdString())) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
    }
}
BENCHMARK(BM_StartupToFirstShownWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

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
