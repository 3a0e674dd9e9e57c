// The contest against the real zenkor-site program on 127.0.0.1: players register from the address the
// program opens, hand in their files, and the ranking, the players' pages and the locks at kick-off follow.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "platform/ini.h"
#include "tests/site/site_process.h"

namespace {

namespace fs = std::filesystem;
using site_testing::UrlEncode;

// 1 June 2024, before the first match; one minute after the opening match's kick-off (14 June 2024,
// 21:00 in Munich, 19:00 UTC).
constexpr std::int64_t kBeforeTournament = 1717200000;
constexpr std::int64_t kAfterOpeningMatch = 1718391600 + 60;
constexpr std::int64_t kBeforeQualifiers = 1409529600;  // 1 September 2014

std::string dataFile(const std::string& name) {
    return platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / name).value_or("");
}

// The file of the real 2024 results, which the site publishes on its first start: a perfect prediction.
std::string realResults() {
    return dataFile("site/Zenkor2024.ini");
}

std::string withValue(std::string bytes, const char* section, const char* key, const char* value) {
    return platform::IniAssign(bytes, section, key, value, platform::IniEncoding::Cp1252);
}

// The real site with the contest's clock set to `clock`.
class Site : public site_testing::SiteProcess {
  public:
    Site(const fs::path& data, std::int64_t clock) : SiteProcess(data, {"--clock", std::to_string(clock)}) {}
};

// A browser of one player: keeps the session cookie the site sets.
class Browser {
  public:
    explicit Browser(const Site& site) : client_("127.0.0.1", site.port()) {}

