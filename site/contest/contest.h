// The prediction contest as a service: accounts, sessions, uploads, points and rankings. Pure of HTTP;
// every call that depends on the time takes `now` (UTC epoch seconds). Safe to call from any thread.
#pragma once

#include <sodium.h>

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "site/contest/database.h"
#include "site/contest/scoring.h"
#include "site/contest/upload_reader.h"

namespace contest {

struct ContestOptions {
    std::filesystem::path dataFolder;  // holds contest.sqlite and the published Zenkor2024.ini, Elim2024.ini
    // The qualifiers file shipped with the program, used while the site has published none.
    std::filesystem::path shippedQualifiers;
    // Argon2id cost; tests use the library's minimum.
    unsigned long long hashOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    size_t hashMemory = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    // The site's clock, UTC epoch seconds; the system clock when empty.
    std::function<std::int64_t()> clock;
};

inline constexpr size_t kMaxPseudonym = 24;  // characters
inline constexpr size_t kMaxPassword = 128;  // bytes
inline constexpr std::int64_t kSessionSeconds = 30 * 24 * 3600;

// Why a pseudonym cannot be used (after trimming), as a code and as a French text ("" when it can).
enum class PseudonymIssue { None, Empty, Characters, TooLong };
PseudonymIssue CheckPseudonym(std::string_view pseudonym);
std::string PseudonymProblem(std::string_view pseudonym);

enum class LoginOutcome { Registered, LoggedIn, Refused, Invalid, Throttled, Busy };

struct LoginResult {
    LoginOutcome outcome = LoginOutcome::Refused;
    std::string message;          // for Refused, Invalid and Throttled
    std::string token;            // the new session's token (cookie value) when registered or logged in
    std::int64_t retryAfter = 0;  // seconds, when throttled or busy
    bool newPseudonyms = false;   // throttled for registering too many
    bool ok() const { return outcome == LoginOutcome::Registered || outcome == LoginOutcome::LoggedIn; }
};

struct SessionInfo {
    std::int64_t playerId = 0;
    std::string pseudonym;
    std::string csrfToken;
};

struct UploadResult {
    bool ok = false;
    std::string message;  // why the file was refused
    RefusalReason reason = RefusalReason::Empty;
    std::int64_t retryAfter = 0;  // seconds, when the player or the address sent too many
    int taken = 0;                // matches whose prediction the file set
    int locked = 0;               // matches already started, kept as they were
};

struct RankRow {
    int rank = 0;
    std::string pseudonym;
    int points = 0;
    int exact = 0;
    std::optional<int> previousRank;  // against the published results the current ones replaced
};

struct RankingSlice {
    std::vector<RankRow> rows;
    size_t total = 0;          // players ranked
    bool hasPrevious = false;  // the previous published results are known: rows show their movement
};

// Every player's prediction of one match, once it has started.
struct MatchEntry {
    int rank = 0;
    std::string pseudonym;
    Match predicted;
    int points = 0;
};

struct MatchCard {
    RealMatch real;
    bool started = false;  // predictions show from the kick-off on, never before
    size_t total = 0;      // players with a prediction for it
    std::vector<MatchEntry> rows;
};

// One match on a player's page: the real match beside the player's prediction.
struct PlayerMatch {
    RealMatch real;
    std::optional<Match> predicted;  // none when the player sent none, or while it is hidden
    bool hidden = false;             // another player's prediction before kick-off
    int points = 0;
};

struct PlayerUpload {
    std::int64_t at = 0;
    std::string fileName;
    int taken = 0;
};

struct PlayerCard {
    std::string pseudonym;
    std::optional<RankRow> rank;  // none until the player has sent a file
    int bonus = 0;                // points for teams in the right knockout round and the champion
    std::vector<PlayerMatch> matches;
    std::vector<PlayerUpload> uploads;  // only for the player themself
};

struct ContactMessage {
    std::string subject, name, email, message, address;
};
enum class ContactStored { Stored, TooMany };

struct StoredMessage : ContactMessage {
    std::int64_t id = 0;
    std::int64_t receivedAt = 0;  // UTC epoch seconds
};

enum class PasswordChange { Changed, WrongPassword, Invalid, Throttled };
struct PasswordChangeResult {
    PasswordChange outcome = PasswordChange::WrongPassword;
    std::int64_t retryAfter = 0;  // seconds, when throttled
};

// The owner's commands, on the data folder alone (the site may be serving it meanwhile). Both throw a
// DatabaseError when the folder holds no contest database.
std::vector<StoredMessage> ReadContactMessages(const std::filesystem::path& dataFolder);
// Gives the player a new random password, returned, and ends the player's sessions; nothing for an
// unknown pseudonym.
std::optional<std::string> ResetPassword(const ContestOptions& options, std::string_view pseudonym);

class Contest {
  public:
    explicit Contest(ContestOptions options);
    ~Contest();

    std::int64_t Now() const;
    const ContestOptions& options() const { return options_; }

