// The real zenkor-site program, started for a test on a free port of 127.0.0.1 and stopped at the end.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace site_testing {

// How the site's process is started, beyond its arguments.
struct Launch {
    unsigned long files = 0;    // its limit of open descriptors (soft and hard), when not 0
    std::filesystem::path log;  // where what it writes on stderr goes, when not empty (else nowhere)
};

class SiteProcess {
  public:
    // Serves with data folder `data` (and the options extra); returns once the site prints its address.
    // The site ends with the thread that started it, even when that one is killed.
    explicit SiteProcess(std::filesystem::path data, const std::vector<std::string>& extra = {},
                         const std::vector<std::string>& environment = {}, const Launch& launch = {});
    ~SiteProcess();
    SiteProcess(const SiteProcess&) = delete;
    SiteProcess& operator=(const SiteProcess&) = delete;

    int port() const { return port_; }
    pid_t pid() const { return pid_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    const std::filesystem::path& data() const { return data_; }
    bool running() const { return pid_ > 0; }
    // Stops the site as an owner does (SIGTERM); its exit status, -1 when it had to be killed.
    int Stop();
    // Kills it with SIGKILL, as a crash would.
    void Kill();

    // Runs zenkor-site with args to its end; its exit status, with what it printed in output.
    static int Run(const std::vector<std::string>& args, std::string* output = nullptr);

  private:
    std::filesystem::path data_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// nginx as its own process on a free port of 127.0.0.1, with its configuration, logs and temporary files
// in folder: a reverse proxy in front of a site (adding X-Forwarded-For), or a server of a folder's files.
class NginxProcess {
  public:
    static NginxProcess Proxy(const std::filesystem::path& folder, int sitePort);
    static NginxProcess Files(const std::filesystem::path& folder, const std::filesystem::path& root);
    static bool Installed();
    ~NginxProcess();
    NginxProcess(NginxProcess&& other) noexcept;
    NginxProcess& operator=(NginxProcess&&) = delete;

    int port() const { return port_; }
    pid_t pid() const { return pid_; }

  private:
    NginxProcess(const std::filesystem::path& folder, const std::string& location,
                 const std::string& upstream = {});
    pid_t pid_ = -1;
    int port_ = 0;
};

// An HTTP client as light as can be, so that under load the server rather than the client sets the pace:
// the request written whole, the answer read by its Content-Length.
class RawClient {
  public:
    explicit RawClient(int port) : port_(port) {}
    ~RawClient();
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    // GET path: the body's size, or -1 when the request failed or was not answered 200. Without
    // keepAlive, each request has a connection of its own.
    long Get(const std::string& path, bool keepAlive = true);

  private:
    bool connectTo();
    void disconnect();
    long fail();

    int port_;
    int fd_ = -1;
    std::string buffer_;
};

// A port of 127.0.0.1 that was free a moment ago.
int FreePort();

// A TCP connection to port of 127.0.0.1, for tests that write requests byte by byte; -1 when refused.
int ConnectTo(int port);

// text as a query value: every byte but letters and digits %-encoded.
std::string UrlEncode(const std::string& text);

// Runs a program with a time limit; its exit status, -1 when it had to be killed. environment holds
// NAME=VALUE settings added to the program's.
int RunProgram(const std::vector<std::string>& argv, int seconds, std::string* output = nullptr,
               const std::vector<std::string>& environment = {});

// A headless Chromium's picture of url in a window width pixels wide, written to png (a fresh profile in
// profile); Chromium's exit status, with what it printed in output.
int Screenshot(const std::string& url, const std::filesystem::path& png, int width, int height,
               const std::filesystem::path& profile, std::string* output = nullptr);

// What of the page at url, in a window width pixels wide, is wider than its box: the page itself
// ("html +12": it scrolls sideways by 12 pixels) and each card, table block or bracket that scrolls
// inside the page ("div.card +40"). Empty when nothing is; "no answer: ..." when Chromium could not
// tell. The page is measured in a frame of a page of the test's own, in a fresh profile in profile.
std::string PageOverflow(const std::string& url, int width, const std::filesystem::path& profile);

}  // namespace site_testing
