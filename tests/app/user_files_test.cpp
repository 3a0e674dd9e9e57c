// The program folder is the user's data folder: the shipped files are read from the installation until
// the program writes one, which then lives in the user's folder, outside the installation and the build.
#include <pwd.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "app/edition_files.h"
#include "app/ini_file.h"
#include "assembly/startup.h"
#include "platform/data_folders.h"
#include "tests/app/startup_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScopedEnv;

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class UserFiles : public startup_testing::StartupTest {};

TEST_F(UserFiles, TheDataFolderFollowsXdgAndElseTheHome) {
    {
        ScopedEnv home("HOME", "/home/fan");
        ScopedEnv data("XDG_DATA_HOME", "");
        EXPECT_EQ(platform::UserDataFolder(), fs::path("/home/fan/.local/share/Zenkor"));
        ScopedEnv relative("XDG_DATA_HOME", "share");  // not absolute: ignored
        EXPECT_EQ(platform::UserDataFolder(), fs::path("/home/fan/.local/share/Zenkor"));
    }
    ScopedEnv data("XDG_DATA_HOME", (box.folder() / "data").c_str());
    ASSERT_TRUE(platform::UseUserDataFolder());
    EXPECT_EQ(platform::ProgramFolder(), box.folder() / "data" / "Zenkor");
    EXPECT_TRUE(fs::is_directory(platform::ProgramFolder()));
}

// A data folder the program cannot use stops it with a message box in the saved language, naming the
// folder and what is in the way; without HOME the home folder comes from the user database.
TEST_F(UserFiles, AnUnusableDataFolderIsShownInAMessageBoxAndNoSharedFolderServesAsHome) {
    box.writeFile("a file", "x");
    fs::create_symlink(box.folder() / "gone", box.folder() / "a link");
    save("langue", "1");
    box.writeFile("langEn.txt", "MSG\\Zenkor cannot use its data folder %1.\\64\r\n");
    struct Case {
        fs::path dataHome;
        std::string reason;
    };
    const Case cases[] = {
        {box.folder() / "a file", (box.folder() / "a file").string() + " is not a folder"},
        {box.folder() / "a link", (box.folder() / "a link").string() + " is a link to " +
                                      (box.folder() / "gone").string() + ", which does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataHome);
        box.dialogs->messages.clear();
        ScopedEnv data("XDG_DATA_HOME", c.dataHome.c_str());
        EXPECT_FALSE(zenkor::UseDataFolder());
        ASSERT_EQ(box.dialogs->messages.size(), 1u);
        EXPECT_EQ(box.dialogs->messages[0].text,
                  "Zenkor cannot use its data folder " + (c.dataHome / "Zenkor").string() + ".\n" + c.reason);
        EXPECT_EQ(box.dialogs->messages[0].style, platform::vbCritical);
        EXPECT_EQ(platform::ProgramFolder(), box.folder());
    }

    ScopedEnv noHome("HOME", "");
    ScopedEnv data("XDG_DATA_HOME", "");
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(platform::UserDataFolder(), fs::path(user->pw_dir) / ".local" / "share" / "Zenkor");
}

TEST_F(UserFiles, ASavedScoreLandsInTheUserFolderAndTheInstallationStaysAsShipped) {
    const fs::path installed = box.folder() / "Zenkor2024.ini";
    const std::string shipped = Bytes(installed);
    ScopedEnv data("XDG_DATA_HOME", (box.folder() / "data").c_str());
    ASSERT_TRUE(platform::UseUserDataFolder());
    const fs::path own = platform::ProgramFolder() / "Zenkor2024.ini";
    // The program folder lies outside the folder of the executable, where the build puts its files.
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec).parent_path();
    EXPECT_NE(platform::ProgramFolder().string().rfind(exe.string() + "/", 0), 0u);

    {
        auto w = start();
        EXPECT_EQ((*w)("Label2").Caption(),
                  "Valmirade de football 2024 (essai)");  // the installation's texts
        EXPECT_EQ((*w)("A", 1).Text(), "Allemagne");      // and edition
        EXPECT_FALSE(fs::exists(own));
        (*w)("ButA", 0).setText("3");
        zenkor::Command3_Click(*w);
        w->unload();
    }
    ASSERT_TRUE(fs::exists(own));
    EXPECT_EQ(zenkor::ReadIni("Zenkor2024", "ButA", "0"), "3");
    EXPECT_EQ(Bytes(installed), shipped);
    EXPECT_FALSE(fs::exists(platform::ProgramFolder() / "langFr.txt"));  // language files stay shipped

    auto again = start();
    EXPECT_EQ((*again)("ButA", 0).Text(), "3");
    EXPECT_TRUE(errors.empty());
}

