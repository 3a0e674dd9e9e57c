// The contest's accounts: registration and login with their limits, sessions, password changes, and the
// browsers a player logged in with before.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "site/contest/contest_types.h"
#include "site/contest/database.h"
#include "site/contest/limits.h"

namespace contest {

// Blanks around removed, runs of blanks made one.
std::string NormalizePseudonym(std::string_view pseudonym);
// The name under which a pseudonym is unique: "Bob" and "bob" are one player.
std::string PseudonymKey(std::string_view pseudonym);
// bytes random bytes as URL-safe base64.
std::string RandomToken(size_t bytes);
// Argon2id of the password with the options' cost (a few at a time, site-wide).
std::string HashPassword(const ContestOptions& options, std::string_view password);

class Accounts {
  public:
    Accounts(const std::filesystem::path& databaseFile, const ContestOptions& options, Attempts& attempts);

    LoginResult Login(std::string_view pseudonym, std::string_view password, std::string_view address,
                      std::int64_t now, std::string_view knownBrowser);
    std::optional<SessionInfo> Session(std::string_view token, std::int64_t now);
    void Logout(std::string_view token);
    PasswordChangeResult ChangePassword(std::int64_t playerId, std::string_view current,
                                        std::string_view next, std::string_view address,
                                        std::string_view keepToken, std::int64_t now);

  private:
    struct Account {
        std::int64_t id = 0;
        std::string passwordHash;
        std::int64_t createdAt = 0;
    };
    struct LoginAttempt;
    std::optional<Account> findAccount(const std::string& pseudonymKey);  // mutex_ held
    // Counts the attempt, or says in result how long it must wait (false).
    bool reserveLogin(LoginAttempt& a, std::string_view knownBrowser, LoginResult& result);
    void registerPlayer(LoginAttempt& a, std::string_view password, LoginResult& result);
    // Checks a known player's password (false: refused), hashing it again with today's parameters.
    bool checkPassword(LoginAttempt& a, std::string_view password, LoginResult& result);
    std::string openSession(std::int64_t playerId, std::int64_t now);  // the new session's token
    // A token naming this browser as one the player logged in with at `now`, signed with the site's key.
    std::string knownBrowserToken(std::int64_t playerId, std::int64_t now) const;
    // The key under which limits count this known browser; nothing when the token is not a valid one of
    // the account.
    std::optional<std::string> knownBrowserKey(std::string_view token, const Account& account,
                                               std::int64_t now) const;
    bool verifyPassword(const std::string& hash, std::string_view password) const;

    const ContestOptions& options_;
    Attempts& attempts_;
    std::mutex mutex_;  // the connection
    Database db_;
    std::string browserKey_;  // the site's key that signs known-browser tokens
};

}  // namespace contest
