// The real zenkor-site process on 127.0.0.1 against clients out to exhaust it: small compressed bodies
// that would inflate to hundreds of megabytes, and sockets that send their request a byte at a time or
// nothing at all.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/site/site_process.h"
#include "tests/support/fakes.h"

namespace site_testing {
namespace {

using namespace std::chrono_literals;

// The most memory the process has held at once, in KiB.
long peakMemory(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// `zeros` zero bytes, gzip-compressed.
std::string gzipOfZeros(size_t zeros) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    const std::string block(1 << 20, '\0');
    std::string out;
    char buffer[1 << 16];
    for (size_t left = zeros;;) {
        const size_t n = std::min(left, block.size());
        left -= n;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(block.data()));
        z.avail_in = static_cast<uInt>(n);
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int rc;
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer);
            z.avail_out = sizeof buffer;
            rc = deflate(&z, flush);
            out.append(buffer, sizeof buffer - z.avail_out);
        } while (z.avail_out == 0);
        if (rc == Z_STREAM_END) break;
    }
    deflateEnd(&z);
    return out;
}

int connectTo(int port) {
    const int fd = ConnectTo(port);
    EXPECT_GE(fd, 0);
    return fd;
}

// True once the server has closed fd (what it sent before is read and dropped).
bool closedByServer(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return false;
    char buffer[4096];
    const ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN);
}

TEST(HostileClients, ACompressedBodyIsRefusedBeforeItIsInflated) {
    testing_support::Sandbox box;
    SiteProcess site(box.folder() / "site-data");
    httplib::Client client("127.0.0.1", site.port());
    ASSERT_TRUE(client.Get("/"));
    const long before = peakMemory(site.pid());
    const std::string bomb = gzipOfZeros(size_t{200} << 20);
    ASSERT_LT(bomb.size(), 256u * 1024);

    for (const char* path : {"/contacter.php", "/expZenkor2024.php"}) {
        auto r = client.Post(path, {{"Content-Encoding", "gzip"}}, bomb, "application/x-www-form-urlencoded");
        ASSERT_TRUE(r) << path << ": " << httplib::to_string(r.error());
        EXPECT_EQ(r->status, 415) << path;
        EXPECT_NE(r->body.find("compressés"), std::string::npos);
    }
    auto brotli = client.Post("/contacter.php", {{"Content-Encoding", "br"}}, std::string(1000, '\x1b'),
                              "application/x-www-form-urlencoded");
    ASSERT_TRUE(brotli);
    EXPECT_EQ(brotli->status, 415);
    EXPECT_LT(peakMemory(site.pid()) - before, 32 * 1024) << "KiB more at the peak";
    auto home = client.Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
}

TEST(HostileClients, SlowAndSilentSocketsHoldNoWorkerAndEndAtTheirDeadline) {
    testing_support::Sandbox box;
    SiteProcess site(box.folder() / "site-data");
    const auto start = std::chrono::steady_clock::now();

    // The listen queue is deep enough for a burst of new connections.
    std::string listing;
    ASSERT_EQ(RunProgram({"/usr/bin/ss", "-Hltn", "sport = :" + std::to_string(site.port())}, 10, &listing),
              0);
    std::istringstream fields(listing);
    std::string state;
    long queued = 0, backlog = 0;
    fields >> state >> queued >> backlog;
    EXPECT_EQ(state, "LISTEN") << listing;
    EXPECT_GE(backlog, 128) << listing;

    // 100 sockets that send nothing and 100 that send their headers a byte every 200 ms, more than the
    // site has workers.
    std::vector<int> silent, slow;
    for (int i = 0; i < 100; ++i) silent.push_back(connectTo(site.port()));
    for (int i = 0; i < 100; ++i) {
        slow.push_back(connectTo(site.port()));
        const std::string begin = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ";
        send(slow.back(), begin.data(), begin.size(), MSG_NOSIGNAL);
    }
    std::atomic<bool> done{false};
    std::thread dribble([&] {
        while (!done) {
            for (int fd : slow) send(fd, "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            std::this_thread::sleep_for(200ms);
        }
    });

    // Meanwhile the site answers everybody else at once.
    for (int i = 0; i < 20; ++i) {
        httplib::Client visitor("127.0.0.1", site.port());
        visitor.set_connection_timeout(2);
        visitor.set_read_timeout(2);
        auto r = visitor.Get(i % 2 ? "/" : "/Zenkor2024.ini");
        EXPECT_TRUE(r && r->status == 200) << "request " << i << ": " << httplib::to_string(r.error());
    }

    // Neither kind keeps its connection past the header deadline (10 s).
    size_t open = silent.size() + slow.size();
    std::vector<bool> closed(open, false);
    while (open > 0 && std::chrono::steady_clock::now() - start < 16s) {
        std::this_thread::sleep_for(100ms);
        for (size_t i = 0; i < closed.size(); ++i) {
            const int fd = i < silent.size() ? silent[i] : slow[i - silent.size()];
            if (!closed[i] && closedByServer(fd)) {
                closed[i] = true;
                --open;
            }
        }
    }
    done = true;
    dribble.join();
    EXPECT_EQ(open, 0u) << "connections still open after 16 s";
    for (int fd : silent) close(fd);
    for (int fd : slow) close(fd);
}

}  // namespace
}  // namespace site_testing
