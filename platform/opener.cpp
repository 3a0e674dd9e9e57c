#include "platform/opener.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/runtime.h"

namespace platform {

namespace {

struct OpenerState {
    std::function<void(const std::string&)> opener;
    // The author's site; ZENKOR_SITE_HOST points the program at another one (a mirror, a test server).
    std::string host = [] {
        const char* configured = std::getenv("ZENKOR_SITE_HOST");
        return std::string(configured && *configured ? configured : "www.valmirade.example");
    }();
};

OpenerState& state() {
    static OpenerState s;
    return s;
}

void xdgOpen(const std::string& target) {
    const std::string folder = ProgramFolder().string();
    // Twice forked, so the opener never waits for the browser and leaves no zombie behind.
    const pid_t child = fork();
    if (child < 0) return;
    if (child == 0) {
        if (fork() == 0) {
            if (chdir(folder.c_str()) != 0) _exit(127);
            execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace

void OpenDocument(const std::string& target) {
    if (auto opener = state().opener) {
        opener(target);
        return;
    }
    xdgOpen(target);
}

void SetOpener(std::function<void(const std::string&)> opener) {
    state().opener = std::move(opener);
}

bool IsWebAddress(std::string_view address) {
    const auto startsWith = [address](std::string_view prefix) {
        if (address.size() <= prefix.size()) return false;
        for (size_t i = 0; i < prefix.size(); ++i) {
            const char c = address[i];
            const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            if (lower != prefix[i]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

bool OpenWebAddress(const std::string& address) {
    if (!IsWebAddress(address)) return false;
    OpenDocument(address);
    return true;
}

std::string SiteHost() {
    return state().host;
}
void SetSiteHost(std::string_view host) {
    state().host = std::string(host);
}
std::string SiteAddress(std::string_view path) {
    return "http://" + state().host + std::string(path);
}

}  // namespace platform
