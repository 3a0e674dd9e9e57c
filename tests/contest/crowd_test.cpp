// The contest service with its clock as a parameter, as a real crowd meets it: a school behind one
// address, a guesser who tries to lock a player out, files whose score boxes are empty, and each limit
// saying which it is.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ini.h"
#include "site/contest/contest.h"
#include "tests/support/fakes.h"

namespace {

namespace fs = std::filesystem;
using contest::Kind;
using contest::LimitHit;
using contest::LoginOutcome;

constexpr std::int64_t kOpeningKickoff = 1718391600;  // 14 June 2024, 19:00 UTC
constexpr std::int64_t kHourBefore = kOpeningKickoff - 3600;

std::string dataFile(const std::string& name) {
    return platform::ReadFileBytes(fs::path(ZENKOR_DATA_DIR) / name).value_or("");
}

class Crowd : public testing::Test {
  protected:
    Crowd() {
        fs::create_directories(data_);
        (void)platform::WriteFileAtomically(data_ / "Zenkor2024.ini", dataFile("site/Zenkor2024.ini"));
        options_.dataFolder = data_;
        options_.hashOps = crypto_pwhash_OPSLIMIT_MIN;
        options_.hashMemory = crypto_pwhash_MEMLIMIT_MIN;
    }
    // A registered player's id.
    std::int64_t join(contest::Contest& c, const std::string& pseudonym, const std::string& address,
                      std::int64_t now) {
        const auto r = c.Login(pseudonym, "pw-" + pseudonym, address, now);
        EXPECT_EQ(r.outcome, LoginOutcome::Registered) << pseudonym;
        const auto session = c.Session(r.token, now);
        return session ? session->playerId : 0;
    }
    testing_support::Sandbox box_;
    fs::path data_ = box_.folder() / "site-data";
    contest::ContestOptions options_;
};

TEST_F(Crowd, ThreeHundredPupilsBehindOneAddressRegisterAndHandInTheirFilesInTheHourBeforeAKickoff) {
    contest::Contest c(options_);
    const std::string school = "192.0.2.10";
    const std::string file = dataFile("site/Zenkor2024.ini");
    for (int i = 0; i < 300; ++i) {
        const std::int64_t now = kHourBefore + i * 10;
        const std::int64_t id = join(c, "Eleve " + std::to_string(i), school, now);
        ASSERT_NE(id, 0) << i;
        const auto sent = c.Upload(id, Kind::Tournament, "Zenkor2024.ini", file, school, now + 5);
        ASSERT_TRUE(sent.ok) << i << " " << static_cast<int>(sent.limit);
        EXPECT_EQ(sent.taken, 51);
    }
    EXPECT_EQ(c.PlayerCount(Kind::Tournament), 300u);
    // A pupil who mistyped does not stop the others: one more still logs in from the school.
    EXPECT_EQ(c.Login("Eleve 7", "wrong", school, kOpeningKickoff - 1).outcome, LoginOutcome::Refused);
    EXPECT_EQ(c.Login("Eleve 8", "pw-Eleve 8", school, kOpeningKickoff - 1).outcome, LoginOutcome::LoggedIn);
}

TEST_F(Crowd, AfterGuessesFromTwelveAddressesThePlayersOwnBrowserLogsInAtOnceAndTheGuesserStaysLimited) {
    contest::Contest c(options_);
    const std::int64_t now = kHourBefore;
    const auto first = c.Login("Victime", "right", "198.51.100.1", now - 86400);
    ASSERT_EQ(first.outcome, LoginOutcome::Registered);
    ASSERT_FALSE(first.knownBrowser.empty());
    const std::int64_t victim = c.Session(first.token, now)->playerId;
    const auto other = c.Login("Autre", "other", "198.51.100.2", now - 86400);

    for (int i = 1; i <= 12; ++i)
        EXPECT_NE(c.Login("Victime", "guess", "203.0.113." + std::to_string(i), now).outcome,
                  LoginOutcome::LoggedIn);
    // Without the browser's token the right password waits, wherever it comes from.
    auto r = c.Login("Victime", "right", "198.51.100.1", now);
    EXPECT_EQ(r.outcome, LoginOutcome::Throttled);
    EXPECT_EQ(r.limit, LimitHit::PseudonymPasswords);
    // The browser the player logged in with logs in at once, at home or elsewhere, and is renewed.
    r = c.Login("Victime", "right", "198.51.100.1", now, first.knownBrowser);
    ASSERT_EQ(r.outcome, LoginOutcome::LoggedIn);
    EXPECT_FALSE(r.knownBrowser.empty());
    EXPECT_EQ(c.Login("victime", "right", "192.0.2.99", now + 1, r.knownBrowser).outcome,
              LoginOutcome::LoggedIn);
    // Its session changes the password, whatever the guessers did.
    EXPECT_EQ(c.ChangePassword(victim, "right", "n3w", "198.51.100.1", r.token, now + 2).outcome,
              contest::PasswordChange::Changed);

    // Another player's token, an altered one or one made up are no known browser.
    std::string altered = first.knownBrowser;
    altered.back() = altered.back() == 'A' ? 'B' : 'A';
    for (const std::string& token :
         {other.knownBrowser, altered, std::string("k1.1.") + std::to_string(now) + ".AAAA",
          std::string("x")}) {
        EXPECT_EQ(c.Login("Victime", "n3w", "203.0.113.50", now + 3, token).outcome, LoginOutcome::Throttled)
            << token;
    }
    // A known browser that guesses meets its own limit.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c.Login("Victime", "guess", "198.51.100.1", now + 4, first.knownBrowser).outcome,
                  LoginOutcome::Refused);
    r = c.Login("Victime", "n3w", "198.51.100.1", now + 4, first.knownBrowser);
    EXPECT_EQ(r.outcome, LoginOutcome::Throttled);
    EXPECT_EQ(r.limit, LimitHit::KnownBrowserPasswords);
}

