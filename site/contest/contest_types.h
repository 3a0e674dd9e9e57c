// What the contest's parts take and give: its options and limits, and the outcomes of its calls.
#pragma once

#include <sodium.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "site/contest/scoring.h"
#include "site/contest/upload_reader.h"

namespace contest {

// How much of what the contest takes, so that one abuser is stopped while a crowd behind one address (a
// school, an office, a mobile operator) is not: 300 players from one address register and hand in their
// files in the hour before a kick-off. Counts are per `window` seconds.
struct LimitSettings {
    // Wrong passwords, over 15 minutes, before the next waits (30 s, doubled with each further one).
    std::int64_t failureWindow = 15 * 60;
    int pseudonymFailures = 10;        // for one pseudonym, from any address
    int pseudonymAddressFailures = 5;  // for one pseudonym from one address
    int addressFailures = 100;         // from one address, for any pseudonyms
    int knownBrowserFailures = 5;      // from one browser the player logged in with before
    int knownBrowserAddressFailures = 50;
    int changeAddressFailures = 5;  // wrong current passwords of one player's change, from one address
    int changeFailures = 20;        // of one player, from any address
    // Per hour.
    int addressRegistrations = 500;  // new pseudonyms from one address
    int allRegistrations = 3000;     // new pseudonyms, site-wide
    int playerUploads = 20;          // files of one player and contest
    int addressUploads = 1500;
    std::int64_t allUploadBytes = 256ll << 20;  // bytes of new files, site-wide
    // Storage: the database never grows past this, and the disk keeps this much free.
    std::int64_t databaseBytes = 4ll << 30;
    std::int64_t diskReserve = 256ll << 20;
    // Contact messages per day.
    int addressMessages = 10;
    int allMessages = 500;
};

// Which limit a call met, so that the page can say it in the visitor's language.
enum class LimitHit {
    None,
    PseudonymPasswords,            // too many wrong passwords for this pseudonym, from everywhere
    PseudonymAddressPasswords,     // ... for this pseudonym from this address
    AddressPasswords,              // ... from this address, whatever the pseudonyms
    KnownBrowserPasswords,         // ... from this known browser
    KnownBrowserAddressPasswords,  // ... from known browsers at this address
    ChangeAddressPasswords,        // too many wrong current passwords in changes from this address
    ChangePasswords,               // ... of this player, from everywhere
    AddressRegistrations,          // too many new pseudonyms from this address this hour
    AllRegistrations,              // too many new pseudonyms on the whole site this hour
    PlayerFiles,                   // too many files of this player this hour
    AddressFiles,                  // too many files from this address this hour
    AllFiles,                      // too many bytes handed in on the whole site this hour
    Storage,                       // the site's storage is full
    AddressMessages,               // too many contact messages from this address today
    AllMessages,                   // too many contact messages on the whole site today
};

struct ContestOptions {
    std::filesystem::path dataFolder;  // holds contest.sqlite and the published Zenkor2024.ini, Elim2024.ini
    // The qualifiers file shipped with the program, used while the site has published none.
    std::filesystem::path shippedQualifiers;
    // Argon2id cost; tests use the library's minimum.
    unsigned long long hashOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    size_t hashMemory = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    // The site's clock, UTC epoch seconds; the system clock when empty.
    std::function<std::int64_t()> clock;
    LimitSettings limits;
};

inline constexpr size_t kMaxPseudonym = 24;  // characters
inline constexpr size_t kMaxPassword = 128;  // bytes
inline constexpr std::int64_t kSessionSeconds = 30 * 24 * 3600;
// A browser the player logged in with is known this long after its last login.
inline constexpr std::int64_t kKnownBrowserSeconds = 400 * 24 * 3600;

// Why a pseudonym cannot be used (after trimming), as a code and in the system's own words ("" when it
// can); the pages say it from the code in the visitor's language.
enum class PseudonymIssue { None, Empty, Characters, TooLong };
PseudonymIssue CheckPseudonym(std::string_view pseudonym);
std::string PseudonymProblem(std::string_view pseudonym);

enum class LoginOutcome { Registered, LoggedIn, Refused, Invalid, Throttled, Busy };

struct LoginResult {
    LoginOutcome outcome = LoginOutcome::Refused;
    std::string message;              // for Refused, Invalid and Throttled, in the system's own words
    std::string token;                // the new session's token (cookie value) when registered or logged in
    std::int64_t retryAfter = 0;      // seconds, when throttled or busy
    bool newPseudonyms = false;       // throttled for registering too many
    LimitHit limit = LimitHit::None;  // when throttled
    // When registered or logged in: this browser's new known-browser token, to keep in a long-lived
    // cookie and give back to the next login (it spares the browser the limits others' guesses set).
    std::string knownBrowser;
    bool ok() const { return outcome == LoginOutcome::Registered || outcome == LoginOutcome::LoggedIn; }
};

struct SessionInfo {
    std::int64_t playerId = 0;
    std::string pseudonym;
    std::string csrfToken;
};

struct UploadResult {
    bool ok = false;
    std::string message;  // why the file was refused, in the system's own words (the page says it by reason)
    RefusalReason reason = RefusalReason::Empty;
    std::int64_t retryAfter = 0;      // seconds, when a limit was met
    LimitHit limit = LimitHit::None;  // which one
    int taken = 0;                    // matches whose prediction the file set
    int locked = 0;                   // matches already started, kept as they were
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
struct ContactResult {
    ContactStored stored = ContactStored::Stored;
    LimitHit limit = LimitHit::None;  // when too many
};

struct StoredMessage : ContactMessage {
    std::int64_t id = 0;
    std::int64_t receivedAt = 0;  // UTC epoch seconds
};

enum class PasswordChange { Changed, WrongPassword, Invalid, Throttled };
struct PasswordChangeResult {
    PasswordChange outcome = PasswordChange::WrongPassword;
    std::int64_t retryAfter = 0;      // seconds, when throttled
    LimitHit limit = LimitHit::None;  // when throttled by a limit (none: the site was busy)
};

}  // namespace contest
