// The outcome of an operation that can fail, with the reason it failed, so that a caller can say why
// ("rename Zenkor2024.ini: No space left on device") instead of only that it did.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The common causes of a failed file operation, which a user can act on; Other for the rest.
enum class Cause {
    Other,
    Missing,         // a file or folder on the path does not exist
    NotAllowed,      // no permission
    DiskFull,        // no space or quota left
    ReadOnlyFile,    // the file's mode allows no writing
    ReadOnlyDisk,    // a file system mounted read-only
    FolderInTheWay,  // a folder where a file should be
    FileInTheWay,    // a file where a folder should be
};

// The cause of an errno value.
Cause CauseOf(int error);

class [[nodiscard]] Result {
  public:
    Result() = default;  // success
    // subject: the file or folder the cause is about (a name or a path), for the words that tell it.
    static Result Failure(std::string reason, Cause cause = Cause::Other, std::string subject = {}) {
        return Result(reason.empty() ? "failed" : std::move(reason), cause, std::move(subject));
    }
    // The failed system call on a file, with the text of errno (or of the error given).
    static Result SystemError(std::string_view call, const std::filesystem::path& file, int error);

    explicit operator bool() const { return reason_.empty(); }
    // Empty on success; the system's own words.
    const std::string& reason() const { return reason_; }
    Cause cause() const { return cause_; }
    const std::string& subject() const { return subject_; }

  private:
    Result(std::string reason, Cause cause, std::string subject)
        : reason_(std::move(reason)), cause_(cause), subject_(std::move(subject)) {}
    std::string reason_;
    Cause cause_ = Cause::Other;
    std::string subject_;
};

}  // namespace platform
