// A fresh program folder, settings store and message table for each start of the main window.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/control.h"
#include "platform/datetime.h"
#include "platform/runtime.h"
#include "platform/settings.h"
#include "tests/support/fakes.h"

namespace startup_testing {

// The French texts start-up relies on: messages 1 and 2 (the view button) and the window caption.
inline const std::string kFrenchFile =
    "MSG\\Phase Finale\\1\r\n"
    "MSG\\Phase de Groupes\\2\r\n"
    "Label2\\Valmirade de football 2024 (essai)\r\n";

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedConfig_ = old;
        setenv("XDG_CONFIG_HOME", (box.folder() / "config").c_str(), 1);
        zenkor::LangMessages().fill("");
        platform::SetEndHandler(nullptr);
        platform::SetErrorSink([this](const std::string& e) { errors.push_back(e); });
        box.writeFile("langFr.txt", kFrenchFile);
        box.copyDataFile("Zenkor2024.ini");
    }
    void TearDown() override {
        platform::SetErrorSink([](const std::string& e) { std::fprintf(stderr, "Zenkor: %s\n", e.c_str()); });
        if (savedConfig_)
            setenv("XDG_CONFIG_HOME", savedConfig_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        zenkor::LangMessages().fill("");
    }

    void at(const char* dateTime) { box.clock->set(*platform::ParseDate(dateTime)); }
    static void save(const std::string& key, const std::string& value) {
        EXPECT_TRUE(platform::SaveSetting(platform::ApplicationName(), "data", key, value));
    }
    static std::string setting(const std::string& key, const std::string& missing = "<none>") {
        return platform::GetSetting(platform::ApplicationName(), "data", key, missing);
    }
    std::filesystem::path settingsFile() const { return platform::SettingsFile(platform::ApplicationName()); }

    // A new main window, started as the program starts it.
    std::unique_ptr<zenkor::Zenkor> start() {
        auto w = std::make_unique<zenkor::Zenkor>();
        w->show();
        return w;
    }
    static void tick(zenkor::Zenkor& w, const char* timer, int times) {
        for (int i = 0; i < times; ++i) w(timer).tick();
    }

    testing_support::Sandbox box;
    std::vector<std::string> errors;

  private:
    std::optional<std::string> savedConfig_;
};

}  // namespace startup_testing
