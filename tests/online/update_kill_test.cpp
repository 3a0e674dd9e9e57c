// The user's edition file survives the program being killed at any moment of an update: a real child
// process updates again and again against a slow site and is killed at random points.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/online/online_support.h"

extern char** environ;

namespace online_testing {
namespace {

constexpr const char* kChildFolder = "ZENKOR_UPDATE_CHILD_FOLDER";
constexpr const char* kChildHost = "ZENKOR_UPDATE_CHILD_HOST";

// In the child process, before any test: the program on the given folder and site, updating until it
// is killed.
class UpdatingChild : public ::testing::Environment {
  public:
    void SetUp() override {
        const char* folder = std::getenv(kChildFolder);
        const char* host = std::getenv(kChildHost);
        if (!folder || !host) return;
        platform::SetProgramFolder(folder);
        platform::SetSiteHost(host);
        zenkor::Zenkor w;
        w.show();
        for (;;) {
            zenkor::RECUP(w);
            (void)platform::WaitForBackgroundTasks();
        }
    }
};
[[maybe_unused]] const auto* const kUpdatingChild = ::testing::AddGlobalTestEnvironment(new UpdatingChild);

pid_t startChild(const std::string& folder, const std::string& host) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    env.push_back(std::string(kChildFolder) + "=" + folder);
    env.push_back(std::string(kChildHost) + "=" + host);
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    // Environments set up only when a test is to run: this one, which the child never reaches.
    std::string filter =
        "--gtest_filter=OnlineTest.AProgramKilledAnywhereInAnUpdateLeavesTheEditionFileWhole";
    char* argv[] = {program.data(), filter.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

TEST_F(OnlineTest, AProgramKilledAnywhereInAnUpdateLeavesTheEditionFileWhole) {
    const std::string users = fileBytes(inFolder("Zenkor2024.ini"));
    // About 300 ms a download, with the swap and the reload after it.
    server.answer("/Zenkor2024.ini", SlowAnswer(kServedEdition, 20, 15));
    std::mt19937 random(20240614);
    // A quarter of the kills fall during start-up; the others from the first request on, over the
    // download, the swap, the reload and the next update, whatever the machine's speed.
    std::uniform_int_distribution<int> startUp(0, 200);
    std::uniform_int_distribution<int> delay(0, 600);
    int before = 0;  // runs killed before their first update was through
    int after = 0;
    for (int run = 0; run < 16; ++run) {
        box.writeFile("Zenkor2024.ini", users);  // each run has the user's own file to lose
        const pid_t child = startChild(box.folder().string(), server.host());
        ASSERT_GT(child, 0);
        if (run % 4 == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(startUp(random)));
        } else {
            const int asked = server.count("/Zenkor2024.ini");
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (server.count("/Zenkor2024.ini") == asked && std::chrono::steady_clock::now() < limit) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "run " << run << " ended by itself";
        const std::string now = fileBytes(inFolder("Zenkor2024.ini"));
        EXPECT_TRUE(now == users || now == kServedEdition) << "run " << run << ": " << now.size() << " bytes";
        (now == users ? before : after) += 1;
        if (exists("Zenkor2024.BU")) {
            const std::string backup = fileBytes(inFolder("Zenkor2024.BU"));
            EXPECT_TRUE(backup == users || backup == kServedEdition) << "run " << run;
        }
    }
    // The kills fell both before and after an update was through.
    EXPECT_GT(before, 0);
    EXPECT_GT(after, 0);

    // The next start clears what the killed programs left.
    start();
    for (const auto& entry : std::filesystem::directory_iterator(box.folder())) {
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
    }
}

}  // namespace
}  // namespace online_testing
