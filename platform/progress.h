// The progress window over a long operation: what is going on, the bytes received so far and a Cancel
// button. It is modal: the windows beneath take no input while it is open, but they repaint and their
// timers tick. The front end installs the real one; headless, openings are recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The progress window's own words, in the user's language: its Cancel button and the bytes received, as
// "12 octets reçus" and "12,5 Ko reçus" (the number, then the word with its leading blank).
struct ProgressWords {
    std::string cancel = "Annuler";
    std::string bytes = " octets reçus";
    std::string kilobytes = " Ko reçus";
    char decimalSeparator = ',';
};

// An open progress window; destroying it closes the window.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
};

class ProgressDialogs {
  public:
    virtual ~ProgressDialogs() = default;
    // received is read on the window's thread, as often as the window refreshes; cancel runs there when
    // the user presses Cancel (or closes the window).
    virtual std::unique_ptr<ProgressView> open(const std::string& title, const std::string& text,
                                               const ProgressWords& words,
                                               std::function<std::int64_t()> received,
                                               std::function<void()> cancel) = 0;
};

// What the recording progress saw of one window.
struct ShownProgress {
    std::string title;
    std::string text;
    ProgressWords words;
    bool open = true;
    std::function<std::int64_t()> received;
    std::function<void()> cancel;
};

class RecordingProgressDialogs : public ProgressDialogs {
  public:
    std::unique_ptr<ProgressView> open(const std::string& title, const std::string& text,
                                       const ProgressWords& words, std::function<std::int64_t()> received,
                                       std::function<void()> cancel) override;
    std::vector<std::shared_ptr<ShownProgress>> shown;
};

// Installs the progress windows; nullptr restores a fresh recording one.
void SetProgressDialogs(std::shared_ptr<ProgressDialogs> dialogs);
std::unique_ptr<ProgressView> OpenProgress(const std::string& title, const std::string& text,
                                           const ProgressWords& words, std::function<std::int64_t()> received,
                                           std::function<void()> cancel);
// The default recording one, or nullptr when another is installed.
RecordingProgressDialogs* RecordedProgress();

// "12,5 Ko reçus", the progress text of a download.
std::string ReceivedText(std::int64_t bytes, const ProgressWords& words = {});

}  // namespace platform