TEST_F(Crowd, AFileOfEmptyScoreBoxesPredictsNothing) {
    contest::Contest c(options_);
    const std::int64_t empty = join(c, "Vide", "192.0.2.1", kHourBefore);
    const std::int64_t full = join(c, "Plein", "192.0.2.2", kHourBefore);
    // The file as the program ships it: every box "-".
    auto sent = c.Upload(empty, Kind::Tournament, "Zenkor2024.ini", dataFile("Zenkor2024.ini"), "192.0.2.1",
                         kHourBefore);
    ASSERT_TRUE(sent.ok);
    EXPECT_EQ(sent.taken, 0);
    // Boxes left empty in a full file: those matches are no prediction, and clear an earlier one.
    std::string file = dataFile("site/Zenkor2024.ini");
    ASSERT_EQ(c.Upload(full, Kind::Tournament, "Zenkor2024.ini", file, "192.0.2.2", kHourBefore).taken, 51);
    file = platform::IniAssign(file, "ButA", "0", "", platform::IniEncoding::Cp1252);
    file = platform::IniAssign(file, "ButA", "1", "", platform::IniEncoding::Cp1252);
    EXPECT_EQ(c.Upload(full, Kind::Tournament, "Zenkor2024.ini", file, "192.0.2.2", kHourBefore + 1).taken,
              50);

    const auto opening = c.MatchPredictions(Kind::Tournament, "A0", kOpeningKickoff + 60, 0, 100);
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->total, 0u);
    const auto next = c.MatchPredictions(Kind::Tournament, "A2", kOpeningKickoff + 86400 * 5, 0, 100);
    ASSERT_TRUE(next);
    ASSERT_EQ(next->total, 1u);
    EXPECT_EQ(next->rows[0].pseudonym, "Plein");
    // The empty file's sender is ranked with nothing: no bracket, no champion.
    const auto rank = c.RankOf(Kind::Tournament, empty);
    ASSERT_TRUE(rank);
    EXPECT_EQ(rank->points, 0);
    const auto card = c.Player(Kind::Tournament, "Vide", empty, kHourBefore);
    ASSERT_TRUE(card);
    for (const auto& m : card->matches) EXPECT_FALSE(m.predicted) << m.real.key;
}

