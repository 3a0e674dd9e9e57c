// A small HTTP/1.1 server on 127.0.0.1 for the tests of the online services: fixed answers by path, recorded
// requests, and the faults a real site shows (missing pages, cut answers, silence).
#pragma once

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace online_testing {

struct Answer {
    enum class Mode {
        Whole,      // the body, then the connection closes
        Truncated,  // announces more bytes than it sends, then closes
        Silent,     // reads the request and never answers
        Slow,       // the body in pieces of `piece` bytes, `pauseMs` apart
        Unsized,    // no Content-Length: the body, then the connection closes
    };
    Answer(int status = 200, std::string body = "", Mode mode = Mode::Whole, std::string location = "")
        : status(status), body(std::move(body)), mode(mode), location(std::move(location)) {}
    int status;
    std::string body;
    Mode mode;
    std::string location;  // for redirects
    size_t piece = 64;
    int pauseMs = 50;
};

// The body sent slowly: `pieces` parts over about pieces x pauseMs milliseconds.
inline Answer SlowAnswer(std::string body, int pieces, int pauseMs) {
    Answer a{200, std::move(body), Answer::Mode::Slow};
    a.piece =
        std::max<size_t>(1, (a.body.size() + static_cast<size_t>(pieces) - 1) / static_cast<size_t>(pieces));
    a.pauseMs = pauseMs;
    return a;
}

class HttpServer {
  public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // "127.0.0.1:<port>", as the site host.
    std::string host() const;
    void answer(const std::string& path, Answer a);
    void answer(const std::string& path, const std::string& body) { answer(path, Answer{200, body}); }
    // Paths (with their queries) in the order they were requested.
    std::vector<std::string> requests() const;
    int count(const std::string& path) const;
    void forgetRequests();

    // A host on which nothing listens: connections are refused.
    static std::string closedHost();

  private:
    void run();
    void serve(int client);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace online_testing
