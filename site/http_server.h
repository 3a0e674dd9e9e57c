// The site's HTTP engine: libmicrohttpd in its epoll mode with its own pool of threads. It parses each
// request once, holds the limits on connections (per address and in all), their deadlines and the memory
// of each, and hands the routes whole requests whose bodies were read piece by piece within their limit.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "site/http.h"

namespace site {

struct ServerLimits {
    // Each with its own epoll set and its share of the connections; twice the cores, so that a page
    // being rendered delays few connections and the connections spread evenly.
    unsigned threads = std::clamp(2 * std::thread::hardware_concurrency(), 4u, 64u);
    unsigned workers = 32;                     // for the slow handlers (Pace::Slow)
    unsigned connections = 4096;               // open at once
    unsigned connectionsPerAddress = 256;      // from one IP address
    unsigned backlog = 1024;                   // the listen queue
    size_t memoryPerConnection = 32 * 1024;    // headers and what is being read
    size_t bodyMax = 256 * 1024;               // larger bodies are refused as they come (413)
    std::chrono::seconds idle{10};             // without a byte either way
    std::chrono::seconds headerDeadline{10};   // from the wait for a request to the end of its headers
    std::chrono::seconds requestDeadline{30};  // from the end of the headers to the end of the body
};

// The connections a process can hold with `files` descriptors, the engine's and the database's own
// kept aside.
unsigned ConnectionsFor(unsigned long files, unsigned threads);

class HttpServer {
  public:
    // routes must outlive the server.
    explicit HttpServer(const Routes& routes, ServerLimits limits = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Listens on host:port (port 0: a free one) and serves; the port, or -1 (the engine says why).
    int Start(const std::string& host, int port);
    // Serving ends: requests being answered end first.
    void Stop();

    class Engine;

  private:
    std::unique_ptr<Engine> engine_;
};

// A body served as it is to many requests: bytes stay where they are while owner lives, which the body
// keeps alive as long as a response may still send it.
std::shared_ptr<const PreparedBody> PrepareBody(
    std::shared_ptr<const void> owner, std::string_view bytes, const std::string& contentType,
    const std::vector<std::pair<std::string, std::string>>& headers);

}  // namespace site
