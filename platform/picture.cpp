#include "platform/picture.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <fstream>

namespace platform {

namespace {

// The folder of this run's picture copies, removed when the program ends.
class PictureStore {
  public:
    ~PictureStore() {
        if (folder_.empty()) return;
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::filesystem::path& folder() {
        if (folder_.empty()) {
            std::error_code ec;
            std::filesystem::path folder =
                std::filesystem::temp_directory_path(ec) / ("zenkor-pictures-" + std::to_string(::getpid()));
            if (ec) return folder_;
            std::filesystem::create_directories(folder, ec);
            if (ec) return folder_;
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
            folder_ = folder;
        }
        return folder_;
    }

  private:
    std::filesystem::path folder_;
};

PictureStore& store() {
    static PictureStore s;
    return s;
}

}  // namespace

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
        const std::filesystem::path copy =
            folder / (std::to_string(counter++) + "-" + file.filename().string());
        std::error_code ec;
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing, ec);
        return ec ? std::string() : copy.string();
    } catch (...) {
        return {};
    }
}

}  // namespace platform
