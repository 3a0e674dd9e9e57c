// Start-up on the dates that choose the view and the timed panels, the settings it reads and the ones
// shutdown writes, including a damaged store.
#include "assembly/startup.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/opener.h"
#include "platform/text.h"
#include "tests/app/startup_support.h"

using namespace zenkor;
using startup_testing::StartupTest;

TEST_F(StartupTest, LastEveningOfTheGroupsKeepsTheMatchesOfTheDayUntilTheNinthTick) {
    at("26/06/2024 23:59:59");
    auto w = start();
    EXPECT_FALSE(w->knockoutView);
    EXPECT_FALSE((*w)("Frame9").Visible());
    EXPECT_EQ((*w)("Command1").Caption(), "Phase Finale");
    EXPECT_TRUE((*w)("Frame18").Visible());
    EXPECT_TRUE((*w)("Timer1").Enabled());
    EXPECT_EQ((*w)("Combo3").Text(), "26");
    EXPECT_EQ((*w)("Combo4").Text(), "06");
    EXPECT_EQ((*w)("Combo3").ListCount(), 31);
    EXPECT_EQ((*w)("Combo4").List(11), "12");

    tick(*w, "Timer1", 8);
    EXPECT_EQ((*w)("Timer1").Tag(), "8");
    EXPECT_TRUE((*w)("Frame18").Visible());
    EXPECT_TRUE((*w)("Image6").Visible());
    tick(*w, "Timer1", 1);
    EXPECT_FALSE((*w)("Frame18").Visible());
    EXPECT_FALSE((*w)("Image6").Visible());
    EXPECT_FALSE((*w)("Timer1").Enabled());
    EXPECT_EQ((*w)("Timer1").Tag(), "9");
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(StartupTest, MidnightOfTheKnockoutDayIsNotYetLater) {
    at("27/06/2024 00:00:00");
    auto w = start();
    EXPECT_FALSE(w->knockoutView);
    EXPECT_FALSE((*w)("Frame9").Visible());
    EXPECT_FALSE((*w)("Frame18").Visible());
    EXPECT_FALSE((*w)("Timer1").Enabled());
}

TEST_F(StartupTest, OneSecondLaterTheKnockoutViewOpens) {
    at("27/06/2024 00:00:01");
    auto w = start();
    EXPECT_TRUE(w->knockoutView);
    EXPECT_TRUE((*w)("Frame9").Visible());
    EXPECT_EQ((*w)("Command1").Caption(), "Phase de Groupes");
    EXPECT_FALSE((*w)("Frame18").Visible());
    EXPECT_FALSE((*w)("Timer1").Enabled());
    EXPECT_FALSE((*w)("Label24", 2).Visible());
    // The button switches back to the groups.
    (*w)("Command1").raiseClick();
    EXPECT_FALSE(w->knockoutView);
    EXPECT_FALSE((*w)("Frame9").Visible());
    EXPECT_EQ((*w)("Command1").Caption(), "Phase Finale");
}

TEST_F(StartupTest, BeforeTheQualifiersEndTheQualifiersPanelComesLast) {
    at("12/10/2015 20:45:00");
    auto w = start();
    EXPECT_FALSE(w->knockoutView);
    EXPECT_FALSE((*w)("Frame18").Visible());
    EXPECT_FALSE((*w)("Timer1").Enabled());
    EXPECT_TRUE((*w)("Label24", 2).Visible());
    EXPECT_TRUE(w->FChargee);
}

TEST_F(StartupTest, FirstStartWithoutSettings) {
    at("20/06/2024 18:00:00");
    ASSERT_FALSE(std::filesystem::exists(settingsFile()));
    auto w = start();
    EXPECT_EQ(w->sage, 0);
    EXPECT_EQ((*w)("ChChargeImage").Value(), 1);
    EXPECT_FALSE(w->compactMode);
    EXPECT_EQ(w->displayScale(), 1.0);
    EXPECT_EQ((*w)("Command14").Caption(), "Passer en mode réduit");
    EXPECT_FALSE((*w)("Command22", 5).Visible());
    EXPECT_FALSE((*w)("Image14").Visible());
    EXPECT_TRUE(w->FChargee);
    // The first-use panel stays five seconds.
    EXPECT_TRUE((*w)("Frame21").Visible());
    EXPECT_TRUE((*w)("Timer2").Enabled());
    tick(*w, "Timer2", 4);
    EXPECT_EQ((*w)("Timer2").Tag(), "5");
    EXPECT_TRUE((*w)("Frame21").Visible());
    tick(*w, "Timer2", 1);
    EXPECT_EQ((*w)("Timer2").Tag(), "6");
    EXPECT_FALSE((*w)("Frame21").Visible());
    EXPECT_FALSE((*w)("Timer2").Enabled());
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(StartupTest, StartUpSetsTheFixedTextsColoursAndColumns) {
    auto w = start();
    EXPECT_EQ((*w)("Label7").Caption(), "Valmirade 2024 Version: 1.0");
    EXPECT_EQ((*w)("Label6", 4).Caption(), "Dastinor");
    EXPECT_EQ(w->self().Caption(), "Valmirade de football 2024 (essai)");  // the language file's Label2
    for (int i = 0; i <= 5; ++i) EXPECT_EQ((*w)("LabTer", i).Caption(), "") << i;
    EXPECT_EQ((*w)("A", 1).BackColor(), platform::RGB(255, 120, 10));
    EXPECT_EQ((*w)("C", 2).BackColor(), platform::RGB(255, 171, 171));
    EXPECT_EQ((*w)("E", 3).BackColor(), platform::RGB(255, 242, 171));
    EXPECT_EQ((*w)("F", 4).BackColor(), 65535);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ((*w)("MJF", row).Left(), (*w)("MJ", 1).Left());
        EXPECT_EQ((*w)("PTsC", row).Left(), (*w)("PTs", 1).Left());
        EXPECT_EQ((*w)("Delta", row).Left(), (*w)("Delta", 1).Left());
    }
    for (int i = 1; i <= 4; ++i) EXPECT_EQ((*w)("Label1", 29 - i).Left(), (*w)("Label1", i).Left());
    // Frame18 lies in front of the round-of-16 summary.
    const auto& order = w->controls();
    const auto pos = [&](const char* name) { return std::find(order.begin(), order.end(), w->find(name)); };
    EXPECT_GT(pos("Frame18"), pos("Frame11"));
}

TEST_F(StartupTest, ExitInCompactModeAndStartAgain) {
    at("28/06/2024 10:00:00");
    {
        auto w = start();
        (*w)("Command14").raiseClick();
        ASSERT_TRUE(w->compactMode);
        (*w)("Command5").raiseClick();
        EXPECT_TRUE(w->unloaded());
        EXPECT_TRUE(platform::EndRequested());
    }
    EXPECT_EQ(setting("reduit"), "1");
    auto w = start();
    EXPECT_TRUE(w->compactMode);
    EXPECT_DOUBLE_EQ(w->displayScale(), 0.85);
    EXPECT_EQ((*w)("Command14").Caption(), "Passer en mode normal");
    EXPECT_TRUE(w->knockoutView);
    // Only the display shrinks: places and positions in the model are those of normal mode.
    std::vector<int> tops;
    for (int i = 1; i <= 4; ++i) tops.push_back((*w)("A", i).Top());
    std::sort(tops.begin(), tops.end());
    EXPECT_EQ(tops, (std::vector<int>{690, 945, 1380, 1635}));

    // Back to normal mode, the next exit stores it.
    (*w)("Command14").raiseClick();
    w->unload();
    EXPECT_EQ(setting("reduit"), "0");
}

TEST_F(StartupTest, ShutdownStoresThePanelsPseudonymAndPasswordOnlyWhenTyped) {
    save("pseudo", "Zoé");
    save("mdp", "secret");
    {
        auto w = start();
        (*w)("Command5").raiseClick();
    }
    EXPECT_EQ(setting("pseudo"), "Zoé");
    EXPECT_EQ(setting("mdp"), "secret");
    EXPECT_EQ(setting("reduit"), "0");
    auto w = start();
    (*w)("Text2", 1).setText("Éloïse");
    (*w)("Text2", 0).setText("nouveau");
    w->unload();
    EXPECT_EQ(setting("pseudo"), "Éloïse");
    EXPECT_EQ(setting("mdp"), "nouveau");
    EXPECT_EQ(std::filesystem::status(settingsFile()).permissions() & std::filesystem::perms::mask,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(StartupTest, AContestPlayerGetsTheTrimButtonAndThePicture) {
    save("pseudo", "Zoé");
    save("ChImage", "0");
    save("FirstUse", "1");
    auto w = start();
    EXPECT_EQ((*w)("ChChargeImage").Value(), 0);
    EXPECT_TRUE((*w)("Command22", 5).Visible());
    EXPECT_TRUE((*w)("Image14").Visible());
    EXPECT_EQ((*w)("Image14").MousePointer(), platform::Pointer::Hand);
    EXPECT_FALSE((*w)("Frame21").Visible());
    EXPECT_FALSE((*w)("Timer2").Enabled());
}

TEST_F(StartupTest, StoredValuesTheProgramNeverWritesReadAsDefaults) {
    for (const auto& [langue, chImage] : std::vector<std::pair<std::string, std::string>>{
             {"7", "5"}, {"-1", "-3"}, {"abc", "x"}, {"1.5", "0.5"}, {"99999999999999999999", "1e400"}}) {
        save("langue", langue);
        save("ChImage", chImage);
        auto w = start();
        EXPECT_EQ(w->sage, 0) << langue;
        EXPECT_EQ((*w)("ChChargeImage").Value(), 1) << chImage;
        EXPECT_EQ((*w)("Command1").Caption(), "Phase Finale");
    }
    save("langue", " 2");
    box.writeFile("langSp.txt", "MSG\\Fase Final\\1\r\nMSG\\Fase de Grupos\\2\r\n");
    auto w = start();
    EXPECT_EQ(w->sage, 2);
    EXPECT_EQ((*w)("Command1").Caption(), "Fase Final");
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(StartupTest, AGarbageSettingsFileDoesNotStopStartUp) {
    std::filesystem::create_directories(settingsFile().parent_path());
    std::string garbage = "[data\x00]\r\nlangue==\xFF\xFE\r\n[data]\n";
    for (int i = 0; i < 2000; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    std::ofstream(settingsFile(), std::ios::binary) << garbage;
    at("20/06/2024 18:00:00");
    auto w = start();
    EXPECT_EQ(w->sage, 0);
    EXPECT_TRUE((*w)("Frame18").Visible());
    EXPECT_EQ((*w)("Label7").Caption(), "Valmirade 2024 Version: 1.0");
    (*w)("Command14").raiseClick();
    w->unload();
    EXPECT_EQ(setting("reduit"), "1");
    EXPECT_TRUE(errors.empty()) << errors.front();
}

// A settings store that is no text (another program's file, a disk fault) is never written into: the
// start and the exit keep it byte for byte under a dated name and start a new store.
TEST_F(StartupTest, ABinarySettingsFileIsKeptAsideAndNeverWrittenInto) {
    std::filesystem::create_directories(settingsFile().parent_path());
    std::string binary;
    for (int i = 0; i < 20000; ++i) binary += static_cast<char>((i * 7 + i / 251) % 256);
    std::ofstream(settingsFile(), std::ios::binary) << binary;
    save("reduit", "1");  // the store's own writer, before any window
    auto w = start();
    (*w)("Command14").raiseClick();
    w->unload();

    std::vector<std::string> aside;
    for (const auto& entry : std::filesystem::directory_iterator(settingsFile().parent_path())) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (bytes == binary) aside.push_back(entry.path().filename().string());
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(aside[0].starts_with("settings-") && aside[0].ends_with(".damaged")) << aside[0];
    EXPECT_EQ(setting("langue"), "0");
    EXPECT_EQ(setting("reduit"), "0");  // compact mode was on, switched off before the exit
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(StartupTest, AnUnreadableSettingsStoreDoesNotStopStartUpOrShutdown) {
    std::filesystem::create_directories(settingsFile());  // a folder where the file should be
    at("20/06/2024 18:00:00");
    auto w = start();
    EXPECT_EQ(w->sage, 0);
    EXPECT_EQ((*w)("ChChargeImage").Value(), 1);
    EXPECT_TRUE((*w)("Frame21").Visible());
    (*w)("Command5").raiseClick();
    EXPECT_TRUE(w->unloaded());
    EXPECT_TRUE(platform::EndRequested());
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(StartupTest, WithoutALanguageFileTheViewStillFollowsItsState) {
    std::filesystem::remove(box.folder() / "langFr.txt");
    at("28/06/2024 10:00:00");
    auto w = start();
    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_EQ(box.dialogs->messages[0].text, "Fichier absent.");
    // The knockout view opens after the knockout date even though message 1 is empty.
    EXPECT_TRUE(w->knockoutView);
    EXPECT_TRUE((*w)("Frame9").Visible());
    EXPECT_EQ(w->self().Caption(), "Valmirade de football 2024");  // the design text of Label2
}

TEST_F(StartupTest, YesToTheNewerVersionPromptEndsStartUpAtOnce) {
    std::vector<std::string> opened;
    platform::SetOpener([&opened](const std::string& target) { opened.push_back(target); });
    box.writeFile("langFr.txt", startup_testing::kFrenchFile + "MSG\\Version plus recente ?\\15\r\n");
    box.writeFile("Zenkor2024.ini", "[CV]\r\n0=1.1\r\n[ButA]\r\n0=4\r\n");
    save("pseudo", "Zoé");
    at("28/06/2024 10:00:00");
    box.dialogs->answers.push_back(platform::Answer::Yes);
    auto w = start();
    platform::SetOpener(nullptr);

    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_EQ(box.dialogs->messages[0].text, "Version plus recente ?");
    EXPECT_EQ(opened, std::vector<std::string>{platform::SiteAddress("/zenkor.php")});
    EXPECT_TRUE(platform::EndRequested());
    // Nothing after the load ran: no recompute, no knockout view, no version line, no pickers, no panels.
    EXPECT_EQ((*w)("Text1").Text(), "Zenkor2024");
    EXPECT_EQ((*w)("ButA", 0).Text(), "-");
    EXPECT_FALSE(w->FChargee);
    EXPECT_FALSE(w->knockoutView);
    EXPECT_EQ((*w)("Label7").Caption(), "");
    EXPECT_EQ((*w)("Combo3").ListCount(), 0);
    EXPECT_FALSE((*w)("Command22", 5).Visible());
    EXPECT_FALSE((*w)("Frame21").Visible());
    EXPECT_FALSE((*w)("Timer2").Enabled());
    EXPECT_FALSE(w->unloaded());
    EXPECT_TRUE(errors.empty()) << errors.front();
}

// A program killed in the middle of a save or a download leaves its temporaries beside the files; the
// next start removes them, but never those of a program still running, nor other files.
TEST_F(StartupTest, StartUpRemovesTheTemporariesOfProgramsThatAreGone) {
    // The picture copies' folders too, in the user's runtime folder.
    const std::filesystem::path runtime = box.folder() / "run";
    std::filesystem::create_directories(runtime);
    testing_support::ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.c_str());
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string running = std::to_string(::getppid());
    const std::vector<std::string> leftovers = {"Zenkor2024.ini.tmp" + dead + "-0",
                                                "Zenkor2024.ini.part" + dead + "-12",
                                                "Elim2024.ini.tmp" + dead + "-3"};
    const std::vector<std::string> kept = {"Zenkor2024.ini.tmp" + running + "-0", "notes.tmp", "match.part1",
                                           "x.tmp" + dead + "-"};
    for (const auto& name : leftovers) box.writeFile(name, "[ButA]\r\n0=");
    for (const auto& name : kept) box.writeFile(name, "kept");
    const auto deadPictures = runtime / ("zenkor-pictures-" + dead + "-a1B2c3");
    const std::vector<std::filesystem::path> keptPictures = {
        runtime / ("zenkor-pictures-" + running + "-d4E5f6"), runtime / "zenkor-pictures-g7H8i9",
        runtime / ("zenkor-pictures-" + dead + "-x")};
    std::filesystem::create_directories(deadPictures / "inner");
    std::ofstream(deadPictures / "0-imgtmp.gif") << "GIF89a";
    for (const auto& folder : keptPictures) std::filesystem::create_directories(folder);
    const auto settingsLeftover = settingsFile().parent_path() / ("settings.ini.tmp" + dead + "-1");
    std::filesystem::create_directories(settingsLeftover.parent_path());
    std::ofstream(settingsLeftover) << "[data]\n";

    auto w = start();
    for (const auto& name : leftovers) EXPECT_FALSE(std::filesystem::exists(box.folder() / name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(box.folder() / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(settingsLeftover));
    EXPECT_FALSE(std::filesystem::exists(deadPictures));
    for (const auto& folder : keptPictures) EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
    EXPECT_EQ((*w)("ButA", 0).Text(), "-");
}
