// Test doubles for the runtime's services: a clock the test sets, message boxes whose answers the test
// scripts and whose texts it reads back, a temporary program folder.
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace testing_support {

class FixedClock : public platform::Clock {
  public:
    explicit FixedClock(platform::DateTime t) : now_(t) {}
    platform::DateTime now() override { return now_; }
    void set(platform::DateTime t) { now_ = t; }

  private:
    platform::DateTime now_;
};

struct ShownMessage {
    std::string text;
    int style;
    std::string title;
};

class ScriptedDialogs : public platform::Dialogs {
  public:
    platform::Answer msgBox(const std::string& text, int style, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

    std::deque<platform::Answer> answers;  // next message box answers; OK / Yes when empty
    std::deque<std::string> inputs;        // next input box answers; "" (cancel) when empty
    std::vector<ShownMessage> messages;    // every message box shown
    std::vector<std::string> prompts;      // every input box prompt
};

// Sets an environment variable for one scope and puts back what it was.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

// Installs fresh fakes for one test and restores the defaults afterwards; makes a temporary program
// folder, removed at the end.
class Sandbox {
  public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::shared_ptr<FixedClock> clock;
    std::shared_ptr<ScriptedDialogs> dialogs;
    const std::filesystem::path& folder() const { return folder_; }
    // Copies a shipped data file or folder (from data/) into the program folder.
    void copyDataFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;
    std::string readFile(const std::string& name) const;

  private:
    std::filesystem::path folder_;
    std::optional<std::string> previousConfigHome_;
};

}  // namespace testing_support