    // A new pseudonym registers with the password; a known one must match it. Wrong passwords are limited
    // per address (IPv6 by /64) and per account, new pseudonyms per address.
    LoginResult Login(std::string_view pseudonym, std::string_view password, std::string_view address,
                      std::int64_t now);
    std::optional<SessionInfo> Session(std::string_view token, std::int64_t now);
    void Logout(std::string_view token);
    // The logged-in player's new password, once the current one checks out (failures count as failed
    // logins from the address); the player's other sessions end, keepToken's stays.
    PasswordChangeResult ChangePassword(std::int64_t playerId, std::string_view current,
                                        std::string_view next, std::string_view address,
                                        std::string_view keepToken, std::int64_t now);

    // At most a few files per player and hour, and per address; a file identical to the player's last one
    // stores nothing new.
    UploadResult Upload(std::int64_t playerId, Kind kind, std::string_view fileName, std::string_view bytes,
                        std::string_view address, std::int64_t now);

    // The ranking, best first: limit rows from offset. Never waits for a rescoring: a new published file
    // is read and everybody scored in the background, the previous ranking serving meanwhile.
    RankingSlice Ranking(Kind kind, size_t offset, size_t limit);
    std::vector<RankRow> Ranking(Kind kind, size_t limit = SIZE_MAX);
    size_t PlayerCount(Kind kind);
    std::optional<RankRow> RankOf(Kind kind, std::int64_t playerId);  // none until the player sent a file
    // Reads the published files now if they changed and scores everybody again (tests and benchmarks).
    void WaitForScores();
    // One match with the players' predictions in ranking order (limit from offset); nothing for a key
    // the published file does not have.
    std::optional<MatchCard> MatchPredictions(Kind kind, std::string_view key, std::int64_t now,
                                              size_t offset, size_t limit);
    // A player's page as viewerId sees it (0 for a visitor); nothing for an unknown pseudonym.
    std::optional<PlayerCard> Player(Kind kind, std::string_view pseudonym, std::int64_t viewerId,
                                     std::int64_t now);
    // The published matches of a contest.
    std::shared_ptr<const Results> Published(Kind kind);

    // A few messages a day per address (IPv6 by /64), and a bound on all of them.
    ContactStored StoreContactMessage(const ContactMessage& message, std::int64_t now);

  private:
    struct Board;
    Board& board(Kind kind);
    std::pair<std::filesystem::path, std::filesystem::path> publishedFiles(Kind kind) const;
    bool publishedChanged(Kind kind);
    void refresh(Kind kind);
    void recoverBrackets();
    void loadPredictions();
    void watch();
    void wakeWatcher();
    void rank(Board& b);
    void rescorePlayer(Board& b, std::int64_t playerId);
    std::vector<Match> predictionsOf(Kind kind, std::int64_t playerId);
    struct Account {
        std::int64_t id = 0;
        std::string passwordHash;
    };
    struct LoginAttempt;
    // The steps of Login. findAccount and loginWait want mutex_ held; the others take it.
    std::optional<Account> findAccount(const std::string& pseudonymKey);
    // Seconds before the next password of this address and account may be checked.
    std::int64_t loginWait(const std::string& from, const std::string& key, std::int64_t now);
    // Counts the attempt, or says in result how long it must wait (false).
    bool reserveLogin(LoginAttempt& a, LoginResult& result);
    void registerPlayer(LoginAttempt& a, std::string_view password, LoginResult& result);
    // Checks a known player's password (false: refused), hashing it again with today's parameters.
    bool checkPassword(LoginAttempt& a, std::string_view password, LoginResult& result);
    std::string openSession(std::int64_t playerId, std::int64_t now);  // the new session's token
    // The steps of Upload, with mutex_ held.
    std::int64_t uploadWait(std::int64_t playerId, Kind kind, const std::string& from, std::int64_t now);
    bool sameAsLastUpload(std::int64_t playerId, Kind kind, std::string_view bytes);
    // The file, kept as sent; its id.
    std::int64_t storeUpload(std::int64_t playerId, Kind kind, std::string_view fileName,
                             std::string_view bytes, const std::string& from, std::int64_t now);
    // Counts in result the matches taken and locked, and keeps them under uploadId (none: the same file
    // as the last, kept already).
    void keepPredictions(std::int64_t playerId, Kind kind, const std::vector<Match>& predictions,
                         const Results& published, std::int64_t now, std::int64_t uploadId,
                         UploadResult& result);
    // Seconds before the next login to value (an address key or an account) may be checked.
    std::int64_t failureWait(const char* column, const std::string& value, int free, std::int64_t now);
    std::int64_t noteAttempt(const char* kind, const std::string& address, const std::string& account,
                             bool failed, std::int64_t now);
    void passAttempt(std::int64_t id);    // the password was right: no failure
    void forgetAttempt(std::int64_t id);  // never checked: it does not count
    std::string hashPassword(std::string_view password) const;
    bool verifyPassword(const std::string& hash, std::string_view password) const;

    ContestOptions options_;
    std::mutex mutex_;  // the connection and the boards
    std::unique_ptr<Database> db_;
    std::unique_ptr<Board> boards_[2];
    Names keys_, teams_;  // of both boards, under mutex_

    std::mutex watchMutex_;
    std::condition_variable watchWake_;
    bool wake_ = false, stopping_ = false;
    std::thread watcher_;  // reads new published files and scores everybody again
};

}  // namespace contest