    // The send button's address, percent-encoded as the program sends it.
    httplib::Result open(const std::string& page, const std::string& password, const std::string& pseudonym) {
        auto r = get(page + "?mdp=" + UrlEncode(password) + "&pseudo=" + UrlEncode(pseudonym));
        if (r && r->has_header("Set-Cookie")) {
            const std::string c = r->get_header_value("Set-Cookie");
            cookie_ = c.substr(0, c.find(';'));
        }
        return r;
    }
    httplib::Result get(const std::string& path) { return client_.Get(path, headers()); }
    void speak(const std::string& acceptLanguage) { language_ = acceptLanguage; }
    // The form token of the page, empty when the page has no form of a logged-in player.
    std::string csrfToken(const std::string& page) {
        const auto form = get(page);
        std::smatch m;
        static const std::regex csrf(R"re(name="csrf" value="([^"]+)")re");
        const std::string body = form ? form->body : "";
        return std::regex_search(body, m, csrf) ? m[1].str() : "";
    }
    bool loggedIn(const std::string& page) { return !csrfToken(page).empty(); }

    // The password change form of the contest page, filled in.
    httplib::Result changePassword(const std::string& page, const std::string& current,
                                   const std::string& next) {
        return client_.Post(
            page, headers(),
            httplib::Params{
                {"action", "mdp"}, {"csrf", csrfToken(page)}, {"ancien", current}, {"nouveau", next}});
    }

    httplib::Result upload(const std::string& page, const std::string& bytes, const std::string& name) {
        const std::string token = csrfToken(page);
        httplib::MultipartFormDataItems items{{"csrf", token, "", ""},
                                              {"fichier", bytes, name, "application/octet-stream"}};
        return client_.Post(page, headers(), items);
    }

  private:
    httplib::Headers headers() const {
        httplib::Headers h;
        if (!cookie_.empty()) h.emplace("Cookie", cookie_);
        if (!language_.empty()) h.emplace("Accept-Language", language_);
        return h;
    }
    httplib::Client client_;
    std::string cookie_, language_;
};

struct Row {
    int rank;
    std::string pseudonym;
    int points;
    int exact;
    std::string movement;  // "▲1", "▼2", "=", "•" (new), or empty before a second publish
};

std::vector<Row> ranking(Browser& b, const std::string& path = "/classement.php") {
    std::vector<Row> rows;
    const auto r = b.get(path);
    EXPECT_TRUE(r && r->status == 200);
    if (!r) return rows;
    static const std::regex row(
        R"(<tr(?: class="own")?><td>(\d+)</td>(?:<td><span class="move[^"]*"[^>]*>([^<]*)</span></td>)?)"
        R"(<td class="who"><a href="[^"]*">([^<]*)</a></td><td>(\d+)</td><td>(\d+)</td></tr>)");
    for (std::sregex_iterator it(r->body.begin(), r->body.end(), row), end; it != end; ++it) {
        rows.push_back({std::stoi((*it)[1]), (*it)[3], std::stoi((*it)[4]), std::stoi((*it)[5]), (*it)[2]});
    }
    return rows;
}

class ContestSite : public ::testing::Test {
  protected:
    void SetUp() override {
        data_ = fs::temp_directory_path() / ("zenkor-contest-" + std::to_string(getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(data_);
        fs::create_directories(data_);
    }
    void TearDown() override { fs::remove_all(data_); }
    fs::path data_;
};

TEST_F(ContestSite, PlayersRegisterHandInTheirFilesAndRankByTheirPredictions) {
    Site site(data_, kBeforeTournament);
    Browser alice(site), bob(site), visitor(site);

    // The send button registers a new pseudonym; the password leaves the address at once.
    auto r = alice.open("/expZenkor2024.php", "motdepasse&1", "Alice Martin");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 303);
    EXPECT_EQ(r->get_header_value("Location").find("mdp"), std::string::npos);
    EXPECT_NE(r->get_header_value("Set-Cookie").find("HttpOnly"), std::string::npos);
    r = alice.get("/expZenkor2024.php");
    EXPECT_NE(r->body.find("Alice Martin"), std::string::npos);
    EXPECT_EQ(r->body.find("motdepasse"), std::string::npos);

    // Alice hands in the file as shipped: no score filled in, so no prediction and no point.
    r = alice.upload("/expZenkor2024.php", dataFile("Zenkor2024.ini"), "Zenkor2024.ini");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 303);
    EXPECT_NE(r->get_header_value("Location").find("pris=0"), std::string::npos);

    // Bob predicts the real tournament, but for the opening match (5-1): 2-0 keeps the winner only.
    std::string bobFile = withValue(withValue(realResults(), "ButA", "0", "2"), "ButA", "1", "0");
    ASSERT_TRUE(bob.open("/expZenkor2024.php", "b0b", "Bob"));
    r = bob.upload("/expZenkor2024.php", bobFile, "Zenkor2024.ini");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 303);

    // 51 matches (4 points each but 2 for the opening one), 30 teams in the right rounds, the champion.
    const auto rows = ranking(visitor);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].pseudonym, "Bob");
    EXPECT_EQ(rows[0].points, 50 * 4 + 2 + 30 + 5);
    EXPECT_EQ(rows[0].exact, 50);
    EXPECT_EQ(rows[1].pseudonym, "Alice Martin");
    EXPECT_EQ(rows[1].points, 0);
    EXPECT_EQ(rows[1].rank, 2);

    // A better file from Alice, before any kick-off, counts in full and puts her first.
    r = alice.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini");
    ASSERT_TRUE(r);
    const auto after = ranking(visitor);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].pseudonym, "Alice Martin");
    EXPECT_EQ(after[0].points, 51 * 4 + 30 + 5);

    // Her own page shows her predictions beside the real results; a visitor's shows them hidden until
    // kick-off. The ranking page writes the rule out.
    r = alice.get("/joueur.php?pseudo=alice%20martin");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    EXPECT_NE(r->body.find("Allemagne 5 – 1 Écosse</td><td data-label=\"Pronostic\">Allemagne 5 – 1 Écosse"),
              std::string::npos);
    r = visitor.get("/joueur.php?pseudo=Bob");
    EXPECT_NE(r->body.find(
                  "Allemagne 5 – 1 Écosse</td><td data-label=\"Pronostic\"><em>caché jusqu'au coup d'envoi"),
              std::string::npos);
    EXPECT_EQ(r->body.find("Écosse</td><td data-label=\"Pronostic\">Allemagne 2 – 0"), std::string::npos);
    r = visitor.get("/classement.php");
    EXPECT_NE(r->body.find("5 points</strong> pour le champion"), std::string::npos);

    // The home page's ranking comes from the contest.
    r = visitor.get("/");
    EXPECT_NE(r->body.find("Alice Martin"), std::string::npos);

    // The qualifiers page takes only a qualifiers file.
    ASSERT_TRUE(alice.open("/expELIMZenkor2024.php", "motdepasse&1", "Alice Martin"));
    r = alice.upload("/expELIMZenkor2024.php", realResults(), "Zenkor2024.ini");
    EXPECT_EQ(r->status, 400);
    EXPECT_NE(r->body.find("éliminatoires"), std::string::npos);
}

