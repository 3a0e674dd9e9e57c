// A real crowd on the real zenkor-site behind a named reverse proxy (X-Forwarded-For): a school behind one
// address registers and hands in its files, a guesser cannot lock a player out of their own browser nor
// stop another player's password change, and a file of empty score boxes predicts nothing.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <filesystem>
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
using site_testing::UrlEncode;

constexpr const char* kPage = "/expZenkor2024.php";
constexpr std::int64_t kHourBeforeOpening = 1718391600 - 3600;  // 14 June 2024, 18:00 UTC

std::string dataFile(const std::string& name) {
    return platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / name).value_or("");
}

// One browser behind the proxy: the visitor's address as the proxy names it, and the cookies the site set.
class Visitor {
  public:
    Visitor(const SiteProcess& site, std::string address) : client_("127.0.0.1", site.port()) {
        address_ = std::move(address);
    }
    void moveTo(std::string address) { address_ = std::move(address); }

    // The program's send button: the contest page with the password and the pseudonym in the address.
    httplib::Result open(const std::string& password, const std::string& pseudonym) {
        auto r = client_.Get(
            std::string(kPage) + "?mdp=" + UrlEncode(password) + "&pseudo=" + UrlEncode(pseudonym),
            headers());
        keepCookies(r);
        return r;
    }
    std::string csrf() {
        static const std::regex token(R"re(name="csrf" value="([^"]+)")re");
        const auto r = client_.Get(kPage, headers());
        std::smatch m;
        return r && std::regex_search(r->body, m, token) ? m[1].str() : "";
    }
    httplib::Result upload(const std::string& bytes) {
        const httplib::MultipartFormDataItems form{
            {"csrf", csrf(), "", ""}, {"fichier", bytes, "Zenkor2024.ini", "application/octet-stream"}};
        return client_.Post(kPage, headers(), form);
    }
    httplib::Result changePassword(const std::string& current, const std::string& next) {
        return client_.Post(
            kPage, headers(),
            httplib::Params{{"action", "mdp"}, {"csrf", csrf()}, {"ancien", current}, {"nouveau", next}});
    }
    httplib::Result logout() {
        auto r = client_.Post(kPage, headers(), httplib::Params{{"action", "logout"}, {"csrf", csrf()}});
        keepCookies(r);
        return r;
    }
    bool hasCookieStartingWith(const std::string& prefix) const {
        for (const auto& [name, value] : cookies_)
            if (name.rfind(prefix, 0) == 0 && !value.empty()) return true;
        return false;
    }

  private:
    void keepCookies(const httplib::Result& r) {
        if (!r) return;
        const auto [from, to] = r->headers.equal_range("Set-Cookie");
        for (auto it = from; it != to; ++it) {
            const std::string pair = it->second.substr(0, it->second.find(';'));
            const size_t eq = pair.find('=');
            cookies_.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
            // The latest value of a name wins, as in a browser.
            for (size_t i = 0; i + 1 < cookies_.size(); ++i)
                if (cookies_[i].first == cookies_.back().first) cookies_[i].second = cookies_.back().second;
        }
    }
    httplib::Headers headers() const {
        httplib::Headers h{{"X-Forwarded-For", address_}};
        std::string cookie;
        for (const auto& [name, value] : cookies_)
            if (!value.empty() && cookie.find(name + "=") == std::string::npos)
                cookie += (cookie.empty() ? "" : "; ") + name + "=" + value;
        if (!cookie.empty()) h.emplace("Cookie", cookie);
        return h;
    }
    httplib::Client client_;
    std::string address_;
    std::vector<std::pair<std::string, std::string>> cookies_;
};

class CrowdSite : public testing::Test {
  protected:
    testing_support::Sandbox box_;
    SiteProcess site_{box_.folder() / "site-data",
                      {"--trusted-proxy", "127.0.0.1", "--clock", std::to_string(kHourBeforeOpening)}};
};

TEST_F(CrowdSite, ThreeHundredPupilsOfOneSchoolRegisterAndHandInTheirFilesBeforeTheKickoff) {
    const std::string file = dataFile("site/Zenkor2024.ini");
    std::atomic<int> next{0}, handedIn{0};
    std::vector<std::string> failures(300);
    std::vector<std::thread> pupils;
    for (int t = 0; t < 4; ++t) {
        pupils.emplace_back([&] {
            for (int i = next++; i < 300; i = next++) {
                Visitor pupil(site_, "192.0.2.10");
                const std::string name = "Eleve " + std::to_string(i);
                // A site busy hashing others' passwords asks to come back (503): a pupil clicks again.
                auto in = pupil.open("pw-" + name, name);
                for (int again = 0; again < 10 && in && in->status == 503; ++again) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(500));
                    in = pupil.open("pw-" + name, name);
                }
                if (!in || in->status != 303) {
                    failures[i] = name + " registers: " + (in ? std::to_string(in->status) : "no answer");
                    continue;
                }
                const auto sent = pupil.upload(file);
                if (!sent || sent->status != 303 ||
                    sent->get_header_value("Location").find("pris=51") == std::string::npos) {
                    failures[i] =
                        name + " hands in: " +
                        (sent ? std::to_string(sent->status) + " " + sent->get_header_value("Location")
                              : "no answer");
                    continue;
                }
                ++handedIn;
            }
        });
    }
    for (std::thread& t : pupils) t.join();
    for (const std::string& f : failures) EXPECT_TRUE(f.empty()) << f;
    EXPECT_EQ(handedIn, 300);
    httplib::Client visitor("127.0.0.1", site_.port());
    const auto ranking = visitor.Get("/classement.php");
    ASSERT_TRUE(ranking);
    EXPECT_NE(ranking->body.find("300 joueur(s)."), std::string::npos);

