#include "platform/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <iostream>

#include "platform/ini.h"
#include "platform/text_file.h"

namespace platform {

namespace {

std::filesystem::path configHome() {
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir;
    }
    if (!home || !*home) return {};
    return std::filesystem::path(home) / ".config";
}

bool usableName(std::string_view application) {
    return !application.empty() && application != "." && application != ".." &&
           application.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

// A store that is no text (a disk fault, another program's file) is never written into: it is kept
// under a dated name, byte for byte, and a new store takes its place.
void setAsideIfNotText(const std::filesystem::path& file) {
    const auto bytes = ReadFileBytes(file);
    if (!bytes) return;
    const std::string why = WhyNotText(*bytes);
    if (why.empty()) return;
    std::filesystem::path aside;
    if (const Result moved = MoveToDatedName(file, "settings", ".damaged", std::time(nullptr), &aside);
        !moved) {
        std::cerr << "Zenkor: settings: " << file.string() << " is not text (" << why
                  << ") and could not be set aside: " << moved.reason() << '\n';
        return;
    }
    std::cerr << "Zenkor: settings: " << file.string() << " is not text (" << why << "); kept as "
              << aside.filename().string() << '\n';
}

}  // namespace

std::filesystem::path SettingsFile(std::string_view application) {
    if (!usableName(application)) return {};
    const auto base = configHome();
    if (base.empty()) return {};
    return base / std::string(application) / "settings.ini";
}

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    try {
        const auto file = SettingsFile(application);
        if (file.empty()) return std::string(defaultValue);
        // A stored value comes back whole: the 1023-character cut belongs to the data files only.
        const auto bytes = ReadFileBytes(file);
        if (!bytes || !WhyNotText(*bytes).empty()) return std::string(defaultValue);
        auto value = IniFind(CleanText(*bytes), section, key, IniEncoding::Utf8);
        return value ? *value : std::string(defaultValue);
    } catch (...) {
        return std::string(defaultValue);
    }
}

Result SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view value) {
    try {
        const auto file = SettingsFile(application);
        if (file.empty()) return Result::Failure("settings: no home folder to keep them in");
        namespace fs = std::filesystem;
        std::error_code ec;
        if (!fs::is_directory(file.parent_path(), ec)) {
            fs::create_directories(file.parent_path(), ec);
            if (ec) return Result::SystemError("mkdir", file.parent_path(), ec.value());
            fs::permissions(file.parent_path(), fs::perms::owner_all, ec);
        }
        setAsideIfNotText(file);
        return IniSet(file, section, key, value, IniEncoding::Utf8,
                      fs::perms::owner_read | fs::perms::owner_write);
    } catch (const std::exception& e) {
        return Result::Failure(std::string("settings: ") + e.what());
    }
}

}  // namespace platform