TEST_F(ContestSite, AFileHandedInAfterAKickoffLeavesThatMatchAsItWas) {
    {
        Site site(data_, kBeforeTournament);
        Browser carol(site);
        ASSERT_TRUE(carol.open("/expZenkor2024.php", "c4rol", "Carol"));
        ASSERT_EQ(carol.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini")->status, 303);
    }
    // The opening match (5-1) has started, Spain - Croatia (3-0) has not. Neither change moves
    // a group table, so the bracket stays.
    Site site(data_, kAfterOpeningMatch);
    Browser carol(site), visitor(site);
    ASSERT_TRUE(carol.open("/expZenkor2024.php", "c4rol", "Carol"));
    std::string late = withValue(realResults(), "ButA", "0", "4");
    late = withValue(late, "ButB", "0", "2");
    const auto r = carol.upload("/expZenkor2024.php", late, "Zenkor2024.ini");
    ASSERT_TRUE(r);
    EXPECT_NE(r->get_header_value("Location").find("pris=50&commences=1"), std::string::npos);
    EXPECT_NE(carol.get(r->get_header_value("Location"))->body.find("1 match(s) avaient déjà commencé"),
              std::string::npos);

    // The opening match keeps its exact score; Spain - Croatia takes the new one, the right winner only.
    const auto rows = ranking(visitor);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].points, 50 * 4 + 2 + 30 + 5);
    EXPECT_EQ(rows[0].exact, 50);
    const std::string page = visitor.get("/joueur.php?pseudo=Carol")->body;
    EXPECT_NE(page.find("Allemagne 5 – 1 Écosse</td><td data-label=\"Pronostic\">Allemagne 5 – 1 Écosse"),
              std::string::npos);
    EXPECT_EQ(page.find("Espagne 2 – 0 Croatie"), std::string::npos);  // not started: hidden
}

