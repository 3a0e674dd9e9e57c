#include "site/connections.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "site/client_address.h"

namespace site {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::seconds kLinger{2};
constexpr size_t kLingerBytes = 4 * 1024 * 1024;

struct Connection {
    int fd = -1;
    std::string peer;
    int peerPort = 0;
    std::string buffer;  // received and not yet handed to the library
    size_t scanned = 0;  // of buffer, searched for the end of the headers
    size_t need = 0;     // bytes of the whole request, once its headers are in (0 before)
    bool closeAfter = false;
    bool started = false;   // a byte of the current request came
    bool draining = false;  // answered with a body left unread: what still comes is thrown away
    size_t drained = 0;
    Clock::time_point headerDeadline, requestDeadline;
    int served = 0;
};

enum class Readiness { Waiting, Ready, Refused };

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Where the header block ends (after its empty line), or npos; lines end in LF or CR LF.
size_t headerEnd(const std::string& b, size_t from) {
    for (size_t i = b.find('\n', from); i != std::string::npos; i = b.find('\n', i + 1)) {
        if (i + 1 < b.size() && b[i + 1] == '\n') return i + 2;
        if (i + 2 < b.size() && b[i + 1] == '\r' && b[i + 2] == '\n') return i + 3;
    }
    return std::string::npos;
}

// Whether the request at the start of c.buffer is whole. A body the library must refuse (compressed,
// too large, of unknown length) is left unread: the request goes on at once and closes its connection.
Readiness evaluate(Connection& c, const ConnectionLimits& limits) {
    if (c.need == 0) {
        // Blank lines before a request are allowed.
        const size_t start = c.buffer.find_first_not_of("\r\n");
        if (start == std::string::npos) {
            c.buffer.clear();
            c.scanned = 0;
            return Readiness::Waiting;
        }
        if (start > 0) {
            c.buffer.erase(0, start);
            c.scanned = 0;
        }
        const size_t end = headerEnd(c.buffer, c.scanned);
        if (end == std::string::npos) {
            c.scanned = c.buffer.size() > 2 ? c.buffer.size() - 2 : 0;
            return c.buffer.size() > limits.headerMax ? Readiness::Refused : Readiness::Waiting;
        }
        if (end > limits.headerMax) return Readiness::Refused;
        size_t length = 0;
        bool unread = false;
        std::string_view block(c.buffer.data(), end);
        for (size_t pos = block.find('\n'); pos != std::string_view::npos && pos + 1 < block.size();) {
            const size_t next = block.find('\n', pos + 1);
            const std::string_view line = block.substr(pos + 1, next - pos - 1);
            pos = next;
            const size_t colon = line.find(':');
            if (colon == std::string_view::npos) continue;
            const std::string_view name = trimmed(line.substr(0, colon)),
                                   value = trimmed(line.substr(colon + 1));
            if (sameName(name, "Content-Length")) {
                if (value.empty() || value.size() > 12 ||
                    value.find_first_not_of("0123456789") != std::string_view::npos) {
                    unread = true;
                } else {
                    length = std::stoull(std::string(value));
                    if (length > limits.bodyMax) unread = true;
                }
            } else if (sameName(name, "Content-Encoding") || sameName(name, "Transfer-Encoding")) {
                unread = true;
            }
        }
        c.need = unread ? end : end + length;
        c.closeAfter = unread;
    }
    return c.buffer.size() >= c.need ? Readiness::Ready : Readiness::Waiting;
}

// Reads what the socket holds now; false once the peer has closed or failed.
bool receive(Connection& c) {
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::recv(c.fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            c.buffer.append(chunk, static_cast<size_t>(n));
            c.started = true;
            if (static_cast<size_t>(n) < sizeof chunk) return true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

std::pair<std::string, int> peerOf(int fd) {
    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return {"", 0};
    return {AddressText(reinterpret_cast<const sockaddr*>(&addr)),
            addr.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6&>(addr).sin6_port)
                                       : ntohs(reinterpret_cast<sockaddr_in&>(addr).sin_port)};
}

// The library reads a request through this: first what the poll thread received, then the socket, each
// wait bounded by the I/O timeout and the request's deadline.
class ConnectionStream : public httplib::Stream {
  public:
    ConnectionStream(Connection& c, const ConnectionLimits& limits)
        : c_(c), limits_(limits), writeDeadline_(Clock::now() + limits.requestDeadline) {}

    bool is_readable() const override { return pos_ < c_.buffer.size() || wait(POLLIN, c_.requestDeadline); }
    bool is_writable() const override { return wait(POLLOUT, writeDeadline_); }

    ssize_t read(char* ptr, size_t size) override {
        if (pos_ >= c_.buffer.size()) {
            c_.buffer.clear();
            pos_ = 0;
            for (;;) {
                char chunk[16384];
                const ssize_t n = ::recv(c_.fd, chunk, sizeof chunk, MSG_DONTWAIT);
                if (n > 0) {
                    c_.buffer.assign(chunk, static_cast<size_t>(n));
                    break;
                }
                if (n == 0) return 0;
                if (errno == EINTR) continue;
                if ((errno != EAGAIN && errno != EWOULDBLOCK) || !wait(POLLIN, c_.requestDeadline)) return -1;
            }
        }
        const size_t n = std::min(size, c_.buffer.size() - pos_);
        std::memcpy(ptr, c_.buffer.data() + pos_, n);
        pos_ += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char* ptr, size_t size) override {
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::send(c_.fd, ptr + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait(POLLOUT, writeDeadline_)) continue;
            return done > 0 ? static_cast<ssize_t>(done) : -1;
        }
        return static_cast<ssize_t>(done);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        ip = c_.peer;
        port = c_.peerPort;
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage addr{};
        socklen_t len = sizeof addr;
        if (::getsockname(c_.fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return;
        ip = AddressText(reinterpret_cast<const sockaddr*>(&addr));
        port = addr.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6&>(addr).sin6_port)
                                          : ntohs(reinterpret_cast<sockaddr_in&>(addr).sin_port);
    }
    socket_t socket() const override { return c_.fd; }

    // What came after the request (a pipelined next one) goes back to the connection.
    void keepRest() {
        c_.buffer.erase(0, pos_);
        pos_ = 0;
    }

  private:
    bool wait(short events, Clock::time_point deadline) const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const auto timeout = std::min(left, limits_.ioTimeout);
        if (timeout.count() <= 0) return false;
        pollfd p{c_.fd, events, 0};
        int rc;
        while ((rc = ::poll(&p, 1, static_cast<int>(timeout.count()))) < 0 && errno == EINTR) {
        }
        return rc > 0;
    }

    Connection& c_;
    const ConnectionLimits& limits_;
    Clock::time_point writeDeadline_;
    size_t pos_ = 0;
};

}  // namespace

