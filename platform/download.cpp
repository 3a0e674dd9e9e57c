#include "platform/download.h"

#include <curl/curl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/ini.h"
#include "platform/opener.h"

namespace platform {

namespace {

struct DownloadState {
    std::mutex mutex;
    DownloadLimits limits;
    Pointer pointer = Pointer::Default;
    std::function<void(Pointer)> pointerHandler;
};

DownloadState& state() {
    static DownloadState s;
    return s;
}

// libcurl is loaded at the first download, not at start-up: with the libraries it needs (TLS, Kerberos,
// LDAP and more, some 25) it costs a start about 5 MB and the time to load them, for a session that may
// download nothing.
struct CurlApi {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    std::string missing;  // why it could not be loaded; empty once loaded
};

template <typename F>
void bind(void* library, const char* name, F& function, std::string& missing) {
    function = reinterpret_cast<F>(dlsym(library, name));
    if (!function && missing.empty()) missing = std::string("libcurl has no ") + name;
}

const CurlApi& curl() {
    static const CurlApi api = [] {
        CurlApi a;
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            const char* why = dlerror();
            a.missing = std::string("libcurl cannot be loaded: ") + (why ? why : "libcurl.so.4 not found");
            return a;
        }
        bind(library, "curl_global_init", a.global_init, a.missing);
        bind(library, "curl_easy_init", a.easy_init, a.missing);
        bind(library, "curl_easy_setopt", a.easy_setopt, a.missing);
        bind(library, "curl_easy_perform", a.easy_perform, a.missing);
        bind(library, "curl_easy_getinfo", a.easy_getinfo, a.missing);
        bind(library, "curl_easy_cleanup", a.easy_cleanup, a.missing);
        bind(library, "curl_easy_strerror", a.easy_strerror, a.missing);
        bind(library, "curl_slist_append", a.slist_append, a.missing);
        bind(library, "curl_slist_free_all", a.slist_free_all, a.missing);
        if (a.missing.empty()) a.global_init(CURL_GLOBAL_DEFAULT);
        return a;
    }();
    return api;
}

// The temporary file that receives the answer, beside its target so that the rename stays on one disk.
class PartFile {
  public:
    explicit PartFile(const std::filesystem::path& target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            path_ = target;
            path_ += TemporarySuffix(".part", counter++);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) opened_ = Result::SystemError("open", path_, errno);
    }
    ~PartFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!kept_) {
            std::error_code ec;
            std::filesystem::remove(path_, ec);
        }
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    const Result& opened() const { return opened_; }
    bool write(const char* data, size_t size) {
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd_, data + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                writeError_ = Result::SystemError("write", path_, n < 0 ? errno : ENOSPC);
                return false;
            }
            done += static_cast<size_t>(n);
        }
        written_ += static_cast<std::int64_t>(size);
        return true;
    }
    std::int64_t written() const { return written_; }
    const Result& writeError() const { return writeError_; }
    // Flushes and puts the file under the target's name.
    Result commit(const std::filesystem::path& target) {
        Result result;
        if (::fsync(fd_) != 0) result = Result::SystemError("fsync", path_, errno);
        if (::close(fd_) != 0 && result) result = Result::SystemError("close", path_, errno);
        fd_ = -1;
        if (result && ::rename(path_.c_str(), target.c_str()) != 0)
            result = Result::SystemError("rename", target, errno);
        kept_ = static_cast<bool>(result);
        return result;
    }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    Result opened_;
    Result writeError_;
    std::int64_t written_ = 0;
    bool kept_ = false;
};

struct Transfer {
    PartFile* file;
    std::int64_t maxBytes;
    std::chrono::milliseconds idle;
    TaskProgress* progress;
    bool tooLarge = false;
    bool idleTooLong = false;
    curl_off_t lastReceived = -1;
    std::chrono::steady_clock::time_point lastChange = std::chrono::steady_clock::now();
};

size_t receive(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->file->written() + static_cast<std::int64_t>(bytes) > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    if (!transfer->file->write(data, bytes)) return 0;
    if (transfer->progress) transfer->progress->received = transfer->file->written();
    return bytes;
}

// Called by the transfer at least once a second: stops it when cancelled or silent for too long.
int watch(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->progress) {
        if (transfer->progress->cancelled) return 1;
        if (expected > 0) transfer->progress->expected = expected;
    }
    const auto now = std::chrono::steady_clock::now();
    if (received != transfer->lastReceived) {
        transfer->lastReceived = received;
        transfer->lastChange = now;
    } else if (now - transfer->lastChange > transfer->idle) {
        transfer->idleTooLong = true;
        return 1;
    }
    return 0;
}