TEST_F(ContestSite, WrongPasswordsForgedPseudonymsAndBadFilesAreRefusedAndChangeNothing) {
    Site site(data_, kBeforeTournament);
    Browser dave(site), intruder(site), visitor(site);
    ASSERT_TRUE(dave.open("/expZenkor2024.php", "d4ve", "Dave"));
    ASSERT_EQ(dave.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini")->status, 303);
    const std::string before = visitor.get("/classement.php")->body;
    const std::string davePage = dave.get("/joueur.php?pseudo=Dave")->body;

    auto r = intruder.open("/expZenkor2024.php", "guess", "dave");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 403);
    EXPECT_NE(r->body.find("Pseudo ou mot de passe incorrect."), std::string::npos);
    EXPECT_FALSE(r->has_header("Set-Cookie"));
    EXPECT_EQ(r->body.find("guess"), std::string::npos);

    const std::string forged = "<script>alert(1)</script>'; DROP TABLE players;--";
    r = intruder.open("/expZenkor2024.php", "x", forged);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 400);
    EXPECT_FALSE(r->has_header("Set-Cookie"));
    EXPECT_EQ(r->body.find("<script>alert"), std::string::npos);
    EXPECT_NE(r->body.find("&lt;script&gt;alert(1)&lt;/script&gt;&#x27;; DROP TABLE"), std::string::npos);
    EXPECT_EQ(intruder.open("/expZenkor2024.php", "x", "")->status, 400);
    EXPECT_EQ(intruder.open("/expZenkor2024.php", "x", std::string(25, 'a'))->status, 400);

    // Dave's own session, with files that are not his edition file.
    r = dave.upload("/expZenkor2024.php", std::string(300 * 1024, 'x'), "Zenkor2024.ini");
    EXPECT_EQ(r->status, 413);
    EXPECT_NE(r->body.find("256 Ko"), std::string::npos);
    r = dave.upload("/expZenkor2024.php", std::string("\x7f\x45LF\x02\x01\0\0garbage", 16), "Zenkor2024.ini");
    EXPECT_EQ(r->status, 400);
    r = dave.upload("/expZenkor2024.php", "[EquipA]\n1=<b>x</b>\n", "<img src=x>.ini");
    EXPECT_EQ(r->status, 400);
    EXPECT_EQ(r->body.find("<img"), std::string::npos);
    r = dave.upload("/expZenkor2024.php", dataFile("Zenkor2016.ini"), "Zenkor2016.ini");
    EXPECT_EQ(r->status, 400);
    EXPECT_NE(r->body.find("Rien n&#x27;a changé"), std::string::npos);
    // Without the form's token nothing is taken either.
    httplib::Client bare("127.0.0.1", site.port());
    EXPECT_EQ(bare.Post("/expZenkor2024.php", {}, {{"fichier", realResults(), "Zenkor2024.ini", ""}})->status,
              403);

    EXPECT_EQ(visitor.get("/classement.php")->body, before);
    EXPECT_EQ(dave.get("/joueur.php?pseudo=Dave")->body.find("Vos envois"), davePage.find("Vos envois"));
    EXPECT_EQ(std::count(davePage.begin(), davePage.end(), '\n'), [&] {
        const std::string now = dave.get("/joueur.php?pseudo=Dave")->body;
        return std::count(now.begin(), now.end(), '\n');
    }());

    // Guessing on: the address is slowed down, and even the right password waits.
    int throttled = 0;
    for (int i = 0; i < 6; ++i)
        throttled += intruder.open("/expZenkor2024.php", "guess", "Dave")->status == 429;
    EXPECT_GE(throttled, 1);
    r = intruder.open("/expZenkor2024.php", "d4ve", "Dave");
    EXPECT_EQ(r->status, 429);
    EXPECT_TRUE(r->has_header("Retry-After"));
}

// The bracket and the champion are predicted once for the whole tournament: a player who hands in the
// real results after the first kick-off scores the matches still to come, never the bracket.
TEST_F(ContestSite, OnlyAFileSentBeforeTheFirstKickoffEarnsTheBracketAndChampionPoints) {
    {
        Site site(data_, kBeforeTournament);
        Browser early(site), late(site);
        ASSERT_TRUE(early.open("/expZenkor2024.php", "e4rly", "Early"));
        ASSERT_EQ(early.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini")->status, 303);
        ASSERT_TRUE(late.open("/expZenkor2024.php", "l4te", "Late"));  // registers, sends nothing yet
    }
    const auto expectFair = [](const std::vector<Row>& rows) {
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].pseudonym, "Early");
        EXPECT_EQ(rows[0].points, 51 * 4 + 30 + 5);
        EXPECT_EQ(rows[1].pseudonym, "Late");
        EXPECT_EQ(rows[1].points, 50 * 4);  // every match after the opening one, and nothing more
    };
    {
        Site site(data_, kAfterOpeningMatch);
        Browser late(site), visitor(site);
        ASSERT_TRUE(late.open("/expZenkor2024.php", "l4te", "Late"));
        ASSERT_EQ(late.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini")->status, 303);
        expectFair(ranking(visitor));
        EXPECT_NE(late.get("/joueur.php?pseudo=Late")->body.find("dont 0 point(s)"), std::string::npos);
        EXPECT_NE(visitor.get("/classement.php")->body.find("avant le premier coup d'envoi du tournoi"),
                  std::string::npos);
    }
    // A database from before brackets were kept apart: they come back from the files stored then.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((data_ / "contest.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "DELETE FROM predictions WHERE match_key LIKE '+%'; DROP TABLE bracket_pending; "
                           "PRAGMA user_version = 2;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    Site site(data_, kAfterOpeningMatch);
    Browser visitor(site);
    expectFair(ranking(visitor));
}

