// The per-user settings store on a real file under a temporary XDG_CONFIG_HOME.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/settings.h"
#include "tests/support/fakes.h"

namespace fs = std::filesystem;
using platform::GetSetting;
using platform::SaveSetting;

namespace {

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
        setenv("XDG_CONFIG_HOME", (box_.folder() / "config").c_str(), 1);
    }
    void TearDown() override {
        if (saved_)
            setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    fs::path file() const { return box_.folder() / "config" / "Zenkor" / "settings.ini"; }

    testing_support::Sandbox box_;
    std::optional<std::string> saved_;
};

}  // namespace

TEST_F(SettingsStore, MissingStoreGivesDefaultsAndTheFirstSaveCreatesAPrivateFile) {
    EXPECT_EQ(GetSetting("Zenkor", "data", "langue", "0"), "0");
    EXPECT_EQ(platform::SettingsFile("Zenkor"), file());
    ASSERT_TRUE(SaveSetting("Zenkor", "data", "pseudo", "Zoé"));
    EXPECT_EQ(GetSetting("Zenkor", "data", "pseudo"), "Zoé");  // UTF-8 kept as such, any character
    ASSERT_TRUE(SaveSetting("Zenkor", "data", "mdp", "ŁÓDŹ"));
    EXPECT_EQ(GetSetting("Zenkor", "DATA", "mdp"), "ŁÓDŹ");
    EXPECT_EQ(fs::status(file()).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(GetSetting("Autre", "data", "pseudo", "x"), "x");  // another application, another file
}

TEST_F(SettingsStore, ALongValueComesBackWhole) {
    const std::string pseudo = std::string(1500, 'z') + "é";
    ASSERT_TRUE(SaveSetting("Zenkor", "data", "pseudo", pseudo));
    EXPECT_EQ(GetSetting("Zenkor", "data", "pseudo"), pseudo);
}

TEST_F(SettingsStore, AnOpenFileBecomesPrivateOnTheNextSave) {
    fs::create_directories(file().parent_path());
    std::ofstream(file()) << "[data]\nreduit=1\n";
    fs::permissions(file(), fs::perms::all);
    ASSERT_TRUE(SaveSetting("Zenkor", "data", "reduit", "0"));
    EXPECT_EQ(GetSetting("Zenkor", "data", "reduit"), "0");
    EXPECT_EQ(fs::status(file()).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsStore, GarbageReadsAsDefaultsAndStillTakesNewValues) {
    fs::create_directories(file().parent_path());
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
    std::ofstream(file(), std::ios::binary) << garbage;
    EXPECT_EQ(GetSetting("Zenkor", "data", "langue", "0"), "0");
    ASSERT_TRUE(SaveSetting("Zenkor", "data", "langue", "2"));
    EXPECT_EQ(GetSetting("Zenkor", "data", "langue", "0"), "2");
}

TEST_F(SettingsStore, AStoreThatIsAFolderIsIgnored) {
    fs::create_directories(file());
    EXPECT_EQ(GetSetting("Zenkor", "data", "langue", "0"), "0");
    EXPECT_FALSE(SaveSetting("Zenkor", "data", "langue", "1"));
}

TEST_F(SettingsStore, ARelativeConfigHomeIsIgnored) {
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(platform::SettingsFile("Zenkor"), fs::path(home) / ".config" / "Zenkor" / "settings.ini");
    EXPECT_TRUE(platform::SettingsFile("../x").empty());
}
