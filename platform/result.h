// The outcome of an operation that can fail, with the reason it failed, so that a caller can say why
// ("rename Zenkor2024.ini: No space left on device") instead of only that it did.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

class [[nodiscard]] Result {
  public:
    Result() = default;  // success
    static Result Failure(std::string reason) {
        return Result(reason.empty() ? "failed" : std::move(reason));
    }
    // The failed system call on a file, with the text of errno (or of the error given).
    static Result SystemError(std::string_view call, const std::filesystem::path& file, int error);

    explicit operator bool() const { return reason_.empty(); }
    // Empty on success.
    const std::string& reason() const { return reason_; }

  private:
    explicit Result(std::string reason) : reason_(std::move(reason)) {}
    std::string reason_;
};

}  // namespace platform