// A publish that would undo the contest is refused and changes nothing; a sound one moves the ranking,
// which shows each player's movement since the previous published results.
TEST_F(ContestSite, APublishKeepsTheLocksAndTheTeamsAndTheRankingShowsTheMovement) {
    Site site(data_, kBeforeTournament);
    Browser alice(site), bob(site), visitor(site);
    ASSERT_TRUE(alice.open("/expZenkor2024.php", "4lice", "Alice"));
    ASSERT_EQ(alice.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini")->status, 303);
    ASSERT_TRUE(bob.open("/expZenkor2024.php", "b0b", "Bob"));
    const std::string twoNil = withValue(withValue(realResults(), "ButA", "0", "2"), "ButA", "1", "0");
    ASSERT_EQ(bob.upload("/expZenkor2024.php", twoNil, "Zenkor2024.ini")->status, 303);
    auto rows = ranking(visitor);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].pseudonym, "Alice");
    EXPECT_EQ(rows[0].movement, "");  // the first published file replaced none

    const fs::path published = data_ / "Zenkor2024.ini";
    const std::string first = platform::ReadFileBytes(published).value_or("");
    const std::string real = realResults();
    const fs::path noKickoffs = data_.parent_path() / (data_.filename().string() + "-nokickoffs.ini");
    const fs::path otherTeams = data_.parent_path() / (data_.filename().string() + "-otherteams.ini");
    const fs::path sound = data_.parent_path() / (data_.filename().string() + "-twonil.ini");
    ASSERT_TRUE(platform::WriteFileAtomically(noKickoffs, real.substr(0, real.find("[Match]"))));
    ASSERT_TRUE(platform::WriteFileAtomically(otherTeams, withValue(real, "EquipA", "1", "Atlantide")));
    ASSERT_TRUE(platform::WriteFileAtomically(sound, twoNil));
    std::string output;
    const std::string data = data_.string();
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data, "publish", noKickoffs.string()}, &output), 1);
    EXPECT_NE(output.find("51 match(es) without a kick-off"), std::string::npos) << output;
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data, "publish", otherTeams.string()}, &output), 1);
    EXPECT_NE(output.find("--new-teams"), std::string::npos) << output;
    EXPECT_EQ(platform::ReadFileBytes(published), first);
    EXPECT_FALSE(fs::exists(data_ / "Zenkor2024.ini.bak"));

    // The real opening match as Bob predicted it: he goes ahead of Alice.
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data, "publish", sound.string()}, &output), 0)
        << output;
    for (int i = 0; i < 100 && ranking(visitor)[0].pseudonym != "Bob"; ++i) usleep(50000);
    rows = ranking(visitor);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].pseudonym, "Bob");
    EXPECT_EQ(rows[0].movement, "▲1");
    EXPECT_EQ(rows[1].pseudonym, "Alice");
    EXPECT_EQ(rows[1].movement, "▼1");

    // A new team list goes through only when the owner says so.
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data, "publish", otherTeams.string(), "--new-teams"},
                                             &output),
              0)
        << output;
    for (const fs::path& f : {noKickoffs, otherTeams, sound}) fs::remove(f);
}

