#include "platform/data_folders.h"

#include <cstdlib>
#include <optional>
#include <system_error>

#include "platform/runtime.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path>& installationOverride() {
    static std::optional<fs::path> folder;
    return folder;
}

fs::path executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

bool isFile(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

}  // namespace

fs::path UserDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (dataHome != nullptr && fs::path(dataHome).is_absolute()) {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr && *home != '\0' ? home : "/tmp") / ".local" / "share";
    }
    return base / "Zenkor";
}

Result UseUserDataFolder() {
    const fs::path folder = UserDataFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Result::SystemError("mkdir", folder, ec.value());
    SetProgramFolder(folder);
    return {};
}

fs::path InstallationFolder() {
    if (installationOverride()) return *installationOverride();
    const fs::path exe = executableFolder();
    const fs::path installed = exe.parent_path() / "share" / "zenkor";
    std::error_code ec;
    return fs::is_directory(installed, ec) ? installed : exe;
}

void SetInstallationFolder(const fs::path& folder) {
    if (folder.empty()) {
        installationOverride().reset();
    } else {
        installationOverride() = folder;
    }
}

fs::path ReadableFile(const fs::path& name) {
    const fs::path own = ProgramFolder() / name;
    if (isFile(own)) return own;
    const fs::path shipped = InstallationFolder() / name;
    return isFile(shipped) ? shipped : own;
}

fs::path WritableFile(const fs::path& name) {
    const fs::path own = ProgramFolder() / name;
    const fs::path shipped = InstallationFolder() / name;
    std::error_code ec;
    if (!fs::exists(own, ec) && isFile(shipped)) {
        fs::create_directories(own.parent_path(), ec);
        // A copy cut short must not pass for the user's file: copy beside it, then rename.
        fs::path part = own;
        part += ".part";
        if (fs::copy_file(shipped, part, fs::copy_options::overwrite_existing, ec)) {
            fs::permissions(part, fs::perms::owner_write, fs::perm_options::add, ec);
            if (!fs::exists(own, ec)) fs::rename(part, own, ec);
        }
        fs::remove(part, ec);
    }
    return own;
}

fs::path ShippedFile(const fs::path& name) {
    const fs::path shipped = InstallationFolder() / name;
    return isFile(shipped) ? shipped : ProgramFolder() / name;
}

}  // namespace platform
