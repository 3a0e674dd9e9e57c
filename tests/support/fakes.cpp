#include "tests/support/fakes.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/data_folders.h"
#include "platform/text.h"

namespace testing_support {

platform::Answer ScriptedDialogs::msgBox(const std::string& text, int style, const std::string& title) {
    messages.push_back({text, style, title});
    if (!answers.empty()) {
        const platform::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & platform::kButtonSetMask) == platform::vbYesNo ? platform::Answer::Yes
                                                                   : platform::Answer::OK;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string&, const std::string&) {
    prompts.push_back(prompt);
    if (inputs.empty()) return {};
    std::string answer = inputs.front();
    inputs.pop_front();
    return answer;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* previous = std::getenv(name)) previous_ = previous;
    ::setenv(name, value, 1);
}

ScopedEnv::~ScopedEnv() {
    if (previous_) {
        ::setenv(name_.c_str(), previous_->c_str(), 1);
    } else {
        ::unsetenv(name_.c_str());
    }
}

Sandbox::Sandbox()
    : clock(std::make_shared<FixedClock>(platform::MakeDateTime(2024, 6, 20, 12, 0, 0))),
      dialogs(std::make_shared<ScriptedDialogs>()) {
    std::random_device rd;
    folder_ = std::filesystem::temp_directory_path() /
              ("zenkor-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(folder_ / "config");
    // Per-user settings go to the sandbox too, never to the real user's folder.
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    if (previous) previousConfigHome_ = previous;
    ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    platform::SetClock(clock);
    platform::SetDialogs(dialogs);
    platform::SetEventPump(nullptr);
    platform::SetProgramFolder(folder_);
    platform::SetInstallationFolder(folder_);  // what a test copies in is all there is
    platform::SetDecimalSeparator(",");
    platform::ResetRandom();
}

Sandbox::~Sandbox() {
    if (previousConfigHome_) {
        ::setenv("XDG_CONFIG_HOME", previousConfigHome_->c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    platform::SetClock(nullptr);
    platform::SetDialogs(nullptr);
    platform::SetEventPump(nullptr);
    platform::SetInstallationFolder({});
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

void Sandbox::copyDataFile(const std::string& name) const {
    std::filesystem::copy(
        std::filesystem::path(ZENKOR_DATA_DIR) / name, folder_ / name,
        std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
}

void Sandbox::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(folder_ / name, std::ios::binary);
    out << bytes;
}

std::string Sandbox::readFile(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace testing_support
