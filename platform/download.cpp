#include "platform/download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <string_view>

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

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isWebAddress(std::string_view url) {
    const auto startsWith = [url](std::string_view prefix) {
        if (url.size() < prefix.size()) return false;
        for (size_t i = 0; i < prefix.size(); ++i) {
            const char c = url[i];
            const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            if (lower != prefix[i]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

// The temporary file that receives the answer, beside its target so that the rename stays on one disk.
class PartFile {
  public:
    explicit PartFile(const std::filesystem::path& target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            path_ = target;
            path_ += ".part" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
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

    bool open() const { return fd_ >= 0; }
    bool write(const char* data, size_t size) {
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd_, data + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        written_ += static_cast<std::int64_t>(size);
        return true;
    }
    std::int64_t written() const { return written_; }
    // Flushes and puts the file under the target's name.
    bool commit(const std::filesystem::path& target) {
        bool ok = ::fsync(fd_) == 0;
        if (::close(fd_) != 0) ok = false;
        fd_ = -1;
        if (ok && ::rename(path_.c_str(), target.c_str()) == 0) kept_ = true;
        return kept_;
    }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::int64_t written_ = 0;
    bool kept_ = false;
};

struct Transfer {
    PartFile* file;
    std::int64_t maxBytes;
};

size_t receive(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->file->written() + static_cast<std::int64_t>(bytes) > transfer->maxBytes) return 0;
    return transfer->file->write(data, bytes) ? bytes : 0;
}

struct CurlHandle {
    CURL* handle = curl_easy_init();
    curl_slist* headers = nullptr;
    ~CurlHandle() {
        if (headers) curl_slist_free_all(headers);
        if (handle) curl_easy_cleanup(handle);
    }
};

}  // namespace

void SetDownloadLimits(const DownloadLimits& limits) {
    std::lock_guard lock(state().mutex);
    state().limits = limits;
}

DownloadLimits CurrentDownloadLimits() {
    std::lock_guard lock(state().mutex);
    return state().limits;
}

bool DownloadToFile(const std::string& url, const std::filesystem::path& file) {
    try {
        if (!isWebAddress(url) || file.empty()) return false;
        initCurlOnce();
        const DownloadLimits limits = CurrentDownloadLimits();
        PartFile part(file);
        if (!part.open()) return false;
        CurlHandle curl;
        if (!curl.handle) return false;
        Transfer transfer{&part, limits.maxBytes};
        curl.headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
        curl.headers = curl_slist_append(curl.headers, "Pragma: no-cache");
        CURL* h = curl.handle;
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.stallSeconds));
        curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, curl.headers);
        curl_easy_setopt(h, CURLOPT_USERAGENT, "Zenkor/1.0");
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, receive);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
        if (curl_easy_perform(h) != CURLE_OK) return false;
        long status = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
        if (status < 200 || status > 299) return false;
        return part.commit(file);
    } catch (...) {
        return false;
    }
}

void ClearWebCacheEntry(const std::string&) {}

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
