// The web site under load: requests per second for the published edition file, served by the real
// zenkor-site process on 127.0.0.1 to 64 clients at once, each on its own keep-alive connection.
#include <benchmark/benchmark.h>
#include <httplib.h>

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

void BM_SitePublishedFile64Clients(benchmark::State& state) {
    httplib::Client client("127.0.0.1", Port());
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
BENCHMARK(BM_SitePublishedFile64Clients)->Setup(StartSite)->Threads(64)->UseRealTime()->MinTime(2.0);

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
