// The web site under load: requests per second for the published edition file, served by the real
// zenkor-site process on 127.0.0.1 to 64 clients at once, each on its own keep-alive connection.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <random>

#include "tests/site/site_process.h"

namespace {

site_testing::SiteProcess& Site() {
    static std::unique_ptr<site_testing::SiteProcess> site;
    static std::once_flag once;
    std::call_once(once, [] {
        std::random_device rd;
        const auto data =
            std::filesystem::temp_directory_path() / ("zenkor-site-bench-" + std::to_string(rd()));
        site = std::make_unique<site_testing::SiteProcess>(data);
    });
    return *site;
}

void BM_SitePublishedFile64Clients(benchmark::State& state) {
    httplib::Client client("127.0.0.1", Site().port());
    client.set_keep_alive(true);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        auto res = client.Get("/Zenkor2024.ini");
        if (!res || res->status != 200) {
            static std::string why;
            why = res ? "status " + std::to_string(res->status)
                      : "request failed: " + httplib::to_string(res.error());
            state.SkipWithError(why.c_str());
            break;
        }
        bytes += static_cast<std::int64_t>(res->body.size());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_SitePublishedFile64Clients)->Threads(64)->UseRealTime()->MinTime(2.0);

void BM_SiteHomePage(benchmark::State& state) {
    httplib::Client client("127.0.0.1", Site().port());
    client.set_keep_alive(true);
    for (auto _ : state) {
        auto res = client.Get("/");
        if (!res || res->status != 200) {
            state.SkipWithError("request failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SiteHomePage)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
