// The contest's limits: how many password tries, new pseudonyms and files, counted per account and per
// address in the attempts table (kept a day), and how much storage is left.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>

#include "site/contest/contest_types.h"
#include "site/contest/database.h"

namespace contest {

// A limit met: which, and the seconds before the next try may go.
struct Wait {
    LimitHit limit = LimitHit::None;
    std::int64_t seconds = 0;
    explicit operator bool() const { return seconds > 0; }
};

// The wait when n happened in the last `period` (the first at `first`) and `allowed` may: 0 while room
// is left.
Wait WaitForRoom(LimitHit limit, std::int64_t n, std::int64_t first, int allowed, std::int64_t period,
                 std::int64_t now);
// The longer of two waits.
Wait Longer(const Wait& a, const Wait& b);

// A wait when the database has reached its bound or the disk its reserve.
Wait StorageWait(Database& db, const std::filesystem::path& dataFolder, const LimitSettings& limits);

// Counts one attempt of kind from address for account; its row.
std::int64_t NoteAttempt(Database& db, std::string_view kind, const std::string& address,
                         const std::string& account, bool failed, std::int64_t now);

// Password tries and registrations. A try is counted (as failed) and its limits checked in one locked
// step before its password is hashed: however many come at once, no more than the limits allow get
// their password checked.
class Attempts {
  public:
    enum class Path {
        Login,         // a login with the pseudonym and password alone
        KnownBrowser,  // a login from a browser the player logged in with before
        Change,        // the current password of a logged-in player's change
    };
    Attempts(const std::filesystem::path& databaseFile, const ContestOptions& options);

    // Reserves a try of the account (a pseudonym key) from the address (a key of site::AddressKey);
    // browser names the known browser on that path. The reserved row, or 0 with the limit met in wait.
    std::int64_t ReserveTry(Path path, const std::string& account, const std::string& address,
                            const std::string& browser, std::int64_t now, Wait& wait);
    // Counts a failed try without checking (a registration that turned out to be a login).
    std::int64_t NoteFailedTry(Path path, const std::string& account, const std::string& address,
                               std::int64_t now);
    // Reserves a new pseudonym's registration from the address, within the site's storage.
    std::int64_t ReserveRegistration(const std::string& address, std::int64_t now, Wait& wait);
    void Passed(std::int64_t id);  // the password was right: no failure
    void Forget(std::int64_t id);  // never checked: it does not count

  private:
    Wait registrationWait(const char* where, const std::string* address, LimitHit limit, int room,
                          std::int64_t now);
    Wait failureWait(const char* kind, const char* where, const std::string& value,
                     const std::string* address, int free, LimitHit limit, std::int64_t now);

    const ContestOptions& options_;
    const LimitSettings& limits_;
    std::mutex mutex_;  // the connection; a check and its count go together
    Database db_;
};

}  // namespace contest