// The workers, and the poll thread where connections wait for their next request.
class SiteServer::Engine {
  public:
    using Process = std::function<bool(httplib::Stream&, bool closeConnection, bool& connectionClosed)>;

    Engine(const ConnectionLimits& limits, Process process) : limits_(limits), process_(std::move(process)) {
        epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
        wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = wake_;
        ::epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &ev);
        for (int i = 0; i < limits_.workers; ++i) workers_.emplace_back([this] { work(); });
        poller_ = std::thread([this] { poll(); });
    }

    ~Engine() { shutdown(); }

    // Requests being served end with their answer; waiting connections are closed.
    void shutdown() {
        if (stopping_.exchange(true)) return;
        const std::uint64_t one = 1;
        (void)!::write(wake_, &one, sizeof one);
        poller_.join();
        { std::lock_guard lock(jobsMutex_); }
        jobsReady_.notify_all();
        for (std::thread& t : workers_) t.join();
        std::lock_guard lock(roomMutex_);
        for (auto& [fd, c] : room_) close(*c);
        room_.clear();
        ::close(epoll_);
        ::close(wake_);
    }

    void push(std::function<void()> job) {
        {
            std::lock_guard lock(jobsMutex_);
            jobs_.push_back(std::move(job));
        }
        jobsReady_.notify_one();
    }

    // A connection the library accepted.
    void admit(int fd) {
        auto c = std::make_unique<Connection>();
        c->fd = fd;
        std::tie(c->peer, c->peerPort) = peerOf(fd);
        {
            std::lock_guard lock(countsMutex_);
            size_t& fromPeer = perPeer_[c->peer];
            if (open_ >= limits_.connections ||
                (fromPeer >= limits_.connectionsPerPeer && !IsTrustedProxy(c->peer))) {
                if (fromPeer == 0) perPeer_.erase(c->peer);
                ::close(fd);
                return;
            }
            ++fromPeer;
            ++open_;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        nextRequest(*c);
        wait(std::move(c));
    }

  private:
    void nextRequest(Connection& c) {
        const auto now = Clock::now();
        c.need = 0;
        c.scanned = 0;
        c.closeAfter = false;
        c.started = !c.buffer.empty();
        c.headerDeadline =
            now + (c.served == 0 || c.started ? limits_.headerDeadline : limits_.keepAliveIdle);
        c.requestDeadline = now + limits_.requestDeadline;
    }

    // Into the poll thread until the request is whole.
    void wait(std::unique_ptr<Connection> c) {
        std::lock_guard lock(roomMutex_);
        if (stopping_) {
            close(*c);
            return;
        }
        const int fd = c->fd;
        room_[fd] = std::move(c);
        epoll_event ev{};
        ev.events = EPOLLIN | EPOLLRDHUP;
        ev.data.fd = fd;
        ::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &ev);
    }

    void close(Connection& c) {
        ::shutdown(c.fd, SHUT_RDWR);
        ::close(c.fd);
        std::lock_guard lock(countsMutex_);
        if (--perPeer_[c.peer] == 0) perPeer_.erase(c.peer);
        --open_;
    }

    // What the connection's bytes so far make of its request.
    Readiness take(Connection& c) {
        if (c.draining) return drain(c);
        const bool wasStarted = c.started;
        const bool open = receive(c);
        if (!wasStarted && c.started) {
            // The request has begun: from now on it has the header deadline, then the request's.
            const auto now = Clock::now();
            c.headerDeadline = now + limits_.headerDeadline;
            c.requestDeadline = now + limits_.requestDeadline;
        }
        const Readiness r = evaluate(c, limits_);
        return r == Readiness::Waiting && !open ? Readiness::Refused : r;
    }

    // Closing at once with unread bytes would reset the connection, and the client could miss the answer.
    void linger(std::unique_ptr<Connection> c) {
        ::shutdown(c->fd, SHUT_WR);
        c->draining = true;
        c->started = false;
        c->need = 0;
        c->headerDeadline = Clock::now() + kLinger;
        wait(std::move(c));
    }

    static Readiness drain(Connection& c) {
        char chunk[16384];
        for (;;) {
            const ssize_t n = ::recv(c.fd, chunk, sizeof chunk, MSG_DONTWAIT);
            if (n > 0) {
                c.drained += static_cast<size_t>(n);
                if (c.drained > kLingerBytes) return Readiness::Refused;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? Readiness::Waiting
                                                                      : Readiness::Refused;
        }
    }

    void poll() {
        std::vector<epoll_event> events(256);
        auto nextSweep = Clock::now();
        for (;;) {
            const int n = ::epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), 200);
            if (stopping_) return;
            std::vector<std::unique_ptr<Connection>> ready, dropped;
            {
                std::lock_guard lock(roomMutex_);
                for (int i = 0; i < n; ++i) {
                    const int fd = events[static_cast<size_t>(i)].data.fd;
                    const auto it = room_.find(fd);
                    if (it == room_.end()) continue;
                    const Readiness r = take(*it->second);
                    if (r == Readiness::Waiting) continue;
                    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
                    (r == Readiness::Ready ? ready : dropped).push_back(std::move(it->second));
                    room_.erase(it);
                }
                const auto now = Clock::now();
                if (now >= nextSweep) {
                    nextSweep = now + std::chrono::milliseconds(200);
                    for (auto it = room_.begin(); it != room_.end();) {
                        const Connection& c = *it->second;
                        if (now < (c.need ? c.requestDeadline : c.headerDeadline)) {
                            ++it;
                            continue;
                        }
                        ::epoll_ctl(epoll_, EPOLL_CTL_DEL, it->first, nullptr);
                        dropped.push_back(std::move(it->second));
                        it = room_.erase(it);
                    }
                }
            }
            for (auto& c : dropped) {
                // A request cut short is told why; an idle connection just ends.
                if (c->started)
                    answer(*c, c->buffer.size() > limits_.headerMax ? "431 Request Header Fields Too Large"
                                                                    : "408 Request Timeout");
                close(*c);
            }
            for (auto& c : ready) {
                push([this, raw = c.release()] { serve(std::unique_ptr<Connection>(raw)); });
            }
        }
    }

    static void answer(const Connection& c, std::string_view status) {
        const std::string text =
            "HTTP/1.1 " + std::string(status) + "\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
        (void)!::send(c.fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }

    void work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(jobsMutex_);
                jobsReady_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
                if (jobs_.empty()) return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
    }

    // Serves requests while they come whole and at once, then hands the connection back to the poll thread.
    void serve(std::unique_ptr<Connection> c) {
        for (;;) {
            ConnectionStream stream(*c, limits_);
            ++c->served;
            const bool last = c->closeAfter || c->served >= limits_.requestsPerConnection || stopping_;
            bool closedByClient = false;
            const bool ok = process_(stream, last, closedByClient);
            if (!ok || last || closedByClient) break;
            stream.keepRest();
            nextRequest(*c);
            // A client that sends its next request at once keeps this worker a moment.
            Readiness r = evaluate(*c, limits_);
            if (r == Readiness::Waiting) {
                pollfd p{c->fd, POLLIN, 0};
                if (::poll(&p, 1, 1) > 0) r = take(*c);
            }
            if (r == Readiness::Refused) break;
            if (r == Readiness::Waiting) return wait(std::move(c));
        }
        if (c->closeAfter && !stopping_) return linger(std::move(c));
        close(*c);
    }

    const ConnectionLimits& limits_;
    Process process_;
    int epoll_ = -1, wake_ = -1;
    std::atomic<bool> stopping_{false};
    std::mutex jobsMutex_;
    std::condition_variable jobsReady_;
    std::deque<std::function<void()>> jobs_;
    std::mutex roomMutex_;
    std::unordered_map<int, std::unique_ptr<Connection>> room_;
    std::mutex countsMutex_;
    std::unordered_map<std::string, size_t> perPeer_;
    size_t open_ = 0;
    std::vector<std::thread> workers_;
    std::thread poller_;
};

