// "Mise à jour": the confirmation window, the download of the author's edition file, the backup and its
// restore, the reload.
#include <sys/time.h>

#include <chrono>
#include <ctime>
#include <thread>

#include "app/edition_files.h"
#include "tests/online/online_support.h"

namespace online_testing {
namespace {

using platform::kWhite;

constexpr platform::Color kLightOrange = 8438015;

class UpdateTest : public OnlineTest {
  protected:
    // "Mise à jour", then the confirmation window's first button.
    void confirmUpdate(zenkor::Zenkor& w) {
        w("Command8").raiseClick();
        zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
        ASSERT_NE(frec, nullptr);
        (*frec)("Command1").raiseClick();
        settle();
    }
    // What must hold after any failed update.
    void expectNothingChanged(zenkor::Zenkor& w, const std::string& before) {
        EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), before);
        EXPECT_FALSE(exists("Zenkor2024.BU"));
        ASSERT_EQ(box.dialogs->messages.size(), 1u);
        EXPECT_EQ(box.dialogs->messages[0].text, "Erreur de connexion !");
        EXPECT_EQ(box.dialogs->messages[0].style, platform::vbInformation);
        EXPECT_EQ(box.dialogs->messages[0].title, "Valmirade 2024");
        EXPECT_FALSE(w.MISAJOUR);
        EXPECT_TRUE(w("Command8").FontBold());
        EXPECT_EQ(w("Command8").BackColor(), kLightOrange);
        EXPECT_EQ(setting("FirstUse"), "<none>");
        EXPECT_EQ(platform::ScreenPointer(), platform::Pointer::Default);
        EXPECT_TRUE(zenkor::CurrentUpdateConfirmation()->unloaded());
    }
};

TEST_F(UpdateTest, TheConfirmationWindowShowsItsMessagesAndTheButtonCaption) {
    zenkor::Zenkor& w = start();
    EXPECT_TRUE(w("Command8").FontBold());
    EXPECT_EQ(w("Command8").BackColor(), kLightOrange);
    w("ImaRepLogo", 0).setPicture("/some/logo.png");
    w("Command8").raiseClick();
    zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
    ASSERT_NE(frec, nullptr);
    EXPECT_TRUE(frec->isModal());
    EXPECT_EQ(frec->self().Caption(), "Mise à jour");
    EXPECT_EQ((*frec)("Command1").Caption(), "Oui");
    EXPECT_EQ((*frec)("Command2").Caption(), "Non");
    EXPECT_EQ((*frec)("Label1", 0).Caption(), "Mettre à jour le fichier 2024 ?");
    EXPECT_EQ((*frec)("Label1", 1).Caption(), "Toutes vos saisies seront remplacées.");
    EXPECT_EQ((*frec)("Image2").Picture(), "/some/logo.png");
}

TEST_F(UpdateTest, CancellingChangesNothingAndAsksTheSiteNothing) {
    zenkor::Zenkor& w = start();
    const std::string before = fileBytes(inFolder("Zenkor2024.ini"));
    w("Command8").raiseClick();
    (*zenkor::CurrentUpdateConfirmation())("Command2").raiseClick();
    EXPECT_TRUE(zenkor::CurrentUpdateConfirmation()->unloaded());
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), before);
    EXPECT_TRUE(box.dialogs->messages.empty());
    EXPECT_FALSE(w.MISAJOUR);
}

