// The contest's defences against the open internet, on the real zenkor-site process: password guessing
// (all at once, from many addresses, behind a reverse proxy), requests made by other sites' pages, and
// players or addresses filling the database.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <algorithm>
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

constexpr const char* kPage = "/expZenkor2024.php";
const std::vector<std::string> kBeforeTournament{"--clock", "1717200000"};

std::string loginAddress(const std::string& password, const std::string& pseudonym) {
    return std::string(kPage) + "?mdp=" + password + "&pseudo=" + pseudonym;
}

// The send button's address, opened from `from` (an X-Forwarded-For value, or none).
int openLogin(const SiteProcess& site, const std::string& password, const std::string& pseudonym,
              const std::string& from = {}) {
    httplib::Client client("127.0.0.1", site.port());
    httplib::Headers headers;
    if (!from.empty()) headers.emplace("X-Forwarded-For", from);
    const auto r = client.Get(loginAddress(password, pseudonym), headers);
    return r ? r->status : -1;
}

long long countRows(const SiteProcess& site, const char* table) {
    sqlite3* db = nullptr;
    sqlite3_open_v2((site.data() / "contest.sqlite").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, (std::string("SELECT COUNT(*) FROM ") + table).c_str(), -1, &st, nullptr);
    const long long n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

// A browser logged in as one player: its session cookie and the forms' token.
struct LoggedIn {
    LoggedIn(const SiteProcess& site, const std::string& pseudonym) : client("127.0.0.1", site.port()) {
        const auto r = client.Get(loginAddress("secret", pseudonym));
        EXPECT_TRUE(r && r->status == 303) << pseudonym;
        if (!r) return;
        const std::string c = r->get_header_value("Set-Cookie");
        cookie = {{"Cookie", c.substr(0, c.find(';'))}};
        static const std::regex kToken(R"re(name="csrf" value="([^"]+)")re");
        std::smatch m;
        const std::string page = client.Get(kPage, cookie)->body;
        if (std::regex_search(page, m, kToken)) token = m[1];
    }
    bool inSession() {
        const auto r = client.Get(kPage, cookie);
        return r && r->body.find("Se déconnecter") != std::string::npos;
    }
    httplib::Result logout(const httplib::Headers& extra, const std::string& csrf) {
        httplib::Headers headers = cookie;
        headers.insert(extra.begin(), extra.end());
        return client.Post(kPage, headers, httplib::Params{{"action", "logout"}, {"csrf", csrf}});
    }
    httplib::Result upload(const std::string& bytes) {
        const httplib::MultipartFormDataItems form{
            {"csrf", token, "", ""}, {"fichier", bytes, "Zenkor2024.ini", "application/octet-stream"}};
        return client.Post(kPage, cookie, form);
    }
    httplib::Client client;
    httplib::Headers cookie;
    std::string token;
};

std::string realResults() {
    return platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / "site/Zenkor2024.ini").value_or("");
}

TEST(LoginLimits, WrongPasswordsSentAllAtOnceGetNoMoreChecksThanTheLimit) {
    testing_support::Sandbox box;
    SiteProcess site(box.folder() / "site-data", kBeforeTournament);
    ASSERT_EQ(openLogin(site, "right", "Victim"), 303);

    std::vector<int> statuses(60);
    std::vector<std::thread> guesses;
    for (size_t i = 0; i < statuses.size(); ++i) {
        guesses.emplace_back(
            [&, i] { statuses[i] = openLogin(site, "wrong" + std::to_string(i), "Victim"); });
    }
    for (std::thread& t : guesses) t.join();
    const auto checked = std::count(statuses.begin(), statuses.end(), 403);
    EXPECT_GE(checked, 1);
    EXPECT_LE(checked, 5) << "passwords checked";
    EXPECT_EQ(checked + std::count(statuses.begin(), statuses.end(), 429) +
                  std::count(statuses.begin(), statuses.end(), 503),
              60);
}

TEST(LoginLimits, BehindATrustedProxyAGuesserLocksOutOnlyItselfAndTheAccountItGuesses) {
    testing_support::Sandbox box;
    SiteProcess site(box.folder() / "site-data", {"--trusted-proxy", "127.0.0.1", "--clock", "1717200000"});
    ASSERT_EQ(openLogin(site, "right", "Victim", "198.51.100.1"), 303);

    std::vector<int> guesser;
    for (int i = 0; i < 8; ++i) guesser.push_back(openLogin(site, "guess", "Victim", "203.0.113.7"));
    EXPECT_EQ(std::count(guesser.begin(), guesser.end(), 403), 5);
    EXPECT_EQ(guesser.back(), 429);
    EXPECT_EQ(openLogin(site, "right", "Victim", "203.0.113.7"), 429);

    // Other players and newcomers behind the same proxy are not concerned.
    EXPECT_EQ(openLogin(site, "s3cret", "Other", "198.51.100.2"), 303);
    EXPECT_EQ(openLogin(site, "s3cret", "Other", "198.51.100.2"), 303);
    EXPECT_EQ(openLogin(site, "n3w", "Newcomer", "2001:db8:1:2::5, 127.0.0.1"), 303);

    // Guessing one account from ever new addresses meets the account's own limit.
    std::vector<int> spread;
    for (int i = 10; i < 20; ++i)
        spread.push_back(openLogin(site, "guess", "Victim", "203.0.113." + std::to_string(i)));
    EXPECT_EQ(std::count(spread.begin(), spread.end(), 403), 5);
    EXPECT_EQ(spread.back(), 429);
}

TEST(CrossSiteRequests, ChangeNothingWhileTheSitesOwnFormsAndTheProgramsAddressWork) {
    testing_support::Sandbox box;
    SiteProcess site(box.folder() / "site-data", kBeforeTournament);
    httplib::Client client("127.0.0.1", site.port());

    // A page of another site opening the send button's address, or posting the login form.
    auto r = client.Get(loginAddress("attacker", "Attacker"),
                        {{"Sec-Fetch-Site", "cross-site"}, {"Accept-Language", "en"}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);
    EXPECT_EQ(r->get_header_value("Set-Cookie").find("sid="), std::string::npos);
    EXPECT_NE(r->body.find("comes from a page of another site"), std::string::npos);
    r = client.Post(kPage, {{"Origin", "http://evil.example"}},
                    httplib::Params{{"pseudo", "Attacker"}, {"mdp", "x"}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);
    EXPECT_FALSE(r->has_header("Set-Cookie"));
    r = client.Post("/contacter.php", {{"Sec-Fetch-Site", "same-site"}},
                    httplib::Params{{"message", "spam"}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);
    EXPECT_EQ(countRows(site, "players"), 0);
    EXPECT_EQ(countRows(site, "contact_messages"), 0);

    // The program's address, which the browser marks as the user's own act, still logs in.
    r = client.Get(loginAddress("secret", "Ana"), {{"Sec-Fetch-Site", "none"}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 303);

    // A logout from another site, or without the form's token, leaves the session whole.
    LoggedIn ana(site, "Ana");
    ASSERT_TRUE(ana.inSession());
    r = ana.logout({{"Sec-Fetch-Site", "cross-site"}}, ana.token);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);
    r = ana.logout({}, "forged");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);
    EXPECT_FALSE(r->has_header("Set-Cookie"));
    EXPECT_TRUE(ana.inSession());
    // The site's own form ends it on the server: the old cookie opens nothing any more.
    r = ana.logout({{"Origin", "http://" + site.host()}, {"Sec-Fetch-Site", "same-origin"}}, ana.token);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 303);
    EXPECT_FALSE(ana.inSession());
}

TEST(StorageLimits, IdenticalFilesStoreNothingAndUploadsContactMessagesAndPseudonymsAreBounded) {
    testing_support::Sandbox box;
    SiteProcess site(box.folder() / "site-data", kBeforeTournament);
    LoggedIn bea(site, "Bea");
    const std::string file = realResults();
    ASSERT_EQ(bea.upload(file)->status, 303);
    auto again = bea.upload(file);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 303);
    EXPECT_NE(again->get_header_value("Location").find("pris=51"), std::string::npos);
    EXPECT_EQ(countRows(site, "uploads"), 1);

    // 20 files an hour; the next is refused and says when to come back.
    for (int i = 1; i < 20; ++i)
        ASSERT_EQ(bea.upload(file + "; " + std::to_string(i) + "\r\n")->status, 303) << i;
    auto over = bea.upload(file + "; over\r\n");
    ASSERT_TRUE(over);
    EXPECT_EQ(over->status, 429);
    EXPECT_TRUE(over->has_header("Retry-After"));
    EXPECT_NE(over->body.find("réessayez dans"), std::string::npos);
    EXPECT_EQ(countRows(site, "uploads"), 20);

    httplib::Client client("127.0.0.1", site.port());
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(client.Post("/contacter.php", httplib::Params{{"message", "Bonjour " + std::to_string(i)}})
                      ->status,
                  303);
    }
    auto tooMany = client.Post("/contacter.php", httplib::Params{{"message", "Encore"}});
    ASSERT_TRUE(tooMany);
    EXPECT_EQ(tooMany->status, 429);
    EXPECT_NE(tooMany->body.find("réessayez demain"), std::string::npos);
    EXPECT_EQ(countRows(site, "contact_messages"), 10);

    // New pseudonyms from one address: a whole class behind one address registers (the bound per
    // address, hundreds an hour, is tested on the contest itself).
    for (int i = 1; i < 30; ++i) ASSERT_EQ(openLogin(site, "pw", "Joueur" + std::to_string(i)), 303) << i;
    EXPECT_EQ(countRows(site, "players"), 30);
}

}  // namespace
