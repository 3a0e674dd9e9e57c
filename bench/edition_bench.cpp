// Loading edition files through the program's own load, from program folders on disk, and the model work
// of a whole start-up.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "app/edition_files.h"
#include "app/main_window.h"
#include "knockout/knockout.h"
#include "platform/data_folders.h"
#include "platform/runtime.h"

namespace {

using zenkor::Zenkor;

// A temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("zenkor-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Two program folders, each with its own Zenkor2024.ini: the shipped one (every score "-") and the one the
// site publishes (the real results, knockout rounds included), as "Ouvrir", its return and an update
// swap them. The older shipped editions sit beside both.
class EditionFolders {
  public:
    EditionFolders() {
        const std::filesystem::path data(ZENKOR_DATA_DIR);
        for (const auto& folder : {shipped_.path(), results_.path()}) {
            for (const char* name : {"Zenkor2016.ini", "Zenkor2020.ini"})
                std::filesystem::copy_file(data / name, folder / name);
        }
        std::filesystem::copy_file(data / "Zenkor2024.ini", shipped_.path() / "Zenkor2024.ini");
        std::filesystem::copy_file(data / "site" / "Zenkor2024.ini", results_.path() / "Zenkor2024.ini");
        useShipped();
    }
    ~EditionFolders() { platform::SetProgramFolder(std::filesystem::temp_directory_path()); }
    EditionFolders(const EditionFolders&) = delete;
    EditionFolders& operator=(const EditionFolders&) = delete;

    void useShipped() { platform::SetProgramFolder(shipped_.path()); }
    void useResults() { platform::SetProgramFolder(results_.path()); }
    const std::filesystem::path& shippedFolder() const { return shipped_.path(); }

  private:
    TempFolder shipped_;
    TempFolder results_;
};

// Restores an environment variable at the end of a benchmark.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// The whole of start-up's model work, without a view: the window's design and wiring, then its Form_Load
// (settings, language file, the edition load with its recompute, the start-up recompute, pictures and
// panels), as the program runs it before its first window shows.
void StartupModelWork(benchmark::State& state) {
    EditionFolders folders;
    const ScopedEnvironment config("XDG_CONFIG_HOME", (folders.shippedFolder() / "config").string());
    platform::SetInstallationFolder(ZENKOR_DATA_DIR);
    for (auto _ : state) {
        auto w = std::make_unique<Zenkor>();
        w->show();
        benchmark::DoNotOptimize(w->self().Caption());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    platform::SetInstallationFolder({});
}

// Range 0: the current edition loaded again over itself (the return from the history panel): the reads and
// the closing recompute, no box changing. Range 1: the shipped 2024 file and the one with the real results
// in turn, so that every box (group and knockout scores alike) changes and runs its handler, each
// recomputing its table or round, as after "Ouvrir", its return or an update. Range 2: start-up.
void BM_LoadEditionFile(benchmark::State& state) {
    if (state.range(0) == 2) {
        StartupModelWork(state);
        return;
    }
    EditionFolders folders;
    Zenkor w;
    w.FChargee = true;
    zenkor::LoadEditionFile(w, zenkor::kCurrentEdition);
    bool results = false;
    for (auto _ : state) {
        if (state.range(0) == 1) {
            results = !results;
            results ? folders.useResults() : folders.useShipped();
        }
        zenkor::LoadEditionFile(w, zenkor::kCurrentEdition);
    }
    benchmark::DoNotOptimize(w("pod", 1).Caption());
}
BENCHMARK(BM_LoadEditionFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The full recompute over the real tournament: every group and knockout score of the published file.
void BM_RecalcAllRealTournament(benchmark::State& state) {
    EditionFolders folders;
    folders.useResults();
    Zenkor w;
    w.FChargee = true;
    zenkor::LoadEditionFile(w, zenkor::kCurrentEdition);
    if (w("pod", 1).Caption().empty()) {
        state.SkipWithError("the published file does not complete the tournament");
        return;
    }
    for (auto _ : state) zenkor::RecalcAll(w);
    benchmark::DoNotOptimize(w("pod", 1).Caption());
}
BENCHMARK(BM_RecalcAllRealTournament)->Unit(benchmark::kMicrosecond);

}  // namespace