TEST_F(UserFiles, AShippedFileNeverReplacesTheUsersOwn) {
    ScopedEnv data("XDG_DATA_HOME", (box.folder() / "data").c_str());
    ASSERT_TRUE(platform::UseUserDataFolder());
    box.writeFile("Elim2024.ini", "[Grp]\r\nA=shipped\r\n");
    const fs::path own = platform::ProgramFolder() / "Elim2024.ini";
    { std::ofstream(own, std::ios::binary) << "[Grp]\r\nA=mine\r\n"; }
    EXPECT_EQ(platform::WritableFile("Elim2024.ini"), own);
    EXPECT_EQ(Bytes(own), "[Grp]\r\nA=mine\r\n");
    fs::remove(own);
    EXPECT_EQ(platform::ReadableFile("Elim2024.ini"), box.folder() / "Elim2024.ini");
    EXPECT_TRUE(zenkor::WriteIni("Elim2024", "Grp", "B", "new"));
    EXPECT_EQ(Bytes(own), "[Grp]\r\nA=shipped\r\nB=new\r\n");
}

// "Sauve" through a link whose file is not there yet creates the file the link names, from the shipped
// edition, and the link stays.
TEST_F(UserFiles, SavingThroughADanglingLinkCreatesTheFileItNames) {
    ScopedEnv data("XDG_DATA_HOME", (box.folder() / "data").c_str());
    ASSERT_TRUE(platform::UseUserDataFolder());
    const fs::path own = platform::ProgramFolder() / "Zenkor2024.ini";
    const fs::path mine = box.folder() / "mine" / "Zenkor2024.ini";
    fs::create_directories(mine.parent_path());
    fs::create_symlink(mine, own);
    auto w = start();
    EXPECT_EQ((*w)("A", 1).Text(), "Allemagne");
    (*w)("ButA", 0).setText("2");
    zenkor::Command3_Click(*w);
    EXPECT_TRUE(box.dialogs->messages.empty());
    EXPECT_TRUE(fs::is_symlink(own));
    EXPECT_EQ(fs::read_symlink(own), mine);
    const std::string saved = Bytes(mine);
    EXPECT_NE(saved.find("[ButA]\r\n0=2\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Match]"), std::string::npos);  // the shipped edition, with the user's score
    auto again = start();
    EXPECT_EQ((*again)("ButA", 0).Text(), "2");
    EXPECT_TRUE(errors.empty());
}

// A read-only edition file (mode 0444, which the user set to keep it) is not replaced by "Sauve": the
// save is refused, said in the user's language, and the file stays byte for byte. Judged by the mode, so
// that it holds for root too.
TEST_F(UserFiles, SavingAReadOnlyEditionFileIsRefusedInTheUsersLanguage) {
    for (const char* file : {"langFr.txt", "langEn.txt", "langSp.txt"}) box.copyDataFile(file);
    box.copyDataFile("Zenkor2024.ini");
    const fs::path file = box.folder() / "Zenkor2024.ini";
    const std::string before = Bytes(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const char* expected[] = {
        ("Le fichier Zenkor2024.ini n'a pas pu être enregistré.\nLe fichier Zenkor2024.ini est en lecture "
         "seule."),
        "The file Zenkor2024.ini could not be saved.\nThe file Zenkor2024.ini is read-only.",
        "No se ha podido guardar el archivo Zenkor2024.ini.\nEl archivo Zenkor2024.ini es de solo lectura."};
    const char* titles[] = {"Sauve", "Save", "Guardar"};
    for (int language = 0; language <= 2; ++language) {
        SCOPED_TRACE(language);
        save("langue", std::to_string(language));
        box.dialogs->messages.clear();
        auto w = start();
        (*w)("ButA", 0).setText("5");
        zenkor::Command3_Click(*w);
        ASSERT_EQ(box.dialogs->messages.size(), 1u);
        EXPECT_EQ(box.dialogs->messages[0].text, expected[language]);
        EXPECT_EQ(box.dialogs->messages[0].title, titles[language]);
        EXPECT_EQ(Bytes(file), before);
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_FALSE(fs::exists(box.folder() / "Zenkor2024.ini.bak"));
        w->unload();
    }
}

}  // namespace
