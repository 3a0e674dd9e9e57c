#include "site/published.h"

#include <cstdio>
#include <exception>
#include <set>

#include "app/main_window.h"
#include "platform/ini.h"

namespace site {

namespace fs = std::filesystem;

extern const std::string_view kFirstEdition;

std::string_view FirstEdition() {
    return kFirstEdition;
}

platform::Result CheckEditionFile(std::string_view bytes) {
    if (bytes.size() > kEditionFileMax) return platform::Result::Failure("the file is larger than 256 KB");
    if (bytes.find('\0') != std::string_view::npos) return platform::Result::Failure("not a text file");
    std::set<std::string> teams;
    for (char g : zenkor::kGroups) {
        const std::string section = std::string("Equip") + g;
        for (int i = 1; i <= 4; ++i) {
            const auto name =
                platform::IniFind(bytes, section, std::to_string(i), platform::IniEncoding::Cp1252);
            if (!name || name->empty()) {
                return platform::Result::Failure("no team " + std::to_string(i) + " in section [" + section +
                                                 "]");
            }
            if (!teams.insert(*name).second)
                return platform::Result::Failure("a team is named twice: " + *name);
        }
    }
    return {};
}

platform::Result PublishEditionFile(const fs::path& dataFolder, std::string_view bytes) {
    if (platform::Result check = CheckEditionFile(bytes); !check) return check;
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    const fs::path file = dataFolder / kPublishedName;
    if (const auto previous = platform::ReadFileBytes(file)) {
        const fs::path kept = dataFolder / kPreviousName;
        if (platform::Result saved = platform::WriteFileAtomically(kept, *previous); !saved) {
            return platform::Result::Failure("cannot keep the previous file as " + kept.string() + ": " +
                                             saved.reason());
        }
    }
    if (platform::Result written = platform::WriteFileAtomically(file, bytes); !written) {
        return platform::Result::Failure("cannot write " + file.string() + ": " + written.reason());
    }
    return {};
}

PublishedEdition::PublishedEdition(fs::path dataFolder) : file_(std::move(dataFolder) / kPublishedName) {}

std::shared_ptr<const PublishedEdition::Snapshot> PublishedEdition::current() {
    std::error_code ec;
    const auto stamp = fs::last_write_time(file_, ec);
    const auto size = ec ? 0 : fs::file_size(file_, ec);
    std::lock_guard lock(mutex_);
    if (ec) return snapshot_;  // a moment without the file (between two renames): the last one read
    if (snapshot_ && stamp == stamp_ && size == size_) return snapshot_;
    auto bytes = platform::ReadFileBytes(file_);
    if (!bytes) return snapshot_;
    auto next = std::make_shared<Snapshot>();
    next->bytes = std::move(*bytes);
    try {
        next->tournament = ComputeTournament(next->bytes);
    } catch (const std::exception& e) {
        // The file is still served as published; only the pages lack its tournament.
        std::fprintf(stderr, "zenkor-site: %s: the tournament could not be computed: %s\n", file_.c_str(),
                     e.what());
    }
    snapshot_ = std::move(next);
    stamp_ = stamp;
    size_ = size;
    return snapshot_;
}

}  // namespace site
