#include "tests/site/site_process.h"

#include <fcntl.h>
#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace site_testing {

namespace {

// Starts argv with stdout and stderr into a pipe; the pipe's read end goes to *out.
pid_t spawn(const std::vector<std::string>& argv, int* out, const std::vector<std::string>& environment,
            const Launch& launch = {}) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        // No site outlives its test or benchmark, even one that aborts.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(127);
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        if (!launch.log.empty()) {
            const int log = open(launch.log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
            if (log >= 0) dup2(log, 2);
        }
        if (launch.files > 0) {
            const rlimit files{launch.files, launch.files};
            setrlimit(RLIMIT_NOFILE, &files);
        }
        for (const std::string& setting : environment) putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    *out = fds[0];
    return pid;
}

// Reads from fd until pred holds for what was read, the pipe closes or the deadline passes.
template <class Pred>
std::string readUntil(int fd, std::chrono::steady_clock::time_point deadline, Pred pred) {
    std::string text;
    char buffer[4096];
    while (!pred(text)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

int waitFor(pid_t pid, std::chrono::steady_clock::time_point deadline) {
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

}  // namespace

SiteProcess::SiteProcess(std::filesystem::path data, const std::vector<std::string>& extra,
                         const std::vector<std::string>& environment, const Launch& launch)
    : data_(std::move(data)) {
    std::vector<std::string> argv{ZENKOR_SITE_BINARY, "--data", data_.string(), "--listen", "127.0.0.1:0"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    int out = -1;
    pid_ = spawn(argv, &out, environment, launch);
    static const std::regex kAddress(R"(listening on http://127\.0\.0\.1:(\d+)/)");
    std::smatch m;
    const std::string text =
        readUntil(out, std::chrono::steady_clock::now() + std::chrono::seconds(20),
                  [&](const std::string& t) { return std::regex_search(t, m, kAddress); });
    close(out);
    if (!std::regex_search(text, m, kAddress)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw std::runtime_error("zenkor-site did not start: " + text);
    }
    port_ = std::stoi(m[1]);
}

SiteProcess::~SiteProcess() {
    Stop();
}

int SiteProcess::Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    const int status = waitFor(pid_, std::chrono::steady_clock::now() + std::chrono::seconds(10));
    pid_ = -1;
    return status;
}

void SiteProcess::Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int SiteProcess::Run(const std::vector<std::string>& args, std::string* output) {
    std::vector<std::string> argv{ZENKOR_SITE_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, 30, output);
}

int RunProgram(const std::vector<std::string>& argv, int seconds, std::string* output,
               const std::vector<std::string>& environment) {
    int out = -1;
    const pid_t pid = spawn(argv, &out, environment);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::string text;
    int status = -1;
    bool open = true, exited = false;
    // Until the program ends: a helper process it leaves behind may hold the pipe open for longer.
    while (!exited && std::chrono::steady_clock::now() < deadline) {
        pollfd p{out, POLLIN, 0};
        if (open && poll(&p, 1, 50) > 0) {
            char buffer[4096];
            const ssize_t n = read(out, buffer, sizeof buffer);
            if (n > 0) {
                text.append(buffer, static_cast<size_t>(n));
                continue;
            }
            open = false;
        }
        int st = 0;
        if (waitpid(pid, &st, WNOHANG) == pid) {
            exited = true;
            status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        } else if (!open) {
            usleep(10000);
        }
    }
    for (pollfd p{out, POLLIN, 0}; open && poll(&p, 1, 0) > 0;) {  // what it wrote just before it ended
        char buffer[4096];
        const ssize_t n = read(out, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    close(out);
    if (!exited) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (output) *output = text;
    return status;
}

RawClient::~RawClient() {
    disconnect();
}

long RawClient::Get(const std::string& path, bool keepAlive) {
    if (fd_ < 0 && !connectTo()) return -1;
    const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                                (keepAlive ? "" : "Connection: close\r\n") + "\r\n";
    if (send(fd_, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
        return fail();
    buffer_.clear();
    size_t headerEnd = std::string::npos, need = 0;
    while (headerEnd == std::string::npos || buffer_.size() < need) {
        char chunk[65536];
        const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        buffer_.append(chunk, static_cast<size_t>(n));
        if (headerEnd == std::string::npos && (headerEnd = buffer_.find("\r\n\r\n")) != std::string::npos) {
            const size_t at = buffer_.find("Content-Length: ");
            if (at == std::string::npos || at > headerEnd) return fail();
            need = headerEnd + 4 + std::stoul(buffer_.substr(at + 16));
        }
    }
    if (headerEnd == std::string::npos || buffer_.size() < need ||
        buffer_.compare(0, 12, "HTTP/1.1 200") != 0)
        return fail();
    if (!keepAlive) disconnect();
    return static_cast<long>(need - headerEnd - 4);
}

bool RawClient::connectTo() {
    fd_ = ConnectTo(port_);
    if (fd_ < 0) return false;
    const int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return true;
}

int ConnectTo(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return fd;
    if (fd >= 0) close(fd);
    return -1;
}

std::string UrlEncode(const std::string& text) {
    std::string out;
    char hex[4];
    for (const unsigned char c : text) {
        if (std::isalnum(c)) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

void RawClient::disconnect() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

long RawClient::fail() {
    disconnect();
    return -1;
}

int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    close(fd);
    return port;
}

namespace {

constexpr const char* kNginx = "/usr/sbin/nginx";

bool accepts(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

}  // namespace

bool NginxProcess::Installed() {
    return access(kNginx, X_OK) == 0;
}

NginxProcess NginxProcess::Proxy(const std::filesystem::path& folder, int sitePort) {
    // As deployed: HTTP/1.1 and kept-alive connections to the site.
    return NginxProcess(
        folder,
        "proxy_pass http://site;\n            proxy_http_version 1.1;\n"
        "            proxy_set_header Connection \"\";\n            proxy_set_header Host $host;\n"
        "            proxy_set_header X-Forwarded-For $proxy_add_x_forwarded_for;",
        "upstream site {\n        server 127.0.0.1:" + std::to_string(sitePort) +
            ";\n        keepalive 32;\n    }\n");
}

NginxProcess NginxProcess::Files(const std::filesystem::path& folder, const std::filesystem::path& root) {
    return NginxProcess(folder, "root " + root.string() + ";");
}

NginxProcess::NginxProcess(const std::filesystem::path& folder, const std::string& location,
                           const std::string& upstream) {
    std::filesystem::create_directories(folder);
    const std::string dir = folder.string();
    for (int attempt = 0; attempt < 5 && pid_ < 0; ++attempt) {
        port_ = FreePort();
        std::ofstream(folder / "nginx.conf")
            << "user root;\ndaemon off;\nmaster_process on;\nworker_processes auto;\npid " << dir
            << "/nginx.pid;\nerror_log " << dir
            << "/error.log;\nevents { worker_connections 4096; }\nhttp {\n"
            << "    access_log off;\n    client_body_temp_path " << dir << "/body;\n    proxy_temp_path "
            << dir << "/proxy;\n    fastcgi_temp_path " << dir << "/fastcgi;\n    uwsgi_temp_path " << dir
            << "/uwsgi;\n    scgi_temp_path " << dir << "/scgi;\n    keepalive_requests 100000;\n    "
            << upstream << "    server {\n        listen 127.0.0.1:" << port_
            << ";\n        location / {\n            " << location << "\n        }\n    }\n}\n";
        int out = -1;
        const pid_t pid =
            spawn({kNginx, "-p", dir, "-e", dir + "/error.log", "-c", dir + "/nginx.conf"}, &out, {});
        close(out);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline && waitpid(pid, nullptr, WNOHANG) == 0) {
            if (accepts(port_)) {
                pid_ = pid;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (pid_ < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    if (pid_ < 0) throw std::runtime_error("nginx did not start in " + dir);
}

NginxProcess::NginxProcess(NginxProcess&& other) noexcept : pid_(other.pid_), port_(other.port_) {
    other.pid_ = -1;
}

NginxProcess::~NginxProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitFor(pid_, std::chrono::steady_clock::now() + std::chrono::seconds(10));
}

int Screenshot(const std::string& url, const std::filesystem::path& png, int width, int height,
               const std::filesystem::path& profile, std::string* output) {
    std::filesystem::remove(png);
    std::filesystem::create_directories(profile);
    return RunProgram({"/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                       "--no-first-run", "--disable-background-networking", "--disable-component-update",
                       "--disable-sync", "--hide-scrollbars", "--user-data-dir=" + profile.string(),
                       "--window-size=" + std::to_string(width) + "," + std::to_string(height),
                       "--screenshot=" + png.string(), url},
                      90, output);
}

std::string PageOverflow(const std::string& url, int width, const std::filesystem::path& profile) {
    std::filesystem::create_directories(profile);
    // The frame is as wide as the window would be. With web security off, the outer page, served over
    // HTTP by the test (a file's page may not read a frame, whatever the flags), reads the frame's.
    std::ostringstream page;
    page << "<!DOCTYPE html><html><body style=\"margin:0\"><iframe id=\"f\" style=\"border:0;width:" << width
         << "px;height:1200px\" src=\"" << url << "\"></iframe><script>\n"
         << R"js(document.getElementById('f').addEventListener('load', () => {
  const d = document.getElementById('f').contentDocument;
  const out = [];
  const wider = (e, name) => {
    if (e.scrollWidth > e.clientWidth) out.push(name + ' +' + (e.scrollWidth - e.clientWidth));
  };
  if (d) {
    wider(d.documentElement, 'html');
    d.querySelectorAll('.card, .bracket, main, .grid, table, pre').forEach(e =>
      wider(e, e.tagName.toLowerCase() + '.' + e.className.split(' ').join('.')));
  }
  const p = document.createElement('pre');
  // The markers are made here, so that the script's own text in the dump holds neither.
  p.textContent = d ? 'meas' + 'ured:' + out.join(', ') + ':e' + 'nd' : 'no access';
  document.body.appendChild(p);
});
</script></body></html>
)js";
    httplib::Server harness;
    const std::string html = page.str();
    harness.Get("/measure.html", [&html](const httplib::Request&, httplib::Response& res) {
        res.set_content(html, "text/html; charset=utf-8");
    });
    const int port = harness.bind_to_any_port("127.0.0.1");
    std::thread serving([&harness] { harness.listen_after_bind(); });
    std::string output;
    RunProgram(
        {"/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
         "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars", "--disable-web-security", "--user-data-dir=" + profile.string(),
         "--window-size=" + std::to_string(width + 20) + ",1200", "--virtual-time-budget=10000", "--dump-dom",
         "http://127.0.0.1:" + std::to_string(port) + "/measure.html"},
        90, &output);
    harness.stop();
    serving.join();
    const size_t begin = output.find("measured:"), end = output.find(":end", begin);
    if (begin == std::string::npos || end == std::string::npos) return "no answer: " + output.substr(0, 2000);
    return output.substr(begin + 9, end - begin - 9);
}

}  // namespace site_testing