TEST_F(UpdateTest, ASuccessfulUpdateReplacesReloadsAndRecomputesTheCurrentEdition) {
    server.answer("/Zenkor2024.ini", kServedEdition);
    zenkor::Zenkor& w = start();
    const std::string before = fileBytes(inFolder("Zenkor2024.ini"));
    namespace fs = std::filesystem;
    fs::permissions(inFolder("Zenkor2024.ini"), fs::perms::owner_read | fs::perms::owner_write);
    w("Command3").setEnabled(false);
    w.FChargee = false;
    confirmUpdate(w);

    EXPECT_EQ(server.requests(), std::vector<std::string>{"/Zenkor2024.ini"});
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), kServedEdition);
    // The user's own file stays as the backup; the new one keeps its mode.
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.BU")), before);
    EXPECT_EQ(fs::status(inFolder("Zenkor2024.ini")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(box.dialogs->messages.empty());
    // Reloaded: the author's teams and scores, news and link; recomputed: the winner leads group A.
    EXPECT_EQ(w("A", 1).Text(), "Allemagne");
    EXPECT_EQ(w("ButA", 0).Text(), "5");
    EXPECT_EQ(w("ButA", 2).Text(), "-");
    EXPECT_EQ(w.teamPlace(0, 1), 1);
    EXPECT_EQ(w.teamPlace(0, 2), 4);
    EXPECT_EQ(w("Label10").Caption(), "Résultats du 20 juin");
    EXPECT_EQ(w("Lablien").Tag(), "https://www.valmirade.example/resultats");
    EXPECT_TRUE(w.FChargee);
    EXPECT_TRUE(w.MISAJOUR);
    EXPECT_TRUE(w("Command3").Enabled());
    EXPECT_EQ(setting("FirstUse"), "1");
    EXPECT_FALSE(w("Command8").FontBold());
    EXPECT_EQ(w("Command8").BackColor(), kWhite);
    EXPECT_EQ(platform::ScreenPointer(), platform::Pointer::Default);
    EXPECT_TRUE(zenkor::CurrentUpdateConfirmation()->unloaded());

    // "Sauve" after the update makes the send button available.
    EXPECT_FALSE(w("Command16").Enabled());
    w("Command3").raiseClick();
    EXPECT_TRUE(w("Command16").Enabled());
    EXPECT_EQ(w("Shape9").FillColor(), 65280);
    EXPECT_FALSE(w("Label17", 6).Visible());
}

TEST_F(UpdateTest, AFailedUpdateRestoresTheEditionFileAndSaysSo) {
    // Junk that holds an edition section: a web page, and a header followed by 60 KB of binary.
    const std::string page =
        "<!DOCTYPE html>\n<html><head><title>Maintenance</title></head><body>\n[Mess]\n"
        "<p>Le site revient bient\xF4t.</p>\n</body></html>\n";
    std::string binary = "[Mess]\r\n0=Nouvelles\r\n";
    for (int i = 0; i < 60 * 1024; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
    struct Case {
        const char* what;
        Answer answer;
        bool serverDown;
    };
    const Case cases[] = {
        {"server down", {}, true},
        {"missing page", {404, "<html>Not found</html>"}, false},
        {"cut answer", {200, "[EquipA]\r\n1=Allem", Answer::Mode::Truncated}, false},
        {"silent server", {200, "", Answer::Mode::Silent}, false},
        {"not an edition file", {200, "<html><body>Connectez-vous au r\xE9seau</body></html>"}, false},
        {"redirect to a missing page", {302, "", Answer::Mode::Whole, "/ailleurs"}, false},
        {"a web page holding a section", {200, page}, false},
        {"a section followed by binary", {200, binary}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.dialogs->messages.clear();
        if (c.serverDown) {
            platform::SetSiteHost(HttpServer::closedHost());
        } else {
            platform::SetSiteHost(server.host());
            server.answer("/Zenkor2024.ini", c.answer);
        }
        zenkor::Zenkor& w = start();
        const std::string before = fileBytes(inFolder("Zenkor2024.ini"));
        const std::string teamA1 = w("A", 1).Text();
        confirmUpdate(w);
        expectNothingChanged(w, before);
        EXPECT_EQ(w("A", 1).Text(), teamA1);
    }
}

// A backup is never put over the current file, nor overwritten: the next update keeps the older one
// under its date.
TEST_F(UpdateTest, AnOlderBackupKeepsItsDateInItsNameAndNeverReplacesTheCurrentFile) {
    box.writeFile("Zenkor2024.BU", "[EquipA]\r\n1=Ancienne\r\n");
    std::tm june{};
    june.tm_year = 124;
    june.tm_mon = 5;
    june.tm_mday = 20;
    june.tm_hour = 12;
    june.tm_isdst = -1;
    const std::time_t then = std::mktime(&june);
    const timeval times[2] = {{then, 0}, {then, 0}};
    ASSERT_EQ(::utimes(inFolder("Zenkor2024.BU").c_str(), times), 0);
    const std::string current = fileBytes(inFolder("Zenkor2024.ini"));

    server.answer("/Zenkor2024.ini", Answer{404});
    zenkor::Zenkor& w = start();
    confirmUpdate(w);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), current);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.BU")), "[EquipA]\r\n1=Ancienne\r\n");

    server.answer("/Zenkor2024.ini", kServedEdition);
    confirmUpdate(w);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), kServedEdition);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.BU")), current);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024-20240620-120000.BU")), "[EquipA]\r\n1=Ancienne\r\n");
    EXPECT_EQ(w("A", 1).Text(), "Allemagne");
}

