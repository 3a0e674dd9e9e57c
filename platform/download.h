// Fetching a file over HTTP, and the screen pointer that covers a long operation.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/background.h"
#include "platform/pointer.h"
#include "platform/result.h"

namespace platform {

// Limits of one download, so that a silent server is given up. A slow answer that keeps moving is not:
// its progress window's Cancel is the user's limit.
struct DownloadLimits {
    std::chrono::milliseconds connect{5000};  // to open the connection
    std::chrono::milliseconds idle{10000};    // without receiving a byte
    std::int64_t maxBytes = 16 * 1024 * 1024;
};
void SetDownloadLimits(const DownloadLimits& limits);
DownloadLimits CurrentDownloadLimits();

// GET of an http or https address (redirects followed, to http and https only) into file. The answer
// goes to a temporary file in the same folder, renamed over file only when all of it arrived with a
// success status; otherwise file is left as it was and the result says why (the transfer's error, the
// HTTP status, the failing call on the file). With progress, the bytes received are counted there and
// its cancelled flag stops the transfer. Never throws; safe on any thread.
Result DownloadToFile(const std::string& url, const std::filesystem::path& file,
                      TaskProgress* progress = nullptr);

// The screen's mouse pointer. The front end shows it; headless it is recorded.
void SetScreenPointer(Pointer pointer);
Pointer ScreenPointer();
// nullptr restores the recording only.
void SetScreenPointerHandler(std::function<void(Pointer)> handler);

}  // namespace platform
