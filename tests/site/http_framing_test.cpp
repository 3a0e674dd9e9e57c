// The real zenkor-site process on 127.0.0.1, alone and behind nginx (--trusted-proxy), against requests
// whose end is in doubt, bodies that hide a request, bodies that never end or never stop, clients that
// never read, and a process short of descriptors.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/text.h"
#include "tests/site/site_process.h"
#include "tests/support/fakes.h"

namespace site_testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A field of /proc/PID/status, in KiB.
long memoryField(pid_t pid, const std::string& name) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

int connectTo(int port) {
    const int fd = ConnectTo(port);
    EXPECT_GE(fd, 0);
    return fd;
}

void sendAll(int fd, const std::string& bytes) {
    ASSERT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
}

// What fd receives until the peer closes (closed) or wait passes; stop, when given, ends it early once
// it holds for what came.
struct Received {
    std::string text;
    bool closed = false;
};
Received receive(int fd, std::chrono::milliseconds wait, bool (*stop)(const std::string&) = nullptr) {
    Received r;
    const auto deadline = Clock::now() + wait;
    while (!(stop && stop(r.text))) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buffer[16384];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            r.closed = true;
            break;
        }
        r.text.append(buffer, static_cast<size_t>(n));
    }
    return r;
}

// Once a whole response with a Content-Length is in.
bool oneResponse(const std::string& text) {
    const size_t end = text.find("\r\n\r\n");
    if (end == std::string::npos) return false;
    const size_t at = text.find("Content-Length: ");
    if (at == std::string::npos || at > end) return true;
    return text.size() >= end + 4 + std::stoul(text.substr(at + 16));
}

