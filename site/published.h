// The published edition file: what "/Zenkor2024.ini" serves byte for byte, kept in the data folder.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/result.h"
#include "site/tournament.h"

namespace site {

inline constexpr const char* kPublishedName = "Zenkor2024.ini";
inline constexpr const char* kPreviousName = "Zenkor2024.ini.bak";  // the one it replaced
inline constexpr std::size_t kEditionFileMax = 256 * 1024;

// An edition file: at most kEditionFileMax bytes, the 24 teams of the six groups named, each once.
platform::Result CheckEditionFile(std::string_view bytes);

// Publishes bytes as the current file of the data folder after checking them: the current file is kept as
// kPreviousName, the new one written through a temporary file and a rename.
platform::Result PublishEditionFile(const std::filesystem::path& dataFolder, std::string_view bytes);

// The file the site publishes on its first start: the real 2024 results with a news message.
std::string_view FirstEdition();

// The published file as last read, with its tournament; re-read when the file on disk changes (a publish
// by another process).
class PublishedEdition {
  public:
    struct Snapshot {
        std::string bytes;
        TournamentView tournament;
    };
    explicit PublishedEdition(std::filesystem::path dataFolder);
    // The current snapshot; nullptr while no file is published.
    std::shared_ptr<const Snapshot> current();
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
    std::mutex mutex_;
    std::shared_ptr<const Snapshot> snapshot_;
    std::filesystem::file_time_type stamp_{};
    std::uintmax_t size_ = 0;
};

}  // namespace site
