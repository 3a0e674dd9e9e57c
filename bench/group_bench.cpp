// Timings of the group stage: one group's table (with the round-of-16 seeding it ends with) and the
// typing of all 72 group scores once loading has finished.
#include <benchmark/benchmark.h>

#include <string>

#include "app/main_window.h"
#include "group_stage/group_stage.h"

namespace {

void TypeAllScores(zenkor::Zenkor& w, int round) {
    for (int g = 0; g < 6; ++g) {
        for (int k = 0; k < 12; ++k) {
            w(zenkor::GroupControlNames(g).score, k).setText(std::to_string((round + g + k * 7) % 4));
        }
    }
}

void BM_GroupRecompute(benchmark::State& state) {
    zenkor::Zenkor w;
    w.FChargee = true;
    TypeAllScores(w, 0);
    for (auto _ : state) zenkor::CalcGroupStandings(w, 0);
}
BENCHMARK(BM_GroupRecompute)->Unit(benchmark::kMicrosecond);

void BM_GroupTypeAll72Scores(benchmark::State& state) {
    zenkor::Zenkor w;
    w.FChargee = true;
    int round = 0;
    for (auto _ : state) TypeAllScores(w, ++round);  // every write changes the box, so every one recomputes
}
BENCHMARK(BM_GroupTypeAll72Scores)->Unit(benchmark::kMillisecond);

}  // namespace
