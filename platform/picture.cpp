#include "platform/picture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace platform {

namespace {

constexpr std::string_view kFolderPrefix = "zenkor-pictures-";

// The folder of this run's picture copies: private to the user, made fresh under a name nobody can
// guess (so no one can plant files or links in it beforehand), removed when the program ends. Its name
// carries the process id, so that a later start can tell the folder of a program killed by a signal.
class PictureStore {
  public:
    ~PictureStore() {
        if (folder_.empty()) return;
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::filesystem::path& folder() {
        if (folder_.empty()) {
            std::string pattern =
                (base() / (std::string(kFolderPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
            if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
        }
        return folder_;
    }

    // The user's own runtime folder when there is one, else the system's temporary folder.
    static std::filesystem::path base() {
        std::error_code ec;
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
            if (std::filesystem::is_directory(runtime, ec)) return runtime;
        }
        const auto temp = std::filesystem::temp_directory_path(ec);
        return ec ? std::filesystem::path("/tmp") : temp;
    }

  private:
    std::filesystem::path folder_;
};

// Copies file into a new file copy, which must not exist yet (never through a link). EEXIST in errno
// when the name was taken.
bool copyInto(const std::filesystem::path& file, const std::filesystem::path& copy) {
    const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        errno = error;
        return false;
    }
    bool ok = true;
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            ok = w > 0;
            if (ok) done += w;
        }
    }
    ::close(in);
    if (::close(out) != 0) ok = false;
    if (!ok) {
        ::unlink(copy.c_str());
        errno = EIO;
    }
    return ok;
}

PictureStore& store() {
    static PictureStore s;
    return s;
}

}  // namespace

int RemoveLeftoverPictureFolders() {
    int removed = 0;
    std::error_code ec;
    const std::filesystem::path base = PictureStore::base();
    for (std::filesystem::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kFolderPrefix)) continue;
        // zenkor-pictures-<pid>-XXXXXX
        const std::string rest = name.substr(kFolderPrefix.size());
        const size_t dash = rest.find('-');
        if (dash == std::string::npos || dash == 0 || dash > 9 || rest.size() - dash - 1 != 6) continue;
        if (rest.find_first_not_of("0123456789") != dash) continue;
        const auto pid = static_cast<pid_t>(std::stol(rest.substr(0, dash)));
        // Only the user's own real folders, of processes that are gone.
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
            continue;
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM) continue;
        std::error_code removeError;
        if (std::filesystem::remove_all(it->path(), removeError) > 0 && !removeError) ++removed;
    }
    return removed;
}

bool IsPictureFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::array<char, 8> head{};
    in.read(head.data(), head.size());
    const auto got = static_cast<size_t>(in.gcount());
    const auto is = [&](const char* signature, size_t length) {
        return got >= length && std::memcmp(head.data(), signature, length) == 0;
    };
    return is("GIF87a", 6) || is("GIF89a", 6) || is("\xFF\xD8\xFF", 3) || is("\x89PNG\r\n\x1A\n", 8) ||
           is("BM", 2);
}

std::string LoadPictureCopy(const std::filesystem::path& file) {
    try {
        if (!IsPictureFile(file)) return {};
        const std::filesystem::path& folder = store().folder();
        if (folder.empty()) return {};
        static std::atomic<unsigned> counter{0};
        // A name already taken (by anything, a planted link included) is passed over, never opened.
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::filesystem::path copy =
                folder / (std::to_string(counter++) + "-" + file.filename().string());
            if (copyInto(file, copy)) return copy.string();
            if (errno != EEXIST) break;
        }
        return {};
    } catch (...) {
        return {};
    }
}

}  // namespace platform
