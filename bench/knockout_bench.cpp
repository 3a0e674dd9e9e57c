// Timings of the knockout stage: the full recompute on a complete and on an empty tournament.
#include <benchmark/benchmark.h>

#include <string>

#include "app/main_names.h"
#include "app/main_window.h"
#include "knockout/knockout.h"

namespace {

using zenkor::Zenkor;

const char* const kKnockoutOrder[][2] = {
    {"ButPen", "16"}, {"Buthui", "16"},   {"ButQua", "8"}, {"ButPen4", "8"},      {"ButDem", "4"},
    {"ButPen2", "4"}, {"ButPenFIN", "2"}, {"ButFIN", "2"}, {"ButPenpetfin", "2"}, {"Butpetfin", "2"},
};

void PrepareWindow(Zenkor& w) {
    auto& messages = zenkor::LangMessages();
    messages[1] = "Phase Finale";
    messages[2] = "Phase de Groupes";
    messages[3] = "Tirage au sort";
    messages[10] = "buts";
    w.FChargee = true;
}

// Edition v of a whole tournament: group scores, team names and knockout scores that differ between v = 0
// and v = 1 in every box, so that loading one over the other changes every text.
std::string GroupScore(int v, int g, int k) {
    return std::to_string((v * 2 + g + k * 7) % 5);
}
std::string TeamName(int v, int g, int i) {
    return Zenkor::groupName(g) + std::to_string(i) + (v ? "b" : "a");
}
std::string KnockoutScore(int v, bool penalty, int n) {
    if (penalty) return std::to_string((v * 3 + n) % 6);
    return std::to_string((v * 2 + n * 3) % 4);
}

// Writes every box in the loader's order: lots marks, then per group 12 scores and 4 names, then the
// knockout boxes; the loader ends with the full recompute.
void LoadEdition(Zenkor& w, int v) {
    w(zenkor::kEditionNameText).setText(v ? "Zenkor2020" : "Zenkor2024");
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) w(Zenkor::groupName(g), i).setTag(v && i == 2 ? "1" : "");
    }
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) w("But" + Zenkor::groupName(g), k).setText(GroupScore(v, g, k));
        for (int i = 1; i <= 4; ++i) w(Zenkor::groupName(g), i).setText(TeamName(v, g, i));
    }
    for (const auto& [name, count] : kKnockoutOrder) {
        const bool penalty = std::string(name).find("Pen") != std::string::npos;
        for (int n = 0; n < std::stoi(count); ++n) w(name, n).setText(KnockoutScore(v, penalty, n));
    }
    zenkor::RecalcAll(w);
}

void BM_RecalcAllComplete(benchmark::State& state) {
    Zenkor w;
    PrepareWindow(w);
    LoadEdition(w, 0);
    for (auto _ : state) zenkor::RecalcAll(w);
    benchmark::DoNotOptimize(w("pod", 1).Caption());
}
BENCHMARK(BM_RecalcAllComplete)->Unit(benchmark::kMicrosecond);

void BM_RecalcAllEmpty(benchmark::State& state) {
    Zenkor w;
    PrepareWindow(w);
    for (auto _ : state) zenkor::RecalcAll(w);
    benchmark::DoNotOptimize(w(zenkor::kHistoryGoalTotalLabel).Caption());
}
BENCHMARK(BM_RecalcAllEmpty)->Unit(benchmark::kMicrosecond);

}  // namespace
