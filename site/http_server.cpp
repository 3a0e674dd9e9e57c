#include "site/http_server.h"

#include <microhttpd.h>
#include <netdb.h>
#include <strings.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "site/client_address.h"

namespace site {

namespace {

using Clock = std::chrono::steady_clock;

// What is read of a refused body, past its limit, before the connection is cut instead of answered.
constexpr size_t kThrownAwayMax = 1024 * 1024;

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Where a connection is, for its deadlines: waiting for a request's headers, reading its body, answering.
enum class Phase { Waiting, Body, Answering, Ended };

// One TCP connection (libmicrohttpd's socket context).
struct Link {
    int fd = -1;
    std::atomic<Phase> phase{Phase::Waiting};
    std::atomic<std::int64_t> since{0};  // when the phase began, in ms of the steady clock

    void enter(Phase p) {
        since = nowMs();
        phase = p;
    }
};

// One request, from its headers to its answer (libmicrohttpd's request context).
struct Exchange {
    Request req;
    const Route* route = nullptr;
    bool ready = false;  // answered by a worker, the connection resumed to send it
    Response response;
    MHD_PostProcessor* post = nullptr;
    size_t received = 0;  // bytes of the body so far
    int refusal = 0;      // the status refusing the body, once it is known
    std::multimap<std::string, FormPart>::iterator part;
    Params::iterator field;

    ~Exchange() {
        if (post) MHD_destroy_post_processor(post);
    }
};

class Prepared : public PreparedBody {
  public:
    Prepared(std::shared_ptr<const void> owner, std::string_view bytes, std::string type,
             std::vector<std::pair<std::string, std::string>> headers)
        : owner_(std::move(owner)), bytes_(bytes), type_(std::move(type)), headers_(std::move(headers)) {
        response_ = MHD_create_response_from_buffer(bytes_.size(), const_cast<char*>(bytes_.data()),
                                                    MHD_RESPMEM_PERSISTENT);
        if (response_) decorate(response_);
    }
    ~Prepared() override {
        if (response_) MHD_destroy_response(response_);
    }
    MHD_Response* response() const { return response_; }
    std::string_view bytes() const { return bytes_; }

    void decorate(MHD_Response* r) const {
        if (!type_.empty()) MHD_add_response_header(r, MHD_HTTP_HEADER_CONTENT_TYPE, type_.c_str());
        for (const auto& [name, value] : headers_) MHD_add_response_header(r, name.c_str(), value.c_str());
    }

  private:
    std::shared_ptr<const void> owner_;
    std::string_view bytes_;
    std::string type_;
    std::vector<std::pair<std::string, std::string>> headers_;
    MHD_Response* response_ = nullptr;
};

std::string trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

}  // namespace

class HttpServer::Engine {
  public:
    Engine(const Routes& routes, ServerLimits limits) : routes_(routes), limits_(limits) {}

    ~Engine() { stop(); }

    int start(const std::string& host, int port) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) {
            std::fprintf(stderr, "zenkor-site: %s is not an address to listen on\n", host.c_str());
            return -1;
        }
        sockaddr_storage address{};
        std::memcpy(&address, found->ai_addr, found->ai_addrlen);
        const bool v6 = found->ai_family == AF_INET6;
        freeaddrinfo(found);