// Start-up finds a backup without its edition file (a program killed by an older version in the middle
// of an update, a file deleted): it puts it back and says so.
TEST_F(UpdateTest, StartUpPutsBackABackupWhoseEditionFileIsMissing) {
    const std::string users = "[EquipA]\r\n1=Les miens\r\n";
    box.writeFile("Zenkor2024.BU", users);
    std::filesystem::remove(inFolder("Zenkor2024.ini"));
    zenkor::Zenkor& w = start();
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), users);
    EXPECT_EQ(w("A", 1).Text(), "Les miens");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("Zenkor2024.BU"), std::string::npos);
    EXPECT_EQ(box.dialogs->messages[0].title, "Valmirade 2024");

    // Once it is there, nothing more is said.
    start();
    EXPECT_EQ(messages().size(), 1u);

    // A backup that cannot be put back (a dangling link holds the name) is said too, with the reason.
    std::filesystem::remove(inFolder("Zenkor2024.ini"));
    std::filesystem::create_symlink(inFolder("gone.ini"), inFolder("Zenkor2024.ini"));
    start();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_NE(messages()[1].find("n'a pas pu être remise"), std::string::npos) << messages()[1];
    EXPECT_NE(messages()[1].find("File exists"), std::string::npos) << messages()[1];
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.BU")), users);
}

// A slow answer that keeps coming is waited for, under the progress window; Cancel during another one
// leaves everything as it was, without a message.
TEST_F(UpdateTest, ASlowAnswerIsWaitedForAndCancelLeavesEverythingAsItWas) {
    zenkor::Zenkor& w = start();
    const std::string before = fileBytes(inFolder("Zenkor2024.ini"));
    server.answer("/Zenkor2024.ini", SlowAnswer(kServedEdition, 30, 50));  // 1.5 s, idle limit 1 s
    w("Command8").raiseClick();
    (*zenkor::CurrentUpdateConfirmation())("Command1").raiseClick();
    platform::RecordingProgressDialogs* progress = platform::RecordedProgress();
    ASSERT_NE(progress, nullptr);
    ASSERT_EQ(progress->shown.size(), 1u);
    EXPECT_TRUE(progress->shown[0]->open);
    EXPECT_EQ(progress->shown[0]->title, "Valmirade 2024");
    EXPECT_FALSE(zenkor::CurrentUpdateConfirmation()->unloaded());  // shown until the update is over
    EXPECT_EQ(platform::ScreenPointer(), platform::Pointer::Hourglass);
    settle();
    EXPECT_FALSE(progress->shown[0]->open);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), kServedEdition);
    EXPECT_TRUE(w.MISAJOUR);
    EXPECT_TRUE(zenkor::CurrentUpdateConfirmation()->unloaded());

    std::filesystem::remove(inFolder("Zenkor2024.BU"));
    server.answer("/Zenkor2024.ini", SlowAnswer(before, 30, 50));
    w("Command8").raiseClick();
    (*zenkor::CurrentUpdateConfirmation())("Command1").raiseClick();
    ASSERT_EQ(progress->shown.size(), 2u);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (progress->shown[1]->received() == 0 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    progress->shown[1]->cancel();
    settle();
    EXPECT_FALSE(progress->shown[1]->open);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), kServedEdition);
    EXPECT_FALSE(exists("Zenkor2024.BU"));
    EXPECT_EQ(messages().size(), 0u);
    EXPECT_EQ(platform::ScreenPointer(), platform::Pointer::Default);
    EXPECT_TRUE(zenkor::CurrentUpdateConfirmation()->unloaded());
    for (const auto& entry : std::filesystem::directory_iterator(box.folder())) {
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
    }
}

// Every update keeps the replaced file as the backup and the older backup under its date: only the newest
// five dated ones stay. A small edition file is as good as a full one.
TEST_F(UpdateTest, SixUpdatesLeaveFiveDatedBackups) {
    box.writeFile("Zenkor2024.BU", "[EquipA]\r\n1=Ancienne\r\n");
    const timeval longAgo[2] = {{1718877600, 0}, {1718877600, 0}};  // 20 June 2024
    ASSERT_EQ(::utimes(inFolder("Zenkor2024.BU").c_str(), longAgo), 0);
    const std::string small = "[EquipA]\r\n1=Allemagne\r\n";
    server.answer("/Zenkor2024.ini", small);
    zenkor::Zenkor& w = start();
    for (int i = 0; i < 6; ++i) confirmUpdate(w);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), small);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.BU")), small);
    std::vector<std::string> dated;
    for (const auto& entry : std::filesystem::directory_iterator(box.folder())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Zenkor2024-") && name.ends_with(".BU")) dated.push_back(name);
    }
    EXPECT_EQ(dated.size(), 5u);
    // The oldest one went.
    for (const std::string& name : dated)
        EXPECT_NE(fileBytes(inFolder(name.c_str())), "[EquipA]\r\n1=Ancienne\r\n");
}