// Everything a player reads besides the ranking: each match's predictions once it has started, their
// own password, the owner's help, the three languages, and pages that read on a phone.
TEST_F(ContestSite, MatchPagesPasswordsTheOwnersCommandsAndTheLanguagesServeThePlayers) {
    const std::string twoNil = withValue(withValue(realResults(), "ButA", "0", "2"), "ButA", "1", "0");
    {
        Site site(data_, kBeforeTournament);
        Browser alice(site), bob(site), visitor(site);
        ASSERT_TRUE(alice.open("/expZenkor2024.php", "4lice", "Alice"));
        ASSERT_EQ(alice.upload("/expZenkor2024.php", realResults(), "Zenkor2024.ini")->status, 303);
        ASSERT_TRUE(bob.open("/expZenkor2024.php", "b0b", "Bob"));
        ASSERT_EQ(bob.upload("/expZenkor2024.php", twoNil, "Zenkor2024.ini")->status, 303);
        const auto before = visitor.get("/match.php?m=A0");
        ASSERT_TRUE(before);
        EXPECT_EQ(before->status, 200);
        EXPECT_NE(before->body.find("s&#x27;affichent à son coup d&#x27;envoi"), std::string::npos);
        EXPECT_EQ(before->body.find("Bob"), std::string::npos);
        EXPECT_EQ(visitor.get("/match.php?m=Q9")->status, 404);
    }
    Site site(data_, kAfterOpeningMatch);
    Browser alice(site), bob(site), visitor(site);

    // The opening match has started: everybody's prediction and points, in ranking order; the next
    // match keeps them hidden.
    auto r = visitor.get("/match.php?m=A0");
    ASSERT_TRUE(r);
    EXPECT_NE(r->body.find("2 pronostic(s)"), std::string::npos);
    const size_t a = r->body.find(
        ">Alice</a></td><td data-label=\"Pronostic\">Allemagne 5 – 1 Écosse</td><td "
        "data-label=\"Points\" class=\"points\">4<");
    const size_t b = r->body.find(
        ">Bob</a></td><td data-label=\"Pronostic\">Allemagne 2 – 0 Écosse</td><td "
        "data-label=\"Points\" class=\"points\">2<");
    EXPECT_NE(a, std::string::npos);
    EXPECT_NE(b, std::string::npos);
    EXPECT_LT(a, b);
    r = visitor.get("/match.php?m=B0");
    EXPECT_EQ(r->body.find("Alice"), std::string::npos);
    r = visitor.get("/classement.php");
    EXPECT_NE(r->body.find("<a href=\"/match.php?m=A0\">Allemagne – Écosse</a>"), std::string::npos);
    EXPECT_EQ(r->body.find("/match.php?m=B0"), std::string::npos);
    EXPECT_NE(visitor.get("/joueur.php?pseudo=Bob")->body.find("href=\"/match.php?m=A0\""),
              std::string::npos);

    // Alice changes her password once the current one checks out; the old one stops working.
    ASSERT_EQ(alice.open("/expZenkor2024.php", "4lice", "Alice")->status, 303);
    r = alice.changePassword("/expZenkor2024.php", "wrong", "n3w-pass");
    EXPECT_EQ(r->status, 403);
    r = alice.changePassword("/expZenkor2024.php", "4lice", "n3w-pass");
    ASSERT_EQ(r->status, 303);
    EXPECT_NE(alice.get(r->get_header_value("Location"))->body.find("Votre mot de passe est changé."),
              std::string::npos);
    EXPECT_TRUE(alice.loggedIn("/expZenkor2024.php"));
    EXPECT_EQ(Browser(site).open("/expZenkor2024.php", "4lice", "Alice")->status, 403);
    EXPECT_EQ(Browser(site).open("/expZenkor2024.php", "n3w-pass", "Alice")->status, 303);

    // Bob forgot his: the owner gives him a new one, which ends his sessions.
    ASSERT_EQ(bob.open("/expZenkor2024.php", "b0b", "Bob")->status, 303);
    std::string output;
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data_.string(), "reset-password", "bob"}, &output),
              0);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(output, m, std::regex("New password for bob: (\\S+)"))) << output;
    const std::string given = m[1].str();
    EXPECT_FALSE(bob.loggedIn("/expZenkor2024.php"));
    EXPECT_EQ(Browser(site).open("/expZenkor2024.php", "b0b", "Bob")->status, 403);
    EXPECT_EQ(Browser(site).open("/expZenkor2024.php", given, "Bob")->status, 303);
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data_.string(), "reset-password", "Nobody"}, &output),
              1);
    EXPECT_EQ(Browser(site).open("/expZenkor2024.php", given, "Bob")->status, 303);

    // The owner reads the contact page's messages.
    httplib::Client contact("127.0.0.1", site.port());
    ASSERT_EQ(contact
                  .Post("/contacter.php",
                        httplib::Params{{"sujet", "Zenkor V1.0"}, {"message", "Où est mon score ?"}})
                  ->status,
              303);
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data_.string(), "messages"}, &output), 0);
    EXPECT_NE(output.find("Subject: Zenkor V1.0"), std::string::npos) << output;
    EXPECT_NE(output.find("Où est mon score ?"), std::string::npos) << output;

    // An English and a Spanish browser get their language; the switch's choice is kept.
    Browser english(site), spanish(site);
    english.speak("en-GB,en;q=0.9,fr;q=0.5");
    spanish.speak("es-ES,es;q=0.9");
    r = english.get("/");
    EXPECT_NE(r->body.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(r->body.find("Register on the <a href=\"/expZenkor2024.php\">contest page</a>"),
              std::string::npos);
    r = english.get("/match.php?m=A0");
    EXPECT_NE(r->body.find("2 prediction(s), in ranking order."), std::string::npos);
    r = spanish.get("/classement.php");
    EXPECT_NE(r->body.find("<html lang=\"es\">"), std::string::npos);
    EXPECT_NE(r->body.find("último archivo enviado antes del primer partido del torneo"), std::string::npos);
    r = visitor.get("/classement.php?lang=es");
    EXPECT_NE(r->get_header_value("Set-Cookie").find("lang=es"), std::string::npos);
    EXPECT_EQ(r->get_header_value("Content-Language"), "es");

    // A desktop and a phone, 375 pixels wide, for a person to look at, after a second publish: the
    // ranking shows its movement.
    const fs::path second = data_.parent_path() / (data_.filename().string() + "-twonil.ini");
    ASSERT_TRUE(platform::WriteFileAtomically(second, twoNil));
    EXPECT_EQ(site_testing::SiteProcess::Run({"--data", data_.string(), "publish", second.string()}, &output),
              0)
        << output;
    fs::remove(second);
    for (int i = 0; i < 100 && ranking(visitor)[0].pseudonym != "Bob"; ++i) usleep(50000);
    EXPECT_EQ(ranking(visitor)[0].movement, "▲1");
    fs::create_directories(ZENKOR_ARTIFACTS_DIR);
    const struct {
        const char* path;
        const char* name;
    } pages[] = {{"/", "home"},
                 {"/classement.php", "ranking"},
                 {"/joueur.php?pseudo=Bob", "player"},
                 {"/match.php?m=A0", "match"}};
    for (const auto& page : pages) {
        for (const int width : {1280, 375}) {
            const std::string name =
                std::string("contest-") + page.name + "-" + std::to_string(width) + ".png";
            const fs::path png = fs::path(ZENKOR_ARTIFACTS_DIR) / name;
            // The desktop in French, the phone in the browser's language (Chromium's English).
            const std::string path =
                std::string(page.path) +
                (width > 1000 ? (std::strchr(page.path, '?') ? "&lang=fr" : "?lang=fr") : "");
            EXPECT_EQ(site_testing::Screenshot("http://" + site.host() + path, png, width, 1400,
                                               data_ / ("chromium-" + name), &output),
                      0)
                << output;
            EXPECT_TRUE(fs::exists(png)) << output;
        }
    }
}

TEST_F(ContestSite, TheQualifiersContestScoresEachQualifyingMatch) {
    Site site(data_, kBeforeQualifiers);
    Browser eve(site), visitor(site);
    ASSERT_TRUE(eve.open("/expELIMZenkor2024.php", "3ve", "Eve"));
    // The shipped qualifiers file holds the real results: every played match is exact.
    const auto r = eve.upload("/expELIMZenkor2024.php", dataFile("Elim2024.ini"), "Elim2024.ini");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 303);
    EXPECT_NE(r->get_header_value("Location").find("pris=260&commences=0"), std::string::npos);
    const auto rows = ranking(visitor, "/classementelim.php");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_GT(rows[0].exact, 0);
    EXPECT_EQ(rows[0].points, 4 * rows[0].exact);
    EXPECT_TRUE(ranking(visitor).empty());
}

}  // namespace