    // The program's shipped file, every box empty, predicts nothing and says so.
    Visitor late(site_, "192.0.2.10");
    ASSERT_EQ(late.open("pw", "Retardataire")->status, 303);
    const auto empty = late.upload(dataFile("Zenkor2024.ini"));
    ASSERT_TRUE(empty);
    EXPECT_NE(empty->get_header_value("Location").find("pris=0&"), std::string::npos)
        << empty->get_header_value("Location");
    const auto player = visitor.Get("/joueur.php?pseudo=Retardataire");
    ASSERT_TRUE(player);
    EXPECT_EQ(player->body.find("<td data-label=\"Pronostic\">"),
              player->body.find("<td data-label=\"Pronostic\">—"));
}

TEST_F(CrowdSite, GuessesFromTwelveAddressesNeitherLockThePlayersOwnBrowserNorStopAnothersPasswordChange) {
    // The player logs in once from home: the browser keeps a known-browser cookie, even after logging out.
    Visitor own(site_, "198.51.100.7");
    ASSERT_EQ(own.open("right", "Victime")->status, 303);
    EXPECT_TRUE(own.hasCookieStartingWith("kb_"));
    ASSERT_EQ(own.logout()->status, 303);

    std::vector<int> guesses;
    for (int i = 1; i <= 12; ++i) {
        Visitor guesser(site_, "203.0.113." + std::to_string(i));
        guesses.push_back(guesser.open("guess" + std::to_string(i), "Victime")->status);
    }
    EXPECT_EQ(guesses.back(), 429);
    // A browser the player never used stays limited, even with the right password, and is told why in its
    // language, with when to come back.
    Visitor stranger(site_, "203.0.113.99");
    const auto refused = stranger.open("right", "Victime");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 429);
    EXPECT_FALSE(refused->get_header_value("Retry-After").empty());
    EXPECT_NE(refused->body.find("Trop de mots de passe faux pour ce pseudo"), std::string::npos);
    // The player's own browser, even from another network, gets in at once.
    own.moveTo("192.0.2.200");
    const auto back = own.open("right", "Victime");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->status, 303);
    EXPECT_FALSE(own.csrf().empty());

    // Behind the same proxy, one player guesses the current password of their own account while another,
    // from a second address, changes theirs with the right one.
    Visitor first(site_, "198.51.100.20"), second(site_, "198.51.100.21");
    ASSERT_EQ(first.open("first-pw", "Premier")->status, 303);
    ASSERT_EQ(second.open("second-pw", "Second")->status, 303);
    int throttled = 0;
    for (int i = 0; i < 8; ++i)
        throttled += first.changePassword("wrong" + std::to_string(i), "x-new")->status == 429;
    EXPECT_GT(throttled, 0);
    const auto changed = second.changePassword("second-pw", "second-new");
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->status, 303);
    Visitor again(site_, "198.51.100.22");
    EXPECT_EQ(again.open("second-new", "Second")->status, 303);
}

}  // namespace
