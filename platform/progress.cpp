#include "platform/progress.h"

#include <cstdio>
#include <utility>

namespace platform {

namespace {

std::shared_ptr<ProgressDialogs>& installed() {
    static std::shared_ptr<ProgressDialogs> dialogs = std::make_shared<RecordingProgressDialogs>();
    return dialogs;
}

class RecordedView : public ProgressView {
  public:
    explicit RecordedView(std::shared_ptr<ShownProgress> shown) : shown_(std::move(shown)) {}
    ~RecordedView() override { shown_->open = false; }

  private:
    std::shared_ptr<ShownProgress> shown_;
};

}  // namespace

std::unique_ptr<ProgressView> RecordingProgressDialogs::open(const std::string& title,
                                                             const std::string& text,
                                                             const ProgressWords& words,
                                                             std::function<std::int64_t()> received,
                                                             std::function<void()> cancel) {
    auto record = std::make_shared<ShownProgress>();
    record->title = title;
    record->text = text;
    record->words = words;
    record->received = std::move(received);
    record->cancel = std::move(cancel);
    shown.push_back(record);
    return std::make_unique<RecordedView>(record);
}

void SetProgressDialogs(std::shared_ptr<ProgressDialogs> dialogs) {
    installed() = dialogs ? std::move(dialogs) : std::make_shared<RecordingProgressDialogs>();
}

std::unique_ptr<ProgressView> OpenProgress(const std::string& title, const std::string& text,
                                           const ProgressWords& words, std::function<std::int64_t()> received,
                                           std::function<void()> cancel) {
    auto dialogs = installed();
    return dialogs->open(title, text, words, std::move(received), std::move(cancel));
}

RecordingProgressDialogs* RecordedProgress() {
    return dynamic_cast<RecordingProgressDialogs*>(installed().get());
}

std::string ReceivedText(std::int64_t bytes, const ProgressWords& words) {
    char number[32];
    if (bytes < 1024) {
        std::snprintf(number, sizeof number, "%lld", static_cast<long long>(bytes));
        return number + words.bytes;
    }
    std::snprintf(number, sizeof number, "%.1f", static_cast<double>(bytes) / 1024.0);
    for (char* c = number; *c; ++c) {
        if (*c == '.') *c = words.decimalSeparator;
    }
    return number + words.kilobytes;
}

}  // namespace platform
