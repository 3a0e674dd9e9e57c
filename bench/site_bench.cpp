// The web site under load: requests per second for the published edition file, served by the real
// zenkor-site process on 127.0.0.1 to 64 clients at once, each on its own keep-alive connection.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "tests/site/site_process.h"

namespace {

// The site with a data folder of its own; both go when the benchmarks end.
struct BenchSite {
    BenchSite() : data(folder()), process(data) {}
    ~BenchSite() {
        process.Stop();
        std::error_code ec;
        std::filesystem::remove_all(data, ec);
    }
    static std::filesystem::path folder() {
        std::random_device rd;
        return std::filesystem::temp_directory_path() / ("zenkor-site-bench-" + std::to_string(rd()));
    }
    std::filesystem::path data;
    site_testing::SiteProcess process;
};

std::unique_ptr<BenchSite>& Site() {
    static std::unique_ptr<BenchSite> site;
    return site;
}

// Started from the main thread before a run: the site ends with the process that started it.
void StartSite(const benchmark::State&) {
    if (!Site()) Site() = std::make_unique<BenchSite>();
}

int Port() {
    return Site()->process.port();
}

// Fails the run with why the request failed; false then.
bool Served(benchmark::State& state, const httplib::Result& res) {
    if (res && res->status == 200) return true;
    const std::string why =
        res ? "status " + std::to_string(res->status) : "request failed: " + httplib::to_string(res.error());
    state.SkipWithError(why.c_str());  // copied under the library's lock
    return false;
}

// 64 clients each fetching the edition file from the server on port, over their own keep-alive connection.
void PublishedFile64Clients(benchmark::State& state, int port) {
    httplib::Client client("127.0.0.1", port);
    client.set_keep_alive(true);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        auto res = client.Get("/Zenkor2024.ini");
        if (!Served(state, res)) break;
        bytes += static_cast<std::int64_t>(res->body.size());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(bytes);
}

void BM_SitePublishedFile64Clients(benchmark::State& state) {
    PublishedFile64Clients(state, Port());
}
BENCHMARK(BM_SitePublishedFile64Clients)->Setup(StartSite)->Threads(64)->UseRealTime()->MinTime(2.0);

// For a comparison in the same run: another server on 127.0.0.1 serving the same file, at the port that
// ZENKOR_BENCH_OTHER_PORT names (say nginx with the site's Zenkor2024.ini in its root).
const bool kOtherServer = [] {
    const char* port = std::getenv("ZENKOR_BENCH_OTHER_PORT");
    if (!port || !*port) return false;
    benchmark::RegisterBenchmark(
        "BM_OtherServerPublishedFile64Clients",
        [p = std::atoi(port)](benchmark::State& state) { PublishedFile64Clients(state, p); })
        ->Threads(64)
        ->UseRealTime()
        ->MinTime(2.0);
    return true;
}();

void BM_SiteHomePage(benchmark::State& state) {
    httplib::Client client("127.0.0.1", Port());
    client.set_keep_alive(true);
    for (auto _ : state) {
        if (!Served(state, client.Get("/"))) break;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SiteHomePage)->Setup(StartSite)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
