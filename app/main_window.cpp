#include "app/main_window.h"

#include "platform/text.h"

namespace zenkor {

Zenkor::Zenkor(Bare) : platform::Form("Zenkor") {
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) places_[g][i] = i;
    }
}

namespace {

std::vector<std::unique_ptr<Zenkor>>& reopened() {
    static std::vector<std::unique_ptr<Zenkor>> windows;
    return windows;
}

}  // namespace

Zenkor& ShowMainWindow(Zenkor& main) {
    if (!main.unloaded()) {
        main.show();
        return main;
    }
    reopened().push_back(main.freshWindow());
    Zenkor& fresh = *reopened().back();
    fresh.show();
    return fresh;
}

Zenkor* ReopenedMainWindow() {
    return reopened().empty() ? nullptr : reopened().back().get();
}

void ReleaseMainWindows() {
    for (auto& window : reopened()) {
        if (window->loaded() && !window->unloaded()) window->unload();
    }
    reopened().clear();
}

std::array<std::string, 101>& LangMessages() {
    static std::array<std::string, 101> messages;
    return messages;
}

std::string MessageOr(int index, const std::string& french) {
    const std::string& text = Message(index);
    return text.empty() ? french : text;
}

std::string MessageWith(int index, const std::string& french, std::initializer_list<std::string> values) {
    std::string text = MessageOr(index, french);
    int n = 1;
    for (const std::string& value : values) text = platform::Replace(text, "%" + std::to_string(n++), value);
    return text;
}

const std::string& Message(int index) {
    static const std::string empty;
    if (index < 0 || index > 100) return empty;
    return LangMessages()[static_cast<size_t>(index)];
}

}  // namespace zenkor
