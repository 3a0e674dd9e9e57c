#include "platform/result.h"

#include <cerrno>
#include <cstring>

namespace platform {

Cause CauseOf(int error) {
    switch (error) {
        case ENOENT:
            return Cause::Missing;
        case EACCES:
        case EPERM:
            return Cause::NotAllowed;
        case ENOSPC:
        case EDQUOT:
            return Cause::DiskFull;
        case EROFS:
            return Cause::ReadOnlyDisk;
        case EISDIR:
            return Cause::FolderInTheWay;
        case ENOTDIR:
            return Cause::FileInTheWay;
        default:
            return Cause::Other;
    }
}

Result Result::SystemError(std::string_view call, const std::filesystem::path& file, int error) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not be the buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return Failure(std::string(call) + " " + file.filename().string() + ": " + text, CauseOf(error),
                   file.filename().string());
}

}  // namespace platform
