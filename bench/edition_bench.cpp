// Loading the shipped edition files through the program's own load, from a program folder on disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/edition_files.h"
#include "app/main_window.h"
#include "platform/runtime.h"

namespace {

using zenkor::Zenkor;

// A program folder holding copies of the shipped edition files, removed at the end.
class ShippedFolder {
  public:
    ShippedFolder() {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() / ("zenkor-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        for (const char* name : {"Zenkor2024.ini", "Zenkor2016.ini"}) {
            std::filesystem::copy_file(std::filesystem::path(ZENKOR_DATA_DIR) / name, folder_ / name);
        }
        platform::SetProgramFolder(folder_);
    }
    ~ShippedFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

  private:
    std::filesystem::path folder_;
};

// Range 0: the current edition loaded again over itself (the return from the history panel): the
// reads and the closing recompute. Range 1: the current edition and 2016 in turn, so that every box
// changes and runs its handler, each recomputing its table or round. Range 2: the same as start-up
// loads, the boxes' handlers only filling (FChargee false) before the closing recompute.
void BM_LoadEditionFile(benchmark::State& state) {
    ShippedFolder folder;
    Zenkor w;
    w.FChargee = state.range(0) != 2;
    zenkor::LoadEditionFile(w, "Zenkor2024");
    bool other = false;
    for (auto _ : state) {
        const bool alternate = state.range(0) != 0;
        other = alternate && !other;
        zenkor::LoadEditionFile(w, other ? "Zenkor2016" : "Zenkor2024");
    }
    benchmark::DoNotOptimize(w("pod", 1).Caption());
}
BENCHMARK(BM_LoadEditionFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