        // libmicrohttpd shares the limit out among its threads, a thread at its share accepting no more: a
        // margin over the site's own limit, which the accept check holds and says, so no thread stalls.
        const unsigned engineLimit = limits_.connections * 2 + limits_.threads;
        unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_ERROR_LOG | MHD_ALLOW_SUSPEND_RESUME;
        if (v6) flags |= MHD_USE_IPv6;
        daemon_ = MHD_start_daemon(
            flags, 0, &Engine::accept, this, &Engine::access, this, MHD_OPTION_EXTERNAL_LOGGER, &Engine::log,
            this, MHD_OPTION_SOCK_ADDR, reinterpret_cast<sockaddr*>(&address), MHD_OPTION_THREAD_POOL_SIZE,
            limits_.threads, MHD_OPTION_CONNECTION_LIMIT, engineLimit, MHD_OPTION_PER_IP_CONNECTION_LIMIT,
            limits_.connectionsPerAddress, MHD_OPTION_CONNECTION_TIMEOUT,
            static_cast<unsigned>(limits_.idle.count()), MHD_OPTION_CONNECTION_MEMORY_LIMIT,
            limits_.memoryPerConnection, MHD_OPTION_LISTEN_BACKLOG_SIZE, limits_.backlog,
            MHD_OPTION_STRICT_FOR_CLIENT, 1, MHD_OPTION_NOTIFY_COMPLETED, &Engine::completed, this,
            MHD_OPTION_NOTIFY_CONNECTION, &Engine::connection, this, MHD_OPTION_END);
        if (!daemon_) return -1;
        const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
        sweeper_ = std::thread([this] { sweep(); });
        for (unsigned i = 0; i < limits_.workers; ++i) workers_.emplace_back([this] { work(); });
        return info ? info->port : port;
    }

    void stop() {
        if (!daemon_) return;
        {
            std::lock_guard lock(sweepMutex_);
            stopping_ = true;
        }
        sweepWake_.notify_all();
        sweeper_.join();
        // The workers finish what they hold, resuming its connections: none stays suspended at the stop.
        {
            std::lock_guard lock(jobsMutex_);
            jobsStopping_ = true;
        }
        jobsReady_.notify_all();
        for (std::thread& t : workers_) t.join();
        workers_.clear();
        MHD_stop_daemon(daemon_);
        daemon_ = nullptr;
    }

  private:
    // Accepted: within the site's limit of open connections, else closed at once, said in the log.
    static MHD_Result accept(void* cls, const sockaddr*, socklen_t) {
        auto* self = static_cast<Engine*>(cls);
        if (self->open_.load() < self->limits_.connections) return MHD_YES;
        self->note("refusing connections: %u are open, the most this process holds", self->open_.load());
        return MHD_NO;
    }

    static void connection(void* cls, MHD_Connection* c, void** context, MHD_ConnectionNotificationCode toe) {
        auto* self = static_cast<Engine*>(cls);
        if (toe == MHD_CONNECTION_NOTIFY_STARTED) {
            auto* link = new Link;
            const MHD_ConnectionInfo* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CONNECTION_FD);
            link->fd = info ? info->connect_fd : -1;
            link->enter(Phase::Waiting);
            *context = link;
            ++self->open_;
            std::lock_guard lock(self->linksMutex_);
            self->links_.insert(link);
            return;
        }
        auto* link = static_cast<Link*>(*context);
        if (!link) return;
        {
            // The sweeper may be shutting this socket down: the descriptor stays ours until it is done.
            std::lock_guard lock(self->linksMutex_);
            self->links_.erase(link);
        }
        --self->open_;
        delete link;
        *context = nullptr;
    }

    static Link* linkOf(MHD_Connection* c) {
        const MHD_ConnectionInfo* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        return info ? static_cast<Link*>(info->socket_context) : nullptr;
    }

    static void completed(void*, MHD_Connection* c, void** context, MHD_RequestTerminationCode) {
        delete static_cast<Exchange*>(*context);
        *context = nullptr;
        if (Link* link = linkOf(c)) link->enter(Phase::Waiting);
    }

    static MHD_Result access(void* cls, MHD_Connection* c, const char* url, const char* method,
                             const char* version, const char* data, size_t* size, void** context) {
        auto* self = static_cast<Engine*>(cls);
        auto* ex = static_cast<Exchange*>(*context);
        if (!ex) {
            ex = new Exchange;
            *context = ex;
            return self->begin(c, *ex, url, method, version);
        }
        if (*size > 0) {
            const size_t taken = *size;
            *size = 0;
            return self->take(*ex, data, taken);
        }
        if (ex->post) {
            // The last field is complete only now.
            if (MHD_destroy_post_processor(ex->post) != MHD_YES && ex->refusal == 0) ex->refusal = 400;
            ex->post = nullptr;
        }
        if (ex->refusal != 0) {
            Response res;
            res.status = ex->refusal;
            return self->answer(c, *ex, res, true);
        }
        return self->run(c, *ex, false);
    }

    // The request's headers are in, none of its body: refused now, answered now, or its body awaited.
    MHD_Result begin(MHD_Connection* c, Exchange& ex, const char* url, const char* method,
                     const char* version) {
        if (Link* link = linkOf(c)) link->enter(Phase::Body);
        Request& req = ex.req;
        req.method = method;
        req.path = url;
        if (const MHD_ConnectionInfo* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CLIENT_ADDRESS))
            req.remoteAddr = AddressText(info->client_addr);
        MHD_get_connection_values(c, MHD_HEADER_KIND, &Engine::header, &req);
        MHD_get_connection_values(c, MHD_GET_ARGUMENT_KIND, &Engine::argument, &req);

        Response res;
        bool body = false;
        if (const int refused = framing(req, version, body)) {
            res.status = refused;
            return answer(c, ex, res, body);
        }
        if (routes_.check && routes_.check(req, res)) return answer(c, ex, res, body);
        ex.part = req.files.end();
        ex.field = req.params.end();
        ex.route = routes_.Find(req.method, req.path);
        // Only a form is read; any other body is counted against the limit and thrown away.
        if (body && ex.route && req.method == "POST") {
            const std::string type = req.Header("Content-Type");
            req.multipart = strncasecmp(type.c_str(), "multipart/form-data", 19) == 0;
            ex.post = MHD_create_post_processor(c, 16 * 1024, &Engine::field, &ex);
            return MHD_YES;
        }
        // Without a body, answered at the next call: one queued now would end the connection.
        if (!body) return MHD_YES;
        // Answered before its body was read: the connection ends, the body never taken for a next request.
        return run(c, ex, true);
    }

    // A piece of the body. The engine answers only once the body is in: a body found too large or broken
    // is read on and thrown away, a little of it, then the connection cut.
    MHD_Result take(Exchange& ex, const char* data, size_t size) {
        ex.received += size;
        if (ex.refusal == 0 && ex.received > limits_.bodyMax) ex.refusal = 413;
        if (ex.refusal == 0 && ex.post && MHD_post_process(ex.post, data, size) != MHD_YES) ex.refusal = 400;
        if (ex.refusal == 0 || ex.received <= limits_.bodyMax + kThrownAwayMax) return MHD_YES;
        note("%s %s from %s: the body goes on past its limit, the connection is cut", ex.req.method.c_str(),
             ex.req.path.c_str(), ex.req.remoteAddr.c_str());
        return MHD_NO;
    }

    // 0 when the request's end is certain (body says whether one follows), else the status refusing it.
    int framing(const Request& req, const char* version, bool& body) const {
        const size_t lengths = req.HeaderCount("Content-Length");
        const size_t encodings = req.HeaderCount("Transfer-Encoding");
        body = lengths > 0 || encodings > 0;
        if (lengths > 1 || encodings > 1 || (lengths && encodings)) return 400;
        if (encodings) {
            const bool http11 = std::strcmp(version, MHD_HTTP_VERSION_1_1) == 0;
            return http11 && sameText(trimmed(req.Header("Transfer-Encoding")), "chunked") ? 0 : 400;
        }
        if (lengths) {
            const std::string length = trimmed(req.Header("Content-Length"));
            if (length.empty() || length.find_first_not_of("0123456789") != std::string::npos) return 400;
            const size_t digits = length.find_first_not_of('0');
            if (digits == std::string::npos) {
                body = false;
                return 0;
            }
            if (length.size() - digits > 12 || std::stoull(length) > limits_.bodyMax) return 413;
        }
        return 0;
    }

    // Runs the request's handler (or finds it none) and queues its answer; a slow one runs on a worker,
    // the connection suspended meanwhile, and is answered when the engine calls again.
    MHD_Result run(MHD_Connection* c, Exchange& ex, bool close) {
        if (ex.ready) return answer(c, ex, ex.response, close);
        if (ex.route && ex.route->pace == Pace::Slow && !close && hand(c, ex)) return MHD_YES;
        Response res;
        handle(ex, res);
        return answer(c, ex, res, close);
    }

    void handle(Exchange& ex, Response& res) const {
        const Request& req = ex.req;
        if (!ex.route) {
            res.status = routes_.Knows(req.path) ? 405 : 404;
            return;
        }
        try {
            ex.route->handler(req, res);
        } catch (const std::exception& e) {
            failed(req, res, e.what());
        } catch (...) {
            failed(req, res, "unknown exception");
        }
    }

    // To a worker; false when the engine is stopping (the handler then runs here).
    bool hand(MHD_Connection* c, Exchange& ex) {
        std::lock_guard lock(jobsMutex_);
        if (jobsStopping_) return false;
        if (Link* link = linkOf(c)) link->enter(Phase::Answering);
        MHD_suspend_connection(c);
        jobs_.push_back([this, c, &ex] {
            handle(ex, ex.response);
            ex.ready = true;
            MHD_resume_connection(c);
        });
        jobsReady_.notify_one();
        return true;
    }

    void work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(jobsMutex_);
                jobsReady_.wait(lock, [this] { return jobsStopping_ || !jobs_.empty(); });
                if (jobs_.empty()) return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
    }

    static void failed(const Request& req, Response& res, const char* what) {
        // Never a detail for the visitor: the reason goes to the log only.
        std::fprintf(stderr, "zenkor-site: %s %s: %s\n", req.method.c_str(), req.path.c_str(), what);
        res = Response();
        res.status = 500;
    }

    MHD_Result answer(MHD_Connection* c, Exchange& ex, Response& res, bool close) {
        if (Link* link = linkOf(c)) link->enter(Phase::Answering);
        if (routes_.finish) {
            try {
                routes_.finish(ex.req, res);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "zenkor-site: %s %s: %s\n", ex.req.method.c_str(), ex.req.path.c_str(),
                             e.what());
            }
        }
        const auto* prepared = dynamic_cast<const Prepared*>(res.prepared.get());
        if (prepared && prepared->response() && !close)
            return MHD_queue_response(c, static_cast<unsigned>(res.status), prepared->response());
        MHD_Response* r = nullptr;
        if (prepared) {
            r = MHD_create_response_from_buffer(
                prepared->bytes().size(), const_cast<char*>(prepared->bytes().data()), MHD_RESPMEM_MUST_COPY);
            if (r) prepared->decorate(r);
        } else {
            auto* body = new std::string(std::move(res.body));
            r = MHD_create_response_from_buffer_with_free_callback_cls(
                body->size(), body->data(), [](void* b) { delete static_cast<std::string*>(b); }, body);
            if (!r) delete body;
            if (r && !res.contentType.empty())
                MHD_add_response_header(r, MHD_HTTP_HEADER_CONTENT_TYPE, res.contentType.c_str());
            for (const auto& [name, value] : res.headers)
                if (r) MHD_add_response_header(r, name.c_str(), value.c_str());
        }
        if (!r) return MHD_NO;
        if (close) MHD_add_response_header(r, MHD_HTTP_HEADER_CONNECTION, "close");
        const MHD_Result queued = MHD_queue_response(c, static_cast<unsigned>(res.status), r);
        MHD_destroy_response(r);
        return queued;
    }

    static MHD_Result header(void* cls, MHD_ValueKind, const char* key, const char* value) {
        static_cast<Request*>(cls)->headers.emplace_back(key ? key : "", value ? value : "");
        return MHD_YES;
    }

    static MHD_Result argument(void* cls, MHD_ValueKind, const char* key, const char* value) {
        static_cast<Request*>(cls)->params.emplace(key ? key : "", value ? value : "");
        return MHD_YES;
    }

    // A piece of a form's field: a new value at offset 0, else the rest of the last one.
    static MHD_Result field(void* cls, MHD_ValueKind, const char* key, const char* filename,
                            const char* contentType, const char*, const char* data, uint64_t offset,
                            size_t size) {
        auto* ex = static_cast<Exchange*>(cls);
        Request& req = ex->req;
        const std::string name = key ? key : "";
        if (req.multipart) {
            if (offset == 0 || ex->part == req.files.end() || ex->part->first != name) {
                FormPart part;
                part.filename = filename ? filename : "";
                part.contentType = contentType ? contentType : "";
                ex->part = req.files.emplace(name, std::move(part));
            }
            ex->part->second.content.append(data, size);
        } else {
            if (offset == 0 || ex->field == req.params.end() || ex->field->first != name)
                ex->field = req.params.emplace(name, std::string());
            ex->field->second.append(data, size);
        }
        return MHD_YES;
    }

    static void log(void* cls, const char* format, va_list args) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        static_cast<Engine*>(cls)->note("%s", text);
    }

    // A line of the log, at most a few a second: a flood of refusals leaves a count, not a full disk.
    [[gnu::format(printf, 2, 3)]] void note(const char* format, ...) {
        char text[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        size_t n = std::strlen(text);
        while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r')) text[--n] = '\0';
        std::lock_guard lock(logMutex_);
        const std::int64_t second = nowMs() / 1000;
        if (second != logSecond_) {
            if (logDropped_ > 0) std::fprintf(stderr, "zenkor-site: %u more such lines\n", logDropped_);
            logSecond_ = second;
            logLines_ = 0;
            logDropped_ = 0;
        }
        if (++logLines_ > 20) {
            ++logDropped_;
            return;
        }
        std::fprintf(stderr, "zenkor-site: %s\n", text);
    }

    // A request's headers and its body each have a deadline, however slowly their bytes keep coming; the
    // engine's own timeout ends connections where nothing moves.
    void sweep() {
        std::unique_lock wait(sweepMutex_);
        while (!sweepWake_.wait_for(wait, std::chrono::milliseconds(250), [this] { return stopping_; })) {
            const std::int64_t now = nowMs();
            const std::int64_t headers = std::chrono::milliseconds(limits_.headerDeadline).count();
            const std::int64_t bodies = std::chrono::milliseconds(limits_.requestDeadline).count();
            std::lock_guard lock(linksMutex_);
            for (Link* link : links_) {
                const Phase phase = link->phase;
                const std::int64_t age = now - link->since;
                if ((phase == Phase::Waiting && age > headers) || (phase == Phase::Body && age > bodies)) {
                    // The engine sees the end of the stream and closes the connection in its own thread.
                    link->phase = Phase::Ended;
                    if (link->fd >= 0) shutdown(link->fd, SHUT_RDWR);
                }
            }
        }
    }

    const Routes& routes_;
    const ServerLimits limits_;
    MHD_Daemon* daemon_ = nullptr;
    std::atomic<unsigned> open_{0};
    std::mutex linksMutex_;
    std::unordered_set<Link*> links_;
    std::mutex sweepMutex_;
    std::condition_variable sweepWake_;
    bool stopping_ = false;
    std::thread sweeper_;
    std::mutex jobsMutex_;
    std::condition_variable jobsReady_;
    std::deque<std::function<void()>> jobs_;
    bool jobsStopping_ = false;
    std::vector<std::thread> workers_;
    std::mutex logMutex_;
    std::int64_t logSecond_ = 0;
    unsigned logLines_ = 0, logDropped_ = 0;
};

unsigned ConnectionsFor(unsigned long files, unsigned threads) {
    // Each thread of the engine holds an epoll set and a wake-up descriptor; SQLite, the fonts and the
    // standard streams some more.
    const unsigned long kept = 48 + 4ul * threads;
    const unsigned long room = files > kept + 16 ? files - kept : 16;
    return static_cast<unsigned>(std::min<unsigned long>(room, ServerLimits().connections));
}

HttpServer::HttpServer(const Routes& routes, ServerLimits limits)
    : engine_(std::make_unique<Engine>(routes, limits)) {}

HttpServer::~HttpServer() = default;

int HttpServer::Start(const std::string& host, int port) {
    return engine_->start(host, port);
}

void HttpServer::Stop() {
    engine_->stop();
}

std::shared_ptr<const PreparedBody> PrepareBody(
    std::shared_ptr<const void> owner, std::string_view bytes, const std::string& contentType,
    const std::vector<std::pair<std::string, std::string>>& headers) {
    return std::make_shared<Prepared>(std::move(owner), bytes, contentType, headers);
}

}  // namespace site
