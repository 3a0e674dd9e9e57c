// The web site under load: requests per second for the published edition file, served by the real
// zenkor-site process on 127.0.0.1 to 64 clients at once, each on its own keep-alive connection or on a
// new connection for each request; and, in the same run, nginx (worker_processes auto) serving the same
// file from its folder, when nginx is installed.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/site/site_process.h"

namespace {

// The site with a data folder of its own, and nginx serving its file; all go when the benchmarks end.
struct BenchSite {
    BenchSite() : data(folder()), process(data / "site-data") {
        if (!site_testing::NginxProcess::Installed()) return;
        httplib::Client client("127.0.0.1", process.port());
        auto file = client.Get("/Zenkor2024.ini");
        if (!file || file->status != 200) return;
        std::filesystem::create_directories(data / "www");
        std::ofstream(data / "www" / "Zenkor2024.ini", std::ios::binary) << file->body;
        nginx.emplace(site_testing::NginxProcess::Files(data / "nginx", data / "www"));
    }
    ~BenchSite() {
        nginx.reset();
        process.Stop();
        std::error_code ec;
        std::filesystem::remove_all(data, ec);
    }
    static std::filesystem::path folder() {
        std::random_device rd;
        const auto f = std::filesystem::temp_directory_path() / ("zenkor-site-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(f);
        return f;
    }
    std::filesystem::path data;
    site_testing::SiteProcess process;
    std::optional<site_testing::NginxProcess> nginx;
};

std::unique_ptr<BenchSite>& Site() {
    static std::unique_ptr<BenchSite> site;
    return site;
}

// Started from the main thread before a run: the site ends with the process that started it.
void StartSite(const benchmark::State&) {
    if (!Site()) Site() = std::make_unique<BenchSite>();
}

int SitePort() {
    return Site()->process.port();
}

int NginxPort() {
    return Site()->nginx ? Site()->nginx->port() : 0;
}

pid_t NginxPid() {
    return Site()->nginx ? Site()->nginx->pid() : 0;
}

// Fails the run with why the request failed; false then.
bool Served(benchmark::State& state, const httplib::Result& res) {
    if (res && res->status == 200) return true;
    const std::string why =
        res ? "status " + std::to_string(res->status) : "request failed: " + httplib::to_string(res.error());
    state.SkipWithError(why.c_str());  // copied under the library's lock
    return false;
}

// The processor time a server has used, in seconds: the process and its children (nginx's workers).
double CpuSeconds(pid_t server) {
    const auto ofProcess = [](const std::filesystem::path& stat, pid_t parent) {
        std::ifstream in(stat);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t end = text.rfind(')');
        if (end == std::string::npos) return 0.0;
        std::istringstream fields(text.substr(end + 2));
        std::string field;
        std::vector<std::string> f;
        while (fields >> field) f.push_back(field);
        // From the state on: ppid is the 2nd field, utime and stime the 12th and 13th.
        if (f.size() < 13 || (parent > 0 && std::stol(f[1]) != parent)) return 0.0;
        return static_cast<double>(std::stol(f[11]) + std::stol(f[12])) /
               static_cast<double>(sysconf(_SC_CLK_TCK));
    };
    double seconds = ofProcess("/proc/" + std::to_string(server) + "/stat", 0);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") == std::string::npos)
            seconds += ofProcess(entry.path() / "stat", server);
    }
    return seconds;
}

// Each client fetching the edition file from the server on port, over its own keep-alive connection or a
// new connection each time; with the server's processor time for each request.
void PublishedFile(benchmark::State& state, int port, pid_t server, bool keepAlive) {
    if (port == 0) {
        state.SkipWithError("nginx is not installed");
        return;
    }
    static std::atomic<int> finished{0};
    static double cpuBefore = 0;
    if (state.thread_index() == 0) {
        finished = 0;
        cpuBefore = CpuSeconds(server);
    }
    site_testing::RawClient client(port);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const std::int64_t n = client.Get("/Zenkor2024.ini", keepAlive);
        if (n < 0) {
            state.SkipWithError("the file did not come");
            break;
        }
        bytes += n;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(bytes);
    ++finished;
    if (state.thread_index() != 0) return;
    while (finished < state.threads()) std::this_thread::yield();
    // Iterations of every thread: each ran about as many as this one.
    const double requests = static_cast<double>(state.iterations()) * state.threads();
    state.counters["server_cpu_us"] = (CpuSeconds(server) - cpuBefore) * 1e6 / requests;
}

void BM_SitePublishedFile64Clients(benchmark::State& state) {
    PublishedFile(state, SitePort(), Site()->process.pid(), true);
}
BENCHMARK(BM_SitePublishedFile64Clients)->Setup(StartSite)->Threads(64)->UseRealTime()->MinTime(2.0);

void BM_NginxPublishedFile64Clients(benchmark::State& state) {
    PublishedFile(state, NginxPort(), NginxPid(), true);
}
BENCHMARK(BM_NginxPublishedFile64Clients)->Setup(StartSite)->Threads(64)->UseRealTime()->MinTime(2.0);

void BM_SitePublishedFile64ClientsNewConnections(benchmark::State& state) {
    PublishedFile(state, SitePort(), Site()->process.pid(), false);
}
BENCHMARK(BM_SitePublishedFile64ClientsNewConnections)
    ->Setup(StartSite)
    ->Threads(64)
    ->UseRealTime()
    ->MinTime(1.0);

void BM_NginxPublishedFile64ClientsNewConnections(benchmark::State& state) {
    PublishedFile(state, NginxPort(), NginxPid(), false);
}
BENCHMARK(BM_NginxPublishedFile64ClientsNewConnections)
    ->Setup(StartSite)
    ->Threads(64)
    ->UseRealTime()
    ->MinTime(1.0);

void BM_SiteHomePage(benchmark::State& state) {
    httplib::Client client("127.0.0.1", SitePort());
    client.set_keep_alive(true);
    for (auto _ : state) {
        if (!Served(state, client.Get("/"))) break;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SiteHomePage)->Setup(StartSite)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