TEST_F(Crowd, EachLimitSaysWhichItIs) {
    options_.limits.addressRegistrations = 2;
    options_.limits.allRegistrations = 4;
    options_.limits.playerUploads = 2;
    options_.limits.addressUploads = 3;
    contest::Contest c(options_);
    const std::int64_t now = kHourBefore;
    const std::int64_t a = join(c, "A", "192.0.2.1", now);
    join(c, "B", "192.0.2.1", now);
    auto r = c.Login("C", "pw", "192.0.2.1", now);
    EXPECT_EQ(r.outcome, LoginOutcome::Throttled);
    EXPECT_EQ(r.limit, LimitHit::AddressRegistrations);
    EXPECT_TRUE(r.newPseudonyms);
    EXPECT_GT(r.retryAfter, 0);
    const std::int64_t d = join(c, "D", "192.0.2.2", now);
    join(c, "E", "192.0.2.3", now);
    EXPECT_EQ(c.Login("F", "pw", "192.0.2.4", now).limit, LimitHit::AllRegistrations);

    const std::string file = dataFile("site/Zenkor2024.ini");
    const auto send = [&](std::int64_t player, int n, const std::string& address) {
        return c.Upload(player, Kind::Tournament, "Zenkor2024.ini", file + "; " + std::to_string(n) + "\r\n",
                        address, now);
    };
    EXPECT_TRUE(send(a, 1, "192.0.2.1").ok);
    EXPECT_TRUE(send(a, 2, "192.0.2.1").ok);
    auto u = send(a, 3, "192.0.2.9");
    EXPECT_EQ(u.limit, LimitHit::PlayerFiles);
    EXPECT_GT(u.retryAfter, 0);
    EXPECT_TRUE(send(d, 1, "192.0.2.1").ok);
    EXPECT_EQ(send(d, 2, "192.0.2.1").limit, LimitHit::AddressFiles);

    for (int i = 0; i < 5; ++i) c.Login("A", "guess", "192.0.2.1", now);
    EXPECT_EQ(c.Login("A", "pw-A", "192.0.2.1", now).limit, LimitHit::PseudonymAddressPasswords);
    // Wrong current passwords in a change count for that player from that address, not for another
    // visitor of the same player's account elsewhere.
    const auto session = c.Login("D", "pw-D", "192.0.2.2", now);
    for (int i = 0; i < 5; ++i) c.ChangePassword(d, "guess", "x", "192.0.2.7", session.token, now);
    EXPECT_EQ(c.ChangePassword(d, "pw-D", "x", "192.0.2.7", session.token, now).limit,
              LimitHit::ChangeAddressPasswords);
    EXPECT_EQ(c.ChangePassword(d, "pw-D", "n3w", "192.0.2.2", session.token, now).outcome,
              contest::PasswordChange::Changed);
    for (int i = 0; i < 10; ++i) c.StoreContactMessage({"", "", "", "Bonjour", "192.0.2.1"}, now);
    EXPECT_EQ(c.StoreContact({"", "", "", "Encore", "192.0.2.1"}, now).limit, LimitHit::AddressMessages);
}

TEST_F(Crowd, AFullStorageTakesNoNewPlayerNorFile) {
    options_.limits.databaseBytes = 1;
    contest::Contest c(options_);
    auto r = c.Login("Nouveau", "pw", "192.0.2.1", kHourBefore);
    EXPECT_EQ(r.outcome, LoginOutcome::Throttled);
    EXPECT_EQ(r.limit, LimitHit::Storage);
}

}  // namespace
