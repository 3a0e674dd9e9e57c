#include "tests/support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace online_testing {

namespace {

int listenOnLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket");
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        throw std::runtime_error("bind");
    }
    socklen_t length = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length);
    port = ntohs(addr.sin_port);
    return fd;
}

bool waitReadable(int fd, int milliseconds) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, milliseconds) > 0;
}

void sendAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

const char* reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        default:
            return "Status";
    }
}

}  // namespace

HttpServer::HttpServer() {
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { run(); });
}

HttpServer::~HttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string HttpServer::host() const {
    return "127.0.0.1:" + std::to_string(port_);
}

void HttpServer::answer(const std::string& path, Answer a) {
    std::lock_guard lock(mutex_);
    answers_[path] = std::move(a);
}

std::vector<std::string> HttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int HttpServer::count(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(requests_.begin(), requests_.end(), path));
}

void HttpServer::forgetRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

std::string HttpServer::closedHost() {
    int port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return "127.0.0.1:" + std::to_string(port);
}

void HttpServer::run() {
    while (!stopping_) {
        if (!waitReadable(listener_, 20)) continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        serve(client);
        ::close(client);
    }
}

void HttpServer::serve(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && waitReadable(client, 2000)) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<size_t>(n));
    }
    const size_t space = request.find(' ');
    const size_t end = request.find(' ', space + 1);
    if (space == std::string::npos || end == std::string::npos) return;
    const std::string path = request.substr(space + 1, end - space - 1);

    Answer a{404, "<html><body>Not found</body></html>"};
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(path);
        if (auto it = answers_.find(path); it != answers_.end()) a = it->second;
    }
    if (a.mode == Answer::Mode::Silent) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stopping_ && std::chrono::steady_clock::now() < until) {
            if (waitReadable(client, 20) && ::recv(client, buffer, sizeof buffer, 0) <= 0) return;
        }
        return;
    }
    const size_t announced = a.body.size() + (a.mode == Answer::Mode::Truncated ? 1000 : 0);
    std::string head = "HTTP/1.1 " + std::to_string(a.status) + " " + reason(a.status) + "\r\n";
    if (a.mode != Answer::Mode::Unsized) head += "Content-Length: " + std::to_string(announced) + "\r\n";
    if (!a.location.empty()) head += "Location: " + a.location + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (a.mode != Answer::Mode::Slow) {
        sendAll(client, head + a.body);
        return;
    }
    sendAll(client, head);
    for (size_t at = 0; at < a.body.size() && !stopping_; at += a.piece) {
        std::this_thread::sleep_for(std::chrono::milliseconds(a.pauseMs));
        if (::send(client, a.body.data() + at, std::min(a.piece, a.body.size() - at), MSG_NOSIGNAL) <= 0)
            return;
    }
}

}  // namespace online_testing