struct CurlHandle {
    CURL* handle = curl().easy_init();
    curl_slist* headers = nullptr;
    ~CurlHandle() {
        if (headers) curl().slist_free_all(headers);
        if (handle) curl().easy_cleanup(handle);
    }
};

Result transferFailure(CURLcode code, const Transfer& transfer, long status, const char* detail,
                       const std::string& url) {
    if (transfer.progress && transfer.progress->cancelled) return Result::Failure("cancelled");
    if (transfer.idleTooLong) {
        return Result::Failure("GET " + url + ": nothing received for " +
                               std::to_string(transfer.idle.count()) + " ms");
    }
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return Result::Failure("GET " + url + ": answer larger than " + std::to_string(transfer.maxBytes) +
                               " bytes");
    }
    if (!transfer.file->writeError()) return transfer.file->writeError();
    if (code == CURLE_HTTP_RETURNED_ERROR)
        return Result::Failure("GET " + url + ": HTTP " + std::to_string(status));
    std::string reason = "GET " + url + ": curl error " + std::to_string(static_cast<int>(code)) + " (" +
                         curl().easy_strerror(code) + ")";
    if (detail && *detail) reason += ": " + std::string(detail);
    return Result::Failure(reason);
}

}  // namespace

void SetDownloadLimits(const DownloadLimits& limits) {
    std::lock_guard lock(state().mutex);
    state().limits = limits;
}

DownloadLimits CurrentDownloadLimits() {
    std::lock_guard lock(state().mutex);
    return state().limits;
}

Result DownloadToFile(const std::string& url, const std::filesystem::path& file, TaskProgress* progress) {
    try {
        if (!IsWebAddress(url)) return Result::Failure("not an http or https address: " + url);
        if (file.empty()) return Result::Failure("GET " + url + ": no file to write to");
        if (!curl().missing.empty()) return Result::Failure("GET " + url + ": " + curl().missing);
        const DownloadLimits limits = CurrentDownloadLimits();
        PartFile part(file);
        if (!part.opened()) return part.opened();
        CurlHandle curl;
        if (!curl.handle) return Result::Failure("GET " + url + ": the transfer could not be set up");
        Transfer transfer{&part, limits.maxBytes, limits.idle, progress};
        char detail[CURL_ERROR_SIZE] = {};
        curl.headers = platform::curl().slist_append(nullptr, "Cache-Control: no-cache");
        curl.headers = platform::curl().slist_append(curl.headers, "Pragma: no-cache");
        CURL* h = curl.handle;
        const auto setopt = platform::curl().easy_setopt;
        setopt(h, CURLOPT_URL, url.c_str());
        setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        setopt(h, CURLOPT_MAXREDIRS, 5L);
        setopt(h, CURLOPT_FAILONERROR, 1L);
        setopt(h, CURLOPT_NOSIGNAL, 1L);
        setopt(h, CURLOPT_ERRORBUFFER, detail);
        setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
        setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
        setopt(h, CURLOPT_HTTPHEADER, curl.headers);
        setopt(h, CURLOPT_USERAGENT, "Zenkor/1.0");
        setopt(h, CURLOPT_WRITEFUNCTION, receive);
        setopt(h, CURLOPT_WRITEDATA, &transfer);
        setopt(h, CURLOPT_NOPROGRESS, 0L);
        setopt(h, CURLOPT_XFERINFOFUNCTION, watch);
        setopt(h, CURLOPT_XFERINFODATA, &transfer);
        const CURLcode code = platform::curl().easy_perform(h);
        long status = 0;
        platform::curl().easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
        if (code != CURLE_OK) return transferFailure(code, transfer, status, detail, url);
        if (status < 200 || status > 299)
            return Result::Failure("GET " + url + ": HTTP " + std::to_string(status));
        return part.commit(file);
    } catch (const std::exception& e) {
        return Result::Failure("GET " + url + ": " + e.what());
    }
}

void SetScreenPointer(Pointer pointer) {
    std::function<void(Pointer)> handler;
    {
        std::lock_guard lock(state().mutex);
        state().pointer = pointer;
        handler = state().pointerHandler;
    }
    if (handler) handler(pointer);
}

Pointer ScreenPointer() {
    std::lock_guard lock(state().mutex);
    return state().pointer;
}

void SetScreenPointerHandler(std::function<void(Pointer)> handler) {
    std::lock_guard lock(state().mutex);
    state().pointerHandler = std::move(handler);
}

}  // namespace platform
