#include "platform/clipboard.h"

namespace platform {

namespace {

class MemoryClipboard : public Clipboard {
  public:
    void clear() override { text_.clear(); }
    void setText(const std::string& text) override { text_ = text; }
    std::string text() override { return text_; }

  private:
    std::string text_;
};

std::shared_ptr<Clipboard>& installed() {
    static std::shared_ptr<Clipboard> clipboard = std::make_shared<MemoryClipboard>();
    return clipboard;
}

}  // namespace

void SetClipboard(std::shared_ptr<Clipboard> clipboard) {
    installed() = clipboard ? std::move(clipboard) : std::make_shared<MemoryClipboard>();
}

Clipboard& CurrentClipboard() {
    return *installed();
}

void ClipboardClear() {
    CurrentClipboard().clear();
}

void ClipboardSetText(const std::string& text) {
    CurrentClipboard().setText(text);
}

std::string ClipboardText() {
    return CurrentClipboard().text();
}

}  // namespace platform