int statusOf(const std::string& response) {
    return response.rfind("HTTP/1.", 0) == 0 && response.size() > 12 ? std::stoi(response.substr(9, 3)) : 0;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The site on 127.0.0.1, reached directly or through nginx in front of it (the parameter).
class HttpFraming : public ::testing::TestWithParam<bool> {
  protected:
    HttpFraming()
        : site(box.folder() / "site-data", behindProxy()
                                               ? std::vector<std::string>{"--trusted-proxy", "127.0.0.1"}
                                               : std::vector<std::string>{}) {
        if (behindProxy()) proxy.emplace(NginxProcess::Proxy(box.folder() / "nginx", site.port()));
    }
    bool behindProxy() const { return GetParam(); }
    int port() const { return proxy ? proxy->port() : site.port(); }

    // The player of that pseudonym has registered.
    bool registered(const std::string& pseudonym) {
        httplib::Client client("127.0.0.1", port());
        auto page = client.Get("/joueur.php?pseudo=" + pseudonym);
        EXPECT_TRUE(page);
        return page && page->status == 200;
    }

    testing_support::Sandbox box;
    SiteProcess site;
    std::optional<NginxProcess> proxy;
};

// A login of its own address: a player registered from an address of the attacker's choosing.
std::string hiddenLogin(const std::string& pseudonym, int address) {
    return "GET /expZenkor2024.php?mdp=secret&pseudo=" + pseudonym +
           " HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Forwarded-For: 198.51.100." + std::to_string(address) +
           "\r\n\r\n";
}

TEST_P(HttpFraming, ARequestHiddenInABodyNeverRunsAndAnAnswerBeforeTheBodyEndsTheConnection) {
    // What a hidden request would do, done in the open: the observation works.
    {
        const int fd = connectTo(port());
        sendAll(fd, hiddenLogin("Visible", 1));
        EXPECT_EQ(statusOf(receive(fd, 3s, oneResponse).text), 303);
        close(fd);
        ASSERT_TRUE(registered("Visible"));
    }
    const std::string form = "Content-Type: application/x-www-form-urlencoded\r\n";
    const struct {
        const char* pseudonym;
        std::string head;  // what comes before the hidden request
        int status;        // the site's answer (nginx may refuse first)
    } cases[] = {
        {"HiddenInAGet", "GET /Zenkor2024.ini HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: LEN\r\n\r\n",
         200},
        {"HiddenCrossSite",
         "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\nOrigin: http://evil.example\r\n" + form +
             "Content-Length: LEN\r\n\r\n",
         403},
        {"HiddenTwoLengths",
         "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\n" + form +
             "Content-Length: 9\r\nContent-Length: LEN9\r\n\r\nmessage=x",
         400},
        {"HiddenLengthAndChunks",
         "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\n" + form +
             "Content-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
         400},
        {"HiddenSignedLength",
         "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\n" + form + "Content-Length: +LEN\r\n\r\n", 400},
        {"HiddenLengthNotANumber",
         "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\n" + form + "Content-Length: 0x\r\n\r\n", 400},
    };
    int address = 10;
    for (const auto& c : cases) {
        const std::string hidden = hiddenLogin(c.pseudonym, ++address);
        std::string request = c.head;
        request = platform::Replace(request, "LEN9", std::to_string(hidden.size() + 9));
        request = platform::Replace(request, "LEN", std::to_string(hidden.size()));
        const int fd = connectTo(port());
        sendAll(fd, request + hidden);
        // Alone, the site closes the connection; nginx keeps its own with the client open.
        const Received r = receive(fd, behindProxy() ? 1500ms : 5s);
        close(fd);
        // libmicrohttpd 0.9.75 writes the header block of its own 400 twice, in one answer that ends the
        // connection: never a second answer.
        EXPECT_EQ(count(r.text, "HTTP/1.1 200") + count(r.text, "HTTP/1.1 303"), c.status == 200 ? 1u : 0u)
            << c.pseudonym << ":\n"
            << r.text;
        if (!behindProxy()) {
            EXPECT_EQ(statusOf(r.text), c.status) << c.pseudonym;
            EXPECT_TRUE(r.closed) << c.pseudonym;
        }
        EXPECT_FALSE(registered(c.pseudonym)) << c.pseudonym;
    }
}

TEST_P(HttpFraming, SlowChunkedUploadsAndClientsThatNeverReadDelayNoOtherVisitor) {
    std::vector<int> slow, pipelining;
    for (int i = 0; i < 70; ++i) {
        slow.push_back(connectTo(port()));
        sendAll(slow.back(),
                "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                "application/x-www-form-urlencoded\r\nTransfer-Encoding: chunked\r\n\r\n");
    }
    std::string requests;
    for (int i = 0; i < 900; ++i) requests += "GET /Zenkor2024.ini HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    for (int i = 0; i < 70; ++i) {
        pipelining.push_back(connectTo(port()));
        (void)!send(pipelining.back(), requests.data(), requests.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    std::atomic<bool> done{false};
    std::thread dribble([&] {
        while (!done) {
            for (int fd : slow) (void)!send(fd, "1\r\na\r\n", 6, MSG_NOSIGNAL | MSG_DONTWAIT);
            std::this_thread::sleep_for(500ms);
        }
    });

    for (int i = 0; i < 10; ++i) {
        httplib::Client visitor("127.0.0.1", port());
        visitor.set_connection_timeout(3);
        visitor.set_read_timeout(3);
        const auto start = Clock::now();
        auto r = visitor.Get(i % 2 ? "/" : "/Zenkor2024.ini");
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        EXPECT_TRUE(r && r->status == 200) << "visitor " << i << ": " << httplib::to_string(r.error());
        EXPECT_LT(took.count(), 1000) << "visitor " << i << " waited, in ms";
        std::this_thread::sleep_for(100ms);
    }
    done = true;
    dribble.join();
    for (int fd : slow) close(fd);
    for (int fd : pipelining) close(fd);
}

TEST_P(HttpFraming, AHugeChunkedBodyIsRefusedWhileTheMemoryStaysFlat) {
    httplib::Client client("127.0.0.1", port());
    ASSERT_TRUE(client.Get("/"));
    // The peak from here on.
    std::ofstream(("/proc/" + std::to_string(site.pid()) + "/clear_refs")) << "5";
    const long rest = memoryField(site.pid(), "VmRSS");
    ASSERT_GT(rest, 0);

    const int fd = connectTo(port());
    timeval timeout{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sendAll(fd,
            "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
            "application/x-www-form-urlencoded\r\nTransfer-Encoding: chunked\r\n\r\n");
    const std::string chunk = "10000\r\n" + std::string(0x10000, 'a') + "\r\n";
    constexpr size_t kChunks = 120 * 16;  // 120 MiB
    size_t sent = 0;
    while (sent < kChunks &&
           send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(chunk.size()))
        ++sent;
    if (sent == kChunks) sendAll(fd, "0\r\n\r\n");
    const Received r = receive(fd, 5s, oneResponse);
    close(fd);
    // Refused: cut short, or answered 413 (alone; nginx has its own body limit).
    EXPECT_TRUE(sent < kChunks || statusOf(r.text) == 413) << r.text.substr(0, 200);
    const long peak = memoryField(site.pid(), "VmHWM");
    EXPECT_LT(peak - rest, 64 * 1024) << "KiB above the rest of " << rest << " KiB";
    auto home = client.Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
}

TEST_P(HttpFraming, AClientThatExpectsToContinueIsToldAtOnce) {
    const int fd = connectTo(port());
    const std::string body = "sujet=Zenkor+V1.0&message=Bonjour";
    const auto start = Clock::now();
    sendAll(fd,
            "POST /contacter.php HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
            "application/x-www-form-urlencoded\r\n"
            "Expect: 100-continue\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\n\r\n");
    const Received told =
        receive(fd, 2s, [](const std::string& t) { return t.find("\r\n\r\n") != std::string::npos; });
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_EQ(told.text.rfind("HTTP/1.1 100 Continue\r\n", 0), 0u) << told.text;
    EXPECT_LT(took.count(), 1000);
    sendAll(fd, body);
    EXPECT_EQ(statusOf(receive(fd, 3s, oneResponse).text), 303);
    close(fd);
}

TEST_P(HttpFraming, AContactMessageOfFourThousandAccentedCharactersIsStoredWhole) {
    std::string text;
    while (platform::Len(text) < 4000) text += "Déjà l'été à Noël ! ";
    text = platform::Left(text, 4000);
    ASSERT_GT(text.size(), 4000u);
    httplib::Client client("127.0.0.1", port());
    auto sent = client.Post("/contacter.php", httplib::Params{{"sujet", "Zenkor V1.0"}, {"message", text}});
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->status, 303);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((site.data() / "contest.sqlite").c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT message FROM contact_messages", -1, &st, nullptr), SQLITE_OK);
    std::vector<std::string> stored;
    while (sqlite3_step(st) == SQLITE_ROW)
        stored.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    EXPECT_EQ(stored, std::vector<std::string>{text});
}

INSTANTIATE_TEST_SUITE_P(Site, HttpFraming, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BehindNginx" : "Alone"; });

TEST(HttpLimits, ShortOfDescriptorsTheSiteSaysItRefusesAndServesTheConnectionsItHolds) {
    testing_support::Sandbox box;
    const auto log = box.folder() / "site.log";
    SiteProcess site(box.folder() / "site-data", {}, {}, Launch{96, log});
    const std::string get = "GET /Zenkor2024.ini HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    std::vector<int> held;
    for (int i = 0; i < 4; ++i) {
        held.push_back(connectTo(site.port()));
        sendAll(held.back(), get);
        ASSERT_EQ(statusOf(receive(held.back(), 3s, oneResponse).text), 200);
    }
    std::vector<int> flood;
    for (int i = 0; i < 150; ++i) flood.push_back(connectTo(site.port()));
    std::this_thread::sleep_for(500ms);

    for (int fd : held) {
        sendAll(fd, get);
        EXPECT_EQ(statusOf(receive(fd, 2s, oneResponse).text), 200);
    }
    std::ifstream in(log);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("refusing connections"), std::string::npos) << said;

    for (int fd : flood) close(fd);
    for (int fd : held) close(fd);
    std::this_thread::sleep_for(200ms);
    httplib::Client visitor("127.0.0.1", site.port());
    auto home = visitor.Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
}

TEST(HttpLimits, LoginsWaitingToHashTheirPasswordsDelayNoOtherVisitor) {
    testing_support::Sandbox box;
    // Behind a proxy of its own, so each login comes from an address of its own and is hashed.
    SiteProcess site(box.folder() / "site-data", {"--trusted-proxy", "127.0.0.1"});
    std::vector<int> logins;
    for (int i = 0; i < 64; ++i) {
        logins.push_back(connectTo(site.port()));
        sendAll(logins.back(), "GET /expZenkor2024.php?mdp=secret&pseudo=Joueur" + std::to_string(i) +
                                   " HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Forwarded-For: 10.0." +
                                   std::to_string(i / 200) + "." + std::to_string(i % 200 + 1) + "\r\n\r\n");
    }
    for (int i = 0; i < 5; ++i) {
        httplib::Client visitor("127.0.0.1", site.port());
        visitor.set_read_timeout(5);
        const auto start = Clock::now();
        // Pages that need nothing of the contest, whose database the logins keep busy.
        auto r = visitor.Get(i % 2 ? "/zenkor.php" : "/Zenkor2024.ini");
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        EXPECT_TRUE(r && r->status == 200) << "visitor " << i;
        EXPECT_LT(took.count(), 1000) << "visitor " << i << " waited, in ms";
    }
    // Each login is answered: registered, or asked to come back while the site is busy hashing.
    for (int fd : logins) {
        const int status = statusOf(receive(fd, 10s, oneResponse).text);
        EXPECT_TRUE(status == 303 || status == 503) << status;
        close(fd);
    }
}

}  // namespace
}  // namespace site_testing