// Backups dated ahead (a clock once set to 2030) are not newer than the one an update has just made: the
// user's file of a moment ago always stays, and the oldest made go first.
TEST_F(UpdateTest, BackupsDatedAheadNeverCostTheUsersFile) {
    const char* ahead[] = {"20300101-120000", "20300201-120000", "20300301-120000", "20300401-120000",
                           "20300501-120000"};
    for (const char* date : ahead)
        box.writeFile(std::string("Zenkor2024-") + date + ".BU", std::string("[Mess]\r\n0=") + date + "\r\n");
    std::string users = fileBytes(inFolder("Zenkor2024.ini"));
    users.replace(users.find("[ButA]\r\n0=-"), 11, "[ButA]\r\n0=4");
    box.writeFile("Zenkor2024.ini", users);
    server.answer("/Zenkor2024.ini", kServedEdition);
    zenkor::Zenkor& w = start();
    confirmUpdate(w);
    confirmUpdate(w);
    EXPECT_TRUE(messages().empty());

    std::vector<std::string> dated;
    bool usersKept = false;
    for (const auto& entry : std::filesystem::directory_iterator(box.folder())) {
        const std::string name = entry.path().filename().string();
        if (fileBytes(entry.path().string()) == users) usersKept = true;
        if (name.starts_with("Zenkor2024-") && name.ends_with(".BU")) dated.push_back(name);
    }
    EXPECT_TRUE(usersKept);
    EXPECT_EQ(dated.size(), 5u);
    // The first of the five made went.
    EXPECT_FALSE(exists("Zenkor2024-20300101-120000.BU"));
}

TEST_F(UpdateTest, WithoutAnEditionFileAFailedUpdateLeavesNone) {
    std::filesystem::remove(inFolder("Zenkor2024.ini"));
    server.answer("/Zenkor2024.ini", Answer{200, "<html>portail</html>"});
    zenkor::Zenkor& w = start();
    confirmUpdate(w);
    EXPECT_FALSE(exists("Zenkor2024.ini"));
    EXPECT_FALSE(exists("Zenkor2024.BU"));
    EXPECT_EQ(messages(), std::vector<std::string>{"Erreur de connexion !"});

    server.answer("/Zenkor2024.ini", kServedEdition);
    confirmUpdate(w);
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), kServedEdition);
    EXPECT_TRUE(w.MISAJOUR);
}

TEST_F(UpdateTest, AcceptingANewerProgramAtTheVersionPromptEndsTheUpdate) {
    std::string newer = kServedEdition;
    newer.replace(newer.find("0=1.0"), 5, "0=1.1");
    server.answer("/Zenkor2024.ini", newer);
    zenkor::Zenkor& w = start();
    box.dialogs->answers.push_back(platform::Answer::Yes);
    confirmUpdate(w);

    EXPECT_TRUE(platform::EndRequested());
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Une version plus récente est disponible. La télécharger ?"});
    EXPECT_EQ(opened, std::vector<std::string>{site("/zenkor.php")});
    EXPECT_EQ(fileBytes(inFolder("Zenkor2024.ini")), newer);
    EXPECT_TRUE(exists("Zenkor2024.BU"));
    EXPECT_EQ(setting("FirstUse"), "<none>");
    EXPECT_TRUE(w("Command8").FontBold());
    EXPECT_EQ(platform::ScreenPointer(), platform::Pointer::Default);
}

TEST_F(UpdateTest, TheUpdateFetchesThePicturesOnlyWhileTheAdvertisedPictureIsShown) {
    server.answer("/Zenkor2024.ini", kServedEdition);
    server.answer("/imzenkor.php", kGif1);
    server.answer("/imelimzenkor.php", kGif2);
    zenkor::Zenkor& w = start();
    ASSERT_FALSE(w("Image14").Visible());
    confirmUpdate(w);
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/Zenkor2024.ini"});

    server.forgetRequests();
    w("Image14").setVisible(true);
    confirmUpdate(w);
    EXPECT_EQ(server.requests(),
              (std::vector<std::string>{"/Zenkor2024.ini", "/imzenkor.php", "/imelimzenkor.php"}));
}

}  // namespace
}  // namespace online_testing
