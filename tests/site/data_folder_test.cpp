// The real zenkor-site and its data folder: a database that is not its own, or not whole, is refused with
// a clear message and left byte for byte; nothing temporary outlives the site or its next start.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/ini.h"
#include "tests/site/site_process.h"
#include "tests/support/fakes.h"

namespace site_testing {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    return platform::ReadFileBytes(file).value_or("<missing>");
}

void sql(const fs::path& file, const char* statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, statements, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.insert(entry.path().filename().string());
    return names;
}

// The id of a process that has ended.
pid_t endedProcess() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

TEST(SiteDataFolder, ADatabaseThatIsNotTheSitesOrNotWholeIsRefusedAndLeftAsItWas) {
    testing_support::Sandbox box;
    const fs::path genuineFolder = box.folder() / "genuine";
    SiteProcess(genuineFolder).Stop();
    const std::string genuine = bytesOf(genuineFolder / "contest.sqlite");
    ASSERT_GT(genuine.size(), 4u * 4096);

    struct Case {
        const char* name;
        std::string bytes;
        const char* said;
    };
    std::vector<Case> cases;
    {
        const fs::path other = box.folder() / "other.sqlite";
        sql(other,
            "CREATE TABLE notes(id INTEGER PRIMARY KEY, text TEXT); INSERT INTO notes(text) VALUES('x');");
        cases.push_back({"another program's", bytesOf(other), "not a database of zenkor-site"});
        const fs::path newer = box.folder() / "newer.sqlite";
        ASSERT_TRUE(platform::WriteFileAtomically(newer, genuine));
        sql(newer, "PRAGMA user_version = 99;");
        cases.push_back({"newer", bytesOf(newer), "made by a newer zenkor-site"});
    }
    std::string damaged = genuine;
    for (size_t i = 4096; i < 3 * 4096; ++i) damaged[i] = static_cast<char>(i * 7);
    cases.push_back({"damaged", damaged, "damaged"});
    cases.push_back({"truncated", genuine.substr(0, genuine.size() / 2), "damaged"});
    cases.push_back({"not a database", std::string(8192, 'z'), "not a database of zenkor-site"});

    for (const Case& c : cases) {
        const fs::path data = box.folder() / c.name;
        fs::create_directories(data);
        ASSERT_TRUE(platform::WriteFileAtomically(data / "contest.sqlite", c.bytes));
        std::string output;
        const int status =
            RunProgram({ZENKOR_SITE_BINARY, "--data", data.string(), "--listen", "127.0.0.1:0"}, 10, &output);
        EXPECT_EQ(status, 1) << c.name << ": " << output;
        EXPECT_NE(output.find((data / "contest.sqlite").string()), std::string::npos)
            << c.name << ": " << output;
        EXPECT_NE(output.find(c.said), std::string::npos) << c.name << ": " << output;
        EXPECT_EQ(output.find("terminate"), std::string::npos) << output;
        EXPECT_TRUE(bytesOf(data / "contest.sqlite") == c.bytes) << c.name << " was changed";
        EXPECT_FALSE(fs::exists(data / "Zenkor2024.ini")) << c.name;
    }
}

TEST(SiteDataFolder, APublishThatCannotWriteSaysWhyAndLeavesThePublishedFile) {
    testing_support::Sandbox box;
    const fs::path edition = fs::path(ZENKOR_DATA_DIR) / "Zenkor2024.ini";
    const fs::path data = box.folder() / "data";
    fs::create_directories(data / "Zenkor2024.ini.bak" / "in the way");
    const std::string published = bytesOf(edition) + "\r\n";
    ASSERT_TRUE(platform::WriteFileAtomically(data / "Zenkor2024.ini", published));
    std::string output;
    EXPECT_EQ(SiteProcess::Run({"--data", data.string(), "publish", edition.string()}, &output), 1);
    EXPECT_NE(output.find("cannot keep the previous file"), std::string::npos) << output;
    EXPECT_NE(output.find("Is a directory"), std::string::npos) << output;
    EXPECT_EQ(bytesOf(data / "Zenkor2024.ini"), published);
}

TEST(SiteDataFolder, NothingTemporaryOutlivesTheSiteOrItsNextStart) {
    testing_support::Sandbox box;
    const fs::path temp = box.folder() / "tmp", data = box.folder() / "data";
    fs::create_directories(temp);
    const std::vector<std::string> environment{"TMPDIR=" + temp.string()};
    const auto ownFolder = [&](const SiteProcess& site) {
        const std::set<std::string> names = namesIn(temp);
        return names.size() == 1 &&
               names.begin()->rfind("zenkor-site-" + std::to_string(site.pid()) + "-", 0) == 0;
    };

    SiteProcess killed(data, {}, environment);
    ASSERT_TRUE(httplib::Client("127.0.0.1", killed.port()).Get("/"));
    EXPECT_TRUE(ownFolder(killed)) << temp;
    killed.Kill();
    ASSERT_EQ(namesIn(temp).size(), 1u);
    // What a publish killed midway leaves beside the published file.
    const std::string leftover = "Zenkor2024.ini.tmp" + std::to_string(endedProcess()) + "-0";
    box.writeFile("data/" + leftover, "[EquipA]\r\n1=Allem");

    SiteProcess next(data, {}, environment);
    EXPECT_TRUE(ownFolder(next)) << "the killed site's folder is still there";
    EXPECT_FALSE(fs::exists(data / leftover));
    ASSERT_TRUE(httplib::Client("127.0.0.1", next.port()).Get("/"));
    box.writeFile("data/" + leftover, "[EquipA]\r\n1=Allem");
    EXPECT_EQ(SiteProcess::Run({"--data", data.string(), "publish", (data / "Zenkor2024.ini").string()}), 0);
    EXPECT_FALSE(fs::exists(data / leftover)) << "publish";

    EXPECT_EQ(next.Stop(), 0);
    EXPECT_TRUE(namesIn(temp).empty());
    EXPECT_EQ(namesIn(data),
              (std::set<std::string>{"Zenkor2024.ini", "Zenkor2024.ini.bak", "contest.sqlite"}));
}

}  // namespace
}  // namespace site_testing