namespace {

// The library's task queue: the jobs it queues (one per accepted connection) run on the engine's workers.
class EngineQueue : public httplib::TaskQueue {
  public:
    explicit EngineQueue(std::shared_ptr<SiteServer::Engine> engine) : engine_(std::move(engine)) {}
    void enqueue(std::function<void()> fn) override { engine_->push(std::move(fn)); }
    void shutdown() override { engine_->shutdown(); }

  private:
    std::shared_ptr<SiteServer::Engine> engine_;
};

}  // namespace

SiteServer::SiteServer(ConnectionLimits limits) : limits_(limits) {
    new_task_queue = [this] {
        engine_ = std::make_shared<Engine>(limits_, [this](httplib::Stream& strm, bool last, bool& closed) {
            return process_request(strm, last, closed, [](httplib::Request&) {});
        });
        return new EngineQueue(engine_);
    };
}

SiteServer::~SiteServer() = default;

int SiteServer::Bind(const std::string& host, int port) {
    if (port == 0) {
        port = bind_to_any_port(host);
    } else if (!bind_to_port(host, port)) {
        port = -1;
    }
    // On Linux a second listen() on a listening socket sets its queue anew.
    if (port > 0 && ::listen(svr_sock_, limits_.backlog) != 0) return -1;
    return port;
}

bool SiteServer::process_and_close_socket(socket_t sock) {
    engine_->admit(sock);
    return true;
}

}  // namespace site
