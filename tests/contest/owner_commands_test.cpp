// The owner's commands on the data folder of a real zenkor-site, while it serves it.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/ini.h"
#include "site/contest/contest.h"
#include "tests/site/site_process.h"
#include "tests/support/fakes.h"

namespace {

namespace fs = std::filesystem;
using site_testing::SiteProcess;

constexpr std::int64_t kBeforeTournament = 1717200000;

// A data folder with the real results published, and the contest's options on it.
contest::ContestOptions contestIn(const fs::path& data) {
    fs::create_directories(data);
    const auto file = platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / "site/Zenkor2024.ini");
    EXPECT_TRUE(file && platform::WriteFileAtomically(data / "Zenkor2024.ini", *file));
    contest::ContestOptions options;
    options.dataFolder = data;
    options.hashOps = crypto_pwhash_OPSLIMIT_MIN;
    options.hashMemory = crypto_pwhash_MEMLIMIT_MIN;
    return options;
}

TEST(OwnerCommands, MessagesShowAVisitorsControlCharactersAsEscapesAndKeepTheLines) {
    testing_support::Sandbox box;
    const fs::path data = box.folder() / "site-data";
    {
        contest::Contest c(contestIn(data));
        c.StoreContactMessage({"Titre\x1b]0;owned\x07", "Nom\rFaux", "a@b.example\n",
                               "Ligne 1\r\nLigne 2\x1b[2J\x9b \xc2\x9b\xe2\x80\xae fin\x7f", "192.0.2.1"},
                              kBeforeTournament);
    }
    std::string output;
    ASSERT_EQ(SiteProcess::Run({"--data", data.string(), "messages"}, &output), 0) << output;
    for (size_t i = 0; i < output.size(); ++i) {
        const auto c = static_cast<unsigned char>(output[i]);
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c != 0x7f)) << "byte " << static_cast<int>(c) << " at " << i;
    }
    EXPECT_EQ(output.find("\xc2\x9b"), std::string::npos);
    EXPECT_EQ(output.find("\xe2\x80\xae"), std::string::npos);
    EXPECT_NE(output.find("Subject: Titre\\x1b]0;owned\\x07\n"), std::string::npos) << output;
    EXPECT_NE(output.find("Name: Nom\\x0dFaux\n"), std::string::npos) << output;
    EXPECT_NE(output.find("Ligne 1\nLigne 2\\x1b[2J\\x9b \\x9b\\u202e fin\\x7f\n"), std::string::npos)
        << output;
}

TEST(OwnerCommands, RemovePlayerTakesThePlayerOutOfTheRankingOfTheRunningSite) {
    testing_support::Sandbox box;
    const fs::path data = box.folder() / "site-data";
    const std::string file =
        platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / "site/Zenkor2024.ini").value_or("");
    {
        contest::Contest c(contestIn(data));
        for (const char* name : {"Spammeur", "Honnete"}) {
            const auto login = c.Login(name, "pw", "192.0.2.1", kBeforeTournament);
            const auto session = c.Session(login.token, kBeforeTournament);
            ASSERT_TRUE(session);
            ASSERT_TRUE(c.Upload(session->playerId, contest::Kind::Tournament, "Zenkor2024.ini", file,
                                 "192.0.2.1", kBeforeTournament)
                            .ok);
        }
    }
    SiteProcess site(data, {"--clock", std::to_string(kBeforeTournament)});
    httplib::Client client("127.0.0.1", site.port());
    const auto ranking = [&client] {
        const auto r = client.Get("/classement.php");
        return r ? r->body : std::string();
    };
    ASSERT_NE(ranking().find("Spammeur"), std::string::npos);

    std::string output;
    ASSERT_EQ(SiteProcess::Run({"--data", data.string(), "remove-player", "spammeur"}, &output), 0) << output;
    EXPECT_NE(output.find("Removed Spammeur with 1 file(s)"), std::string::npos) << output;
    // The running site drops the player within a second or two.
    std::string page = ranking();
    for (int i = 0; i < 50 && page.find("Spammeur") != std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        page = ranking();
    }
    EXPECT_EQ(page.find("Spammeur"), std::string::npos);
    EXPECT_NE(page.find("Honnete"), std::string::npos);
    const auto playerPage = client.Get("/joueur.php?pseudo=Spammeur");
    ASSERT_TRUE(playerPage);
    EXPECT_EQ(playerPage->status, 404);
    EXPECT_EQ(SiteProcess::Run({"--data", data.string(), "remove-player", "Spammeur"}, &output), 1);
    EXPECT_NE(output.find("no player is called Spammeur"), std::string::npos) << output;
}

}  // namespace
