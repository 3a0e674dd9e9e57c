#include "platform/data_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>

#include "platform/ini.h"
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

// The user's home: HOME, else the user database's entry (a shared folder would let others plant files).
fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid());
        pw != nullptr && pw->pw_dir != nullptr && *pw->pw_dir == '/')
        return pw->pw_dir;
    return {};
}

// Why folder cannot be made or used, in terms of the first part of its path that is in the way.
Result whyUnusable(const fs::path& folder, int error) {
    for (fs::path p = folder; !p.empty(); p = p.parent_path()) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (p == p.parent_path()) break;
            continue;
        }
        if (S_ISLNK(st.st_mode) && ::stat(p.c_str(), &st) != 0) {
            std::error_code ec;
            const fs::path target = fs::read_symlink(p, ec);
            return Result::Failure(p.string() + " is a link to " + target.string() + ", which does not exist",
                                   Cause::Missing, target.string());
        }
        if (!S_ISDIR(st.st_mode))
            return Result::Failure(p.string() + " is not a folder", Cause::FileInTheWay, p.string());
        break;
    }
    return Result::Failure(folder.string() + ": " + std::strerror(error), CauseOf(error), folder.string());
}

}  // namespace

fs::path UserDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (dataHome != nullptr && fs::path(dataHome).is_absolute()) {
        base = dataHome;
    } else {
        const fs::path home = homeFolder();
        if (home.empty()) return {};
        base = home / ".local" / "share";
    }
    return base / "Zenkor";
}

Result UseUserDataFolder() {
    const fs::path folder = UserDataFolder();
    if (folder.empty())
        return Result::Failure("no home folder: HOME is not set and the user database has none");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return whyUnusable(folder, ec.value());
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return whyUnusable(folder, errno);
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
    // A link the user made keeps pointing where it did: a target not there yet is the one created.
    const fs::path target = LinkTarget(own);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(target, ec)) && isFile(shipped)) {
        if (target == own) fs::create_directories(own.parent_path(), ec);
        // A copy cut short must not pass for the user's file: copy beside it, then rename.
        fs::path part = target;
        part += ".part";
        if (fs::copy_file(shipped, part, fs::copy_options::overwrite_existing, ec)) {
            fs::permissions(part, fs::perms::owner_write, fs::perm_options::add, ec);
            if (!fs::exists(fs::symlink_status(target, ec))) fs::rename(part, target, ec);
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
