#include "platform/runtime.h"

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <iostream>

#include "platform/background.h"
#include "platform/control.h"

namespace platform {

namespace {

class ConsoleDialogs : public Dialogs {
  public:
    Answer msgBox(const std::string& text, int style, const std::string& title) override {
        std::cerr << "[" << title << "] " << text << '\n';
        // Without a window nobody can answer: the first button.
        return (style & kButtonSetMask) == vbYesNo ? Answer::Yes : Answer::OK;
    }
    std::string inputBox(const std::string& prompt, const std::string&,
                         const std::string& defaultText) override {
        std::cerr << prompt << '\n';
        return defaultText;
    }
};

class SystemClock : public Clock {
  public:
    DateTime now() override {
        const std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        return MakeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                            local.tm_min, local.tm_sec);
    }
};

class NoPump : public EventPump {
  public:
    void processPending() override {}
};

struct Services {
    std::shared_ptr<Dialogs> dialogs = std::make_shared<ConsoleDialogs>();
    std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    std::shared_ptr<EventPump> pump = std::make_shared<NoPump>();
    std::uint32_t rnd = 327680;  // the runtime's fixed start of the sequence
    std::filesystem::path programFolder;
    std::string applicationName = "Zenkor";
    bool endRequested = false;
    std::function<void()> endHandler;
    std::function<void(Form&)> viewFactory;
    std::function<void(int)> languageHandler;
};

Services& services() {
    static Services s;
    return s;
}

}  // namespace

void SetDialogs(std::shared_ptr<Dialogs> dialogs) {
    services().dialogs = dialogs ? std::move(dialogs) : std::make_shared<ConsoleDialogs>();
}
void SetClock(std::shared_ptr<Clock> clock) {
    services().clock = clock ? std::move(clock) : std::make_shared<SystemClock>();
}
void SetEventPump(std::shared_ptr<EventPump> pump) {
    services().pump = pump ? std::move(pump) : std::make_shared<NoPump>();
}

Answer MsgBox(const std::string& text, int style, const std::string& title) {
    // Keep the service alive even if a handler inside the dialog replaces it.
    auto dialogs = services().dialogs;
    const PostedTasksHeld held;
    return dialogs->msgBox(text, style, title);
}

std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    auto dialogs = services().dialogs;
    const PostedTasksHeld held;
    return dialogs->inputBox(prompt, title, defaultText);
}

DateTime Now() {
    return services().clock->now();
}

void DoEvents() {
    auto pump = services().pump;
    const PostedTasksHeld held;
    pump->processPending();
}

float Rnd() {
    // A 24-bit linear congruential sequence, never reseeded.
    auto& x = services().rnd;
    x = (x * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<float>(x) / 16777216.0f;
}

void ResetRandom() {
    services().rnd = 327680;
}

std::filesystem::path ProgramFolder() {
    auto& folder = services().programFolder;
    if (folder.empty()) {
        std::error_code ec;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        folder = ec ? std::filesystem::current_path() : exe.parent_path();
    }
    return folder;
}

void SetProgramFolder(const std::filesystem::path& folder) {
    services().programFolder = folder;
}

std::string ApplicationName() {
    return services().applicationName;
}
void SetApplicationName(std::string_view name) {
    services().applicationName = std::string(name);
}

void EndProgram() {
    services().endRequested = true;
    if (auto handler = services().endHandler) handler();
}
bool EndRequested() {
    return services().endRequested;
}
void SetEndHandler(std::function<void()> handler) {
    services().endHandler = std::move(handler);
    services().endRequested = false;
}

void SetViewFactory(std::function<void(Form&)> factory) {
    services().viewFactory = std::move(factory);
}
void AttachView(Form& form) {
    if (auto factory = services().viewFactory) factory(form);
}

void SetInterfaceLanguage(int language) {
    if (auto handler = services().languageHandler) handler(language);
}
void SetLanguageHandler(std::function<void(int)> handler) {
    services().languageHandler = std::move(handler);
}

}  // namespace platform
