// Every page of the site, in its three languages, at a desktop's 1280 pixels and a phone's 375, in a real
// browser (headless Chromium): nothing is cut or scrolls sideways, and the pictures are kept under
// build/artifacts/pages/ for a person to look at.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/ini.h"
#include "tests/site/site_process.h"
#include "tests/support/fakes.h"

namespace {

namespace fs = std::filesystem;
using site_testing::SiteProcess;

constexpr std::int64_t kBeforeTournament = 1717200000;  // 1 June 2024
constexpr std::int64_t kAfterFinal = 1721001600;        // 15 July 2024

std::string dataFile(const std::string& name) {
    return platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / name).value_or("");
}

std::string withScore(std::string bytes, const char* section, const char* key, const char* value) {
    return platform::IniAssign(bytes, section, key, value, platform::IniEncoding::Cp1252);
}

// Registers pseudonym (password "pw") and hands in file.
void takePart(const SiteProcess& site, const std::string& pseudonym, const std::string& file) {
    httplib::Client client("127.0.0.1", site.port());
    const auto in =
        client.Get("/expZenkor2024.php?mdp=pw&pseudo=" + httplib::detail::encode_query_param(pseudonym));
    ASSERT_TRUE(in && in->status == 303) << pseudonym;
    const std::string c = in->get_header_value("Set-Cookie");
    const httplib::Headers cookie{{"Cookie", c.substr(0, c.find(';'))}};
    std::smatch m;
    const std::string page = client.Get("/expZenkor2024.php", cookie)->body;
    ASSERT_TRUE(std::regex_search(page, m, std::regex(R"re(name="csrf" value="([^"]+)")re")));
    const httplib::MultipartFormDataItems form{
        {"csrf", m[1].str(), "", ""}, {"fichier", file, "Zenkor2024.ini", "application/octet-stream"}};
    const auto sent = client.Post("/expZenkor2024.php", cookie, form);
    ASSERT_TRUE(sent && sent->status == 303) << pseudonym;
}

TEST(PageWidths, EveryPageFitsADesktopAndAPhoneInEveryLanguage) {
    testing_support::Sandbox box;
    const fs::path data = box.folder() / "site-data";
    const std::string real = dataFile("site/Zenkor2024.ini");
    {
        // Players with a long pseudonym without a space, accents, and predictions that differ.
        SiteProcess before(data, {"--clock", std::to_string(kBeforeTournament)});
        takePart(before, "Bob", withScore(withScore(real, "ButA", "0", "2"), "ButA", "1", "0"));
        takePart(before, "Joueur_au_long_pseudo24", real);
        takePart(before, "Élodie Núñez", withScore(real, "ButB", "0", "4"));
    }
    // A second publish, so that the ranking shows its movement.
    const fs::path second = box.folder() / "second.ini";
    ASSERT_TRUE(platform::WriteFileAtomically(second, withScore(real, "ButA", "2", "3")));
    std::string output;
    ASSERT_EQ(SiteProcess::Run({"--data", data.string(), "publish", second.string()}, &output), 0) << output;
    SiteProcess site(data, {"--clock", std::to_string(kAfterFinal)});

    const struct {
        const char* name;
        const char* path;
    } pages[] = {{"home", "/?"},
                 {"program", "/zenkor.php?"},
                 {"contact", "/contacter.php?sub=Site&"},
                 {"contest", "/expZenkor2024.php?"},
                 {"contest-logged-in", "/expZenkor2024.php?mdp=pw&pseudo=Bob&"},
                 {"qualifiers-contest", "/expELIMZenkor2024.php?"},
                 {"ranking", "/classement.php?"},
                 {"qualifiers-ranking", "/classementelim.php?"},
                 {"player", "/joueur.php?pseudo=Bob&"},
                 {"player-long-pseudonym", "/joueur.php?pseudo=Joueur_au_long_pseudo24&"},
                 {"match", "/match.php?m=A0&"},
                 {"knockout-match", "/match.php?m=X2&"},
                 {"not-found", "/nulle-part.php?"}};
    struct Shot {
        std::string name, url;
        int width;
    };
    std::vector<Shot> shots;
    httplib::Client client("127.0.0.1", site.port());
    for (const auto& page : pages) {
        for (const char* lang : {"fr", "en", "es"}) {
            const std::string url = std::string(page.path) + "lang=" + lang;
            // Every text the page names is in the language's catalogue.
            const auto r = client.Get(url);
            ASSERT_TRUE(r) << url;
            std::smatch missing;
            EXPECT_FALSE(std::regex_search(r->body, missing, std::regex(R"(\{[a-z]+\.[a-z0-9_.]+\})")))
                << url << ": " << missing.str();
            for (const int width : {1280, 375})
                shots.push_back({std::string(page.name) + "-" + lang + "-" + std::to_string(width),
                                 "http://" + site.host() + url, width});
        }
    }

    const fs::path pictures = fs::path(ZENKOR_ARTIFACTS_DIR) / "pages";
    fs::create_directories(pictures);
    std::atomic<size_t> next{0};
    std::mutex lock;
    std::vector<std::string> problems;
    std::vector<std::thread> browsers;
    for (int t = 0; t < 4; ++t) {
        browsers.emplace_back([&] {
            for (size_t i = next++; i < shots.size(); i = next++) {
                const Shot& s = shots[i];
                std::string said;
                const int status = site_testing::Screenshot(s.url, pictures / (s.name + ".png"), s.width,
                                                            1400, box.folder() / ("shot-" + s.name), &said);
                const std::string wider =
                    site_testing::PageOverflow(s.url, s.width, box.folder() / ("measure-" + s.name));
                std::lock_guard hold(lock);
                if (status != 0 || !fs::exists(pictures / (s.name + ".png")))
                    problems.push_back(s.name + ": no picture: " + said.substr(0, 500));
                if (!wider.empty())
                    problems.push_back(s.name + ": wider than its box: " + wider.substr(0, 500));
            }
        });
    }
    for (std::thread& b : browsers) b.join();
    for (const std::string& p : problems) ADD_FAILURE() << p;
}

}  // namespace
