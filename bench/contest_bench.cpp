// The contest at the size of a real one: the ranking page of 10,000 players served over HTTP on
// 127.0.0.1 (warm, after an upload, right after a publish and right after a start), the scoring of
// everybody that a publish starts in the background, and the scoring of one upload.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <sodium.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "platform/ini.h"
#include "site/contest/contest.h"
#include "site/contest/routes.h"
#include "site/http_server.h"
#include "site/server.h"
#include "site/tournament.h"
#include "tests/site/site_process.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kBeforeTournament = 1717200000;  // 1 June 2024

std::string realResults() {
    return platform::ReadFileBytes(fs::path(ZENKOR_BENCH_DATA_DIR) / "site/Zenkor2024.ini").value_or("");
}

contest::ContestOptions options(const fs::path& folder) {
    contest::ContestOptions o;
    o.dataFolder = folder;
    o.hashOps = crypto_pwhash_OPSLIMIT_MIN;
    o.hashMemory = crypto_pwhash_MEMLIMIT_MIN;
    return o;
}

// A temporary folder, removed at exit.
struct Folder {
    fs::path path;
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// A data folder with the real results published and 10,000 players, each with 51 predictions of their own.
fs::path Populated() {
    static const Folder folder{[] {
        std::random_device rd;
        const fs::path f = fs::temp_directory_path() / ("zenkor-contest-bench-" + std::to_string(rd()));
        fs::create_directories(f);
        (void)platform::WriteFileAtomically(f / "Zenkor2024.ini", realResults());
        {
            contest::Contest c(options(f));
            const auto login = c.Login("Modèle", "secret", "127.0.0.1", kBeforeTournament);
            const auto session = c.Session(login.token, kBeforeTournament);
            (void)c.Upload(session->playerId, contest::Kind::Tournament, "Zenkor2024.ini", realResults(),
                           "127.0.0.1", kBeforeTournament);
        }
        sqlite3* db = nullptr;
        sqlite3_open((f / "contest.sqlite").c_str(), &db);
        sqlite3_exec(
            db,
            "BEGIN;"
            "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
            "INSERT INTO players(id, pseudonym, pseudonym_key, password_hash, created_at) "
            "SELECT i, 'Joueur ' || i, 'joueur ' || i, (SELECT password_hash FROM players WHERE id = 1), 0 "
            "FROM n;"
            "INSERT INTO predictions(player_id, contest, match_key, team1, team2, goals1, goals2, winner, "
            "upload_id) SELECT p.id, q.contest, q.match_key, q.team1, q.team2, abs(random()) % 4, "
            "abs(random()) % 4, q.winner, q.upload_id FROM players p, predictions q "
            "WHERE p.id > 1 AND q.player_id = 1;"
            "COMMIT;",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return f;
    }()};
    return folder.path;
}

// The contest's routes on a real server on 127.0.0.1, as the site runs them.
struct Server {
    explicit Server(const fs::path& folder) : contest(options(folder)) {
        site::ConfigureServer(routes);
        contest::RegisterContestRoutes(routes, contest);
        port = server.Start("127.0.0.1", 0);
    }
    contest::Contest contest;
    site::Routes routes;
    site::HttpServer server{routes};
    int port = 0;
};

Server& Shared() {
    static Server s(Populated());
    return s;
}

// A new file each time, from another of the 10,000 players and another address, as a real crowd sends
// them (one player sending the same file again stores nothing, and is limited per hour).
contest::UploadResult UploadAsAnother(Server& s, const std::string& file) {
    static int n = 0;
    ++n;
    const std::string address = "10.0." + std::to_string(n / 250 % 250) + "." + std::to_string(n % 250);
    return s.contest.Upload(2 + n % 9999, contest::Kind::Tournament, "Zenkor2024.ini",  // players 2 to 10000
                            file + "[Banc]\r\nn=" + std::to_string(n) + "\r\n", address, kBeforeTournament);
}

bool Serve(benchmark::State& state, httplib::Client& client) {
    const auto res = client.Get("/classement.php");
    if (!res || res->status != 200) {
        state.SkipWithError("the ranking page did not come");
        return false;
    }
    benchmark::DoNotOptimize(res->body.data());
    return true;
}

void BM_RankingPage10000Players(benchmark::State& state) {
    httplib::Client client("127.0.0.1", Shared().port);
    client.set_keep_alive(true);
    for (auto _ : state) {
        if (!Serve(state, client)) break;
    }
    state.counters["players"] = static_cast<double>(Shared().contest.PlayerCount(contest::Kind::Tournament));
}
BENCHMARK(BM_RankingPage10000Players)->Unit(benchmark::kMillisecond);

// The same page for 64 clients at once, each on its own keep-alive connection: the median and the 99th
// percentile of every client's waits.
void BM_RankingPage10000Players64Clients(benchmark::State& state) {
    static std::mutex mutex;
    static std::vector<double> waits;
    static std::atomic<int> finished{0};
    if (state.thread_index() == 0) {
        waits.clear();
        finished = 0;
    }
    site_testing::RawClient client(Shared().port);
    std::vector<double> mine;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (client.Get("/classement.php") <= 0) {
            state.SkipWithError("the ranking page did not come");
            break;
        }
        mine.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    {
        std::lock_guard lock(mutex);
        waits.insert(waits.end(), mine.begin(), mine.end());
    }
    ++finished;
    if (state.thread_index() != 0) return;
    while (finished < state.threads()) std::this_thread::yield();
    std::lock_guard lock(mutex);
    if (waits.empty()) return;
    std::sort(waits.begin(), waits.end());
    const auto at = [](double q) {
        return waits[static_cast<size_t>(q * static_cast<double>(waits.size() - 1))];
    };
    state.counters["p50_ms"] = at(0.50);
    state.counters["p99_ms"] = at(0.99);
}
BENCHMARK(BM_RankingPage10000Players64Clients)
    ->Threads(64)
    ->UseRealTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

// One player's new file: that player is scored again and the ranking sorted again.
void BM_RankingPageAfterAnUpload(benchmark::State& state) {
    Server& s = Shared();
    httplib::Client client("127.0.0.1", s.port);
    client.set_keep_alive(true);
    for (auto _ : state) {
        state.PauseTiming();
        (void)UploadAsAnother(s, realResults());
        state.ResumeTiming();
        if (!Serve(state, client)) break;
    }
}
BENCHMARK(BM_RankingPageAfterAnUpload)->Unit(benchmark::kMillisecond);

// A newly published file: the visitor who notices it gets the ranking at once, while everybody is
// scored again in the background.
void BM_RankingPageAfterAPublish(benchmark::State& state) {
    Server& s = Shared();
    httplib::Client client("127.0.0.1", s.port);
    client.set_keep_alive(true);
    const fs::path published = Populated() / "Zenkor2024.ini";
    auto stamp = fs::last_write_time(published);
    for (auto _ : state) {
        state.PauseTiming();
        s.contest.WaitForScores();
        stamp += std::chrono::seconds(1);
        fs::last_write_time(published, stamp);
        state.ResumeTiming();
        if (!Serve(state, client)) break;
    }
    s.contest.WaitForScores();
}
BENCHMARK(BM_RankingPageAfterAPublish)->Unit(benchmark::kMillisecond)->Iterations(30);

// The background work a publish starts: the file read and everybody scored against it and against the
// file it replaced.
void BM_EverybodyScoredAfterAPublish(benchmark::State& state) {
    Server& s = Shared();
    const fs::path published = Populated() / "Zenkor2024.ini";
    (void)platform::WriteFileAtomically(Populated() / "Zenkor2024.ini.bak", realResults());
    auto stamp = fs::last_write_time(published);
    for (auto _ : state) {
        state.PauseTiming();
        stamp += std::chrono::seconds(1);
        fs::last_write_time(published, stamp);
        state.ResumeTiming();
        s.contest.WaitForScores();
    }
    fs::remove(Populated() / "Zenkor2024.ini.bak");
    s.contest.WaitForScores();
}
BENCHMARK(BM_EverybodyScoredAfterAPublish)->Unit(benchmark::kMillisecond);

// A site just started on a contest of 10,000 players: its first visitor's ranking page.
void BM_RankingPageAfterAStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto started = std::make_unique<Server>(Populated());
        httplib::Client client("127.0.0.1", started->port);
        state.ResumeTiming();
        if (!Serve(state, client)) break;
        state.PauseTiming();
        started.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RankingPageAfterAStart)->Unit(benchmark::kMillisecond)->Iterations(5);

// Starting the contest of 10,000 players: their predictions loaded and everybody scored, before the
// site listens.
void BM_ContestStart(benchmark::State& state) {
    for (auto _ : state) {
        contest::Contest c(options(Populated()));
        benchmark::DoNotOptimize(&c);
    }
}
BENCHMARK(BM_ContestStart)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading one uploaded edition file (window model, full recompute) and keeping its 51 predictions.
void BM_ScoreOneUpload(benchmark::State& state) {
    Server& s = Shared();
    const std::string file = realResults();
    for (auto _ : state) {
        const auto r = UploadAsAnother(s, file);
        if (!r.ok) {
            state.SkipWithError("the upload was refused");
            break;
        }
    }
}
BENCHMARK(BM_ScoreOneUpload)->Unit(benchmark::kMillisecond);

}  // namespace
