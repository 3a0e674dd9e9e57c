// The site's HTTP server and its connections. A connection waits for its request in one poll thread and
// takes a worker only once the whole request (headers, then body) has come, so idle keep-alive
// connections and slow clients pin no worker; each request has a deadline for its headers and one for the
// whole of it.
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace site {

struct ConnectionLimits {
    int workers = 64;
    int backlog = 1024;               // the listen queue (the library's own is 5)
    size_t connections = 4096;        // open at once, waiting or served
    size_t connectionsPerPeer = 256;  // from one address (a trusted proxy is not limited)
    size_t headerMax = 16 * 1024;
    size_t bodyMax = 256 * 1024;  // larger bodies are refused by the library before they are read
    std::chrono::milliseconds headerDeadline{10'000};   // from the first byte awaited to the end of headers
    std::chrono::milliseconds requestDeadline{30'000};  // the body too
    std::chrono::milliseconds keepAliveIdle{5'000};     // between two requests of a connection
    int requestsPerConnection = 1000;
    std::chrono::milliseconds ioTimeout{5'000};  // one read or write of a request being served
};

class SiteServer : public httplib::Server {
  public:
    explicit SiteServer(ConnectionLimits limits = {});
    ~SiteServer() override;

    // Binds host:port (port 0: a free one) with the deep listen queue; the port, or -1.
    int Bind(const std::string& host, int port);

    class Engine;

  private:
    bool process_and_close_socket(socket_t sock) override;

    ConnectionLimits limits_;
    std::shared_ptr<Engine> engine_;
};

}  // namespace site
