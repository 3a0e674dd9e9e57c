// The platform's download: whole answers only, under their name at once, never a cut or error page.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/picture.h"
#include "tests/online/online_support.h"

namespace online_testing {
namespace {

class DownloadTest : public OnlineTest {
  protected:
    // Files of the folder other than the ones the sandbox put there.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(box.folder())) {
            const std::string name = entry.path().filename().string();
            if (name.find(".part") != std::string::npos) names.push_back(name);
        }
        return names;
    }
};

TEST_F(DownloadTest, AWholeAnswerReplacesTheFileAndAFailureLeavesItAsItWas) {
    const std::string target = inFolder("page.txt");
    box.writeFile("page.txt", "previous");
    server.answer("/page", "fresh");
    EXPECT_TRUE(platform::DownloadToFile(site("/page"), target));
    EXPECT_EQ(fileBytes(target), "fresh");

    server.answer("/moved", Answer{302, "", Answer::Mode::Whole, "/page"});
    box.writeFile("page.txt", "previous");
    EXPECT_TRUE(platform::DownloadToFile(site("/moved"), target));
    EXPECT_EQ(fileBytes(target), "fresh");

    box.writeFile("page.txt", "previous");
    server.answer("/cut", Answer{200, "fre", Answer::Mode::Truncated});
    EXPECT_FALSE(platform::DownloadToFile(site("/cut"), target));
    EXPECT_FALSE(platform::DownloadToFile(site("/missing"), target));
    EXPECT_FALSE(platform::DownloadToFile("http://" + HttpServer::closedHost() + "/page", target));
    EXPECT_EQ(fileBytes(target), "previous");
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DownloadTest, OnlyWebAddressesAreFetchedAndRedirectsStayOnTheWeb) {
    box.writeFile("secret.txt", "secret");
    const std::string target = inFolder("copy.txt");
    EXPECT_FALSE(platform::DownloadToFile("file://" + inFolder("secret.txt"), target));
    server.answer("/to-file", Answer{302, "", Answer::Mode::Whole, "file://" + inFolder("secret.txt")});
    EXPECT_FALSE(platform::DownloadToFile(site("/to-file"), target));
    EXPECT_FALSE(exists("copy.txt"));
}

TEST_F(DownloadTest, ASilentOrOversizedAnswerIsGivenUp) {
    platform::DownloadLimits limits = platform::CurrentDownloadLimits();
    limits.idle = std::chrono::milliseconds(600);
    limits.maxBytes = 1000;
    platform::SetDownloadLimits(limits);
    server.answer("/silent", Answer{200, "", Answer::Mode::Silent});
    server.answer("/big", std::string(5000, 'x'));
    server.answer("/unsized", Answer{200, std::string(5000, 'x'), Answer::Mode::Unsized});
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::DownloadToFile(site("/silent"), inFolder("a.txt")));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_FALSE(platform::DownloadToFile(site("/big"), inFolder("b.txt")));
    EXPECT_FALSE(platform::DownloadToFile(site("/unsized"), inFolder("c.txt")));  // no length to refuse early
    EXPECT_FALSE(exists("a.txt"));
    EXPECT_FALSE(exists("b.txt"));
    EXPECT_FALSE(exists("c.txt"));
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(DownloadTest, PicturesAreKnownByTheirSignature) {
    box.writeFile("a.gif", kGif1);
    box.writeFile("b.txt", "GIF8");
    box.writeFile("c.png", std::string("\x89PNG\r\n\x1A\n", 8) + "rest");
    EXPECT_TRUE(platform::IsPictureFile(inFolder("a.gif")));
    EXPECT_FALSE(platform::IsPictureFile(inFolder("b.txt")));
    EXPECT_TRUE(platform::IsPictureFile(inFolder("c.png")));
    EXPECT_FALSE(platform::IsPictureFile(inFolder("none.gif")));
    const std::string first = platform::LoadPictureCopy(inFolder("a.gif"));
    const std::string second = platform::LoadPictureCopy(inFolder("a.gif"));
    EXPECT_NE(first, second);
    EXPECT_EQ(fileBytes(first), kGif1);
    EXPECT_EQ(platform::LoadPictureCopy(inFolder("b.txt")), "");
}

// The copies go to a private folder of this run; a link planted under the next copy's name is passed
// over, so the copy can never be made to overwrite another file.
TEST_F(DownloadTest, PictureCopiesNeverFollowAPlantedLink) {
    namespace fs = std::filesystem;
    box.writeFile("a.gif", kGif1);
    box.writeFile("victim.txt", "precious");
    const fs::path first = platform::LoadPictureCopy(inFolder("a.gif"));
    ASSERT_FALSE(first.empty());
    const fs::path folder = first.parent_path();
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_NE(folder.filename().string(), "zenkor-pictures-" + std::to_string(::getpid()));

    const unsigned serial = static_cast<unsigned>(std::stoul(first.filename().string()));
    const fs::path planted = folder / (std::to_string(serial + 1) + "-a.gif");
    fs::create_symlink(inFolder("victim.txt"), planted);
    const fs::path second = platform::LoadPictureCopy(inFolder("a.gif"));
    EXPECT_FALSE(second.empty());
    EXPECT_NE(second, planted);
    EXPECT_EQ(fileBytes(second), kGif1);
    EXPECT_EQ(fileBytes(inFolder("victim.txt")), "precious");
    fs::remove(planted);
}

}  // namespace
}  // namespace online_testing
