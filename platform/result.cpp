#include "platform/result.h"

#include <cstring>

namespace platform {

Result Result::SystemError(std::string_view call, const std::filesystem::path& file, int error) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not be the buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return Failure(std::string(call) + " " + file.filename().string() + ": " + text);
}

}  // namespace platform
