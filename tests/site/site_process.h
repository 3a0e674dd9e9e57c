// The real zenkor-site program, started for a test on a free port of 127.0.0.1 and stopped at the end.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace site_testing {

class SiteProcess {
  public:
    // Serves with data folder `data` (and the options extra); returns once the site prints its address.
    // The site ends with the thread that started it, even when that one is killed.
    explicit SiteProcess(std::filesystem::path data, const std::vector<std::string>& extra = {},
                         const std::vector<std::string>& environment = {});
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

// Runs a program with a time limit; its exit status, -1 when it had to be killed. environment holds
// NAME=VALUE settings added to the program's.
int RunProgram(const std::vector<std::string>& argv, int seconds, std::string* output = nullptr,
               const std::vector<std::string>& environment = {});

// A headless Chromium's picture of url in a window width pixels wide, written to png (a fresh profile in
// profile); Chromium's exit status, with what it printed in output.
int Screenshot(const std::string& url, const std::filesystem::path& png, int width, int height,
               const std::filesystem::path& profile, std::string* output = nullptr);

}  // namespace site_testing
