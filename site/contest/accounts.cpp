#include "site/contest/accounts.h"

#include <sodium.h>

#include <charconv>
#include <chrono>
#include <semaphore>
#include <stdexcept>

#include "platform/text.h"
#include "site/client_address.h"
#include "site/contest/contest.h"

namespace contest {

namespace fs = std::filesystem;

namespace {

// Hashing takes tens of megabytes for tens of milliseconds: a few at a time, whatever the worker count;
// a login that finds no slot for a while is asked to come back rather than holding its worker.
constexpr std::chrono::seconds kHashWait{3};
std::counting_semaphore<3>& hashSlots() {
    static std::counting_semaphore<3> slots(3);
    return slots;
}

struct SlotGuard {
    bool taken = hashSlots().try_acquire_for(kHashWait);
    ~SlotGuard() {
        if (taken) hashSlots().release();
    }
};

struct Busy {};
constexpr std::int64_t kBusyRetry = 10;    // seconds before a login that found no hashing slot comes back
constexpr std::int64_t kClockSlack = 300;  // a known-browser token issued this far ahead of now still holds
constexpr std::string_view kBrowserPrefix = "k1.";

// Decodes one UTF-8 code point at s[i], advancing i; -1 for a malformed sequence.
long nextCodePoint(std::string_view s, size_t& i) {
    const auto c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
    if (more < 0 || c > 0xF4) return -1;
    long cp = c & (0x3F >> more);
    while (more-- > 0) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

bool allowedInPseudonym(long cp) {
    if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9')) return true;
    if (cp == ' ' || cp == '-' || cp == '_' || cp == '.') return true;
    // Latin letters with accents; nothing invisible, no look-alike from other scripts.
    return cp >= 0xC0 && cp <= 0x24F && cp != 0xD7 && cp != 0xF7;
}

// Only this hash of a session token is stored, so the database holds no live session.
std::string tokenHash(std::string_view token) {
    std::string hash(crypto_generichash_BYTES, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(hash.data()), hash.size(),
                       reinterpret_cast<const unsigned char*>(token.data()), token.size(), nullptr, 0);
    return hash;
}

std::string browserMessage(std::int64_t playerId, std::int64_t issued) {
    return "known-browser:" + std::to_string(playerId) + ":" + std::to_string(issued);
}

// Why this pseudonym and password cannot be tried at all; empty when they can.
std::string loginProblem(std::string_view pseudonym, std::string_view password) {
    if (std::string problem = PseudonymProblem(pseudonym); !problem.empty()) return problem;
    if (password.empty()) {
        return "the password is empty";
    }
    if (password.size() > kMaxPassword) {
        return "the password is longer than " + std::to_string(kMaxPassword) + " bytes";
    }
    return {};
}

std::unique_ptr<Database> openExisting(const fs::path& dataFolder) {
    const fs::path file = dataFolder / "contest.sqlite";
    if (!fs::exists(file)) throw DatabaseError("no contest database in " + dataFolder.string());
    return std::make_unique<Database>(file);
}

}  // namespace

std::string NormalizePseudonym(std::string_view pseudonym) {
    std::string out;
    for (char c : platform::Trim(pseudonym)) {
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

std::string PseudonymKey(std::string_view pseudonym) {
    std::string key = NormalizePseudonym(pseudonym);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

std::string RandomToken(size_t bytes) {
    std::string raw(bytes, '\0');
    randombytes_buf(raw.data(), raw.size());
    std::string out(sodium_base64_ENCODED_LEN(bytes, sodium_base64_VARIANT_URLSAFE_NO_PADDING), '\0');
    sodium_bin2base64(out.data(), out.size(), reinterpret_cast<const unsigned char*>(raw.data()), raw.size(),
                      sodium_base64_VARIANT_URLSAFE_NO_PADDING);
    out.resize(std::char_traits<char>::length(out.c_str()));
    return out;
}

std::string HashPassword(const ContestOptions& options, std::string_view password) {
    char hash[crypto_pwhash_STRBYTES];
    SlotGuard slot;
    if (!slot.taken) throw Busy{};
    if (crypto_pwhash_str(hash, password.data(), password.size(), options.hashOps, options.hashMemory) != 0) {
        throw std::runtime_error("out of memory while hashing a password");
    }
    return hash;
}

PseudonymIssue CheckPseudonym(std::string_view pseudonym) {
    const std::string p = NormalizePseudonym(pseudonym);
    if (p.empty()) return PseudonymIssue::Empty;
    size_t count = 0;
    for (size_t i = 0; i < p.size();) {
        const long cp = nextCodePoint(p, i);
        if (cp < 0 || !allowedInPseudonym(cp)) return PseudonymIssue::Characters;
        ++count;
    }
    return count > kMaxPseudonym ? PseudonymIssue::TooLong : PseudonymIssue::None;
}

std::string PseudonymProblem(std::string_view pseudonym) {
    switch (CheckPseudonym(pseudonym)) {
        case PseudonymIssue::None:
            return {};
        case PseudonymIssue::Empty:
            return "the pseudonym is empty";
        case PseudonymIssue::Characters:
            return "the pseudonym holds other signs than letters, digits, spaces and - _ .";
        case PseudonymIssue::TooLong:
            return "the pseudonym is longer than " + std::to_string(kMaxPseudonym) + " characters";
    }
    return {};
}

Accounts::Accounts(const fs::path& databaseFile, const ContestOptions& options, Attempts& attempts)
    : options_(options), attempts_(attempts), db_(databaseFile, Database::Opening::Another) {
    // The site's own key, made once: tokens signed with it stay valid across restarts.
    std::string key(crypto_auth_KEYBYTES, '\0');
    crypto_auth_keygen(reinterpret_cast<unsigned char*>(key.data()));
    Statement make(db_, "INSERT OR IGNORE INTO site_keys(name, value) VALUES('known-browser', ?)");
    make.bindBlob(1, key).run();
    Statement read(db_, "SELECT value FROM site_keys WHERE name = 'known-browser'");
    if (!read.step() || read.text(0).size() != crypto_auth_KEYBYTES)
        throw DatabaseError("the site's signing key is damaged");
    browserKey_ = read.text(0);
}

bool Accounts::verifyPassword(const std::string& hash, std::string_view password) const {
    SlotGuard slot;
    if (!slot.taken) throw Busy{};
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string Accounts::knownBrowserToken(std::int64_t playerId, std::int64_t now) const {
    const std::string message = browserMessage(playerId, now);
    unsigned char mac[crypto_auth_BYTES];
    crypto_auth(mac, reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                reinterpret_cast<const unsigned char*>(browserKey_.data()));
    std::string encoded(sodium_base64_ENCODED_LEN(sizeof mac, sodium_base64_VARIANT_URLSAFE_NO_PADDING),
                        '\0');
    sodium_bin2base64(encoded.data(), encoded.size(), mac, sizeof mac,
                      sodium_base64_VARIANT_URLSAFE_NO_PADDING);
    encoded.resize(std::char_traits<char>::length(encoded.c_str()));
    return std::string(kBrowserPrefix) + std::to_string(playerId) + "." + std::to_string(now) + "." + encoded;
}

std::optional<std::string> Accounts::knownBrowserKey(std::string_view token, const Account& account,
                                                     std::int64_t now) const {
    if (token.size() > 200 || token.substr(0, kBrowserPrefix.size()) != kBrowserPrefix) return std::nullopt;
    token.remove_prefix(kBrowserPrefix.size());
    const size_t dot1 = token.find('.'), dot2 = token.find('.', dot1 + 1);
    if (dot1 == std::string_view::npos || dot2 == std::string_view::npos) return std::nullopt;
    std::int64_t player = 0, issued = 0;
    const auto number = [](std::string_view text, std::int64_t& value) {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        return ec == std::errc() && end == text.data() + text.size();
    };
    if (!number(token.substr(0, dot1), player) || !number(token.substr(dot1 + 1, dot2 - dot1 - 1), issued))
        return std::nullopt;
    // Another player's, too old, or from before this account was made (a pseudonym made again).
    if (player != account.id || issued > now + kClockSlack || now - issued > kKnownBrowserSeconds ||
        issued < account.createdAt)
        return std::nullopt;
    const std::string_view encoded = token.substr(dot2 + 1);
    unsigned char mac[crypto_auth_BYTES];
    size_t length = 0;
    if (sodium_base642bin(mac, sizeof mac, encoded.data(), encoded.size(), nullptr, &length, nullptr,
                          sodium_base64_VARIANT_URLSAFE_NO_PADDING) != 0 ||
        length != sizeof mac)
        return std::nullopt;
    const std::string message = browserMessage(player, issued);
    if (crypto_auth_verify(mac, reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                           reinterpret_cast<const unsigned char*>(browserKey_.data())) != 0)
        return std::nullopt;
    return std::to_string(player) + ":" + std::to_string(issued);
}

// One login (or registration) on its way through the steps of Accounts::Login.
struct Accounts::LoginAttempt {
    std::string pseudonym, key, from;  // the pseudonym as stored, its key, the address's key
    std::int64_t now = 0;
    std::optional<Account> account;  // none: a new pseudonym
    std::int64_t attempt = 0;        // the row that counts it
};

LoginResult Accounts::Login(std::string_view pseudonymIn, std::string_view password, std::string_view address,
                            std::int64_t now, std::string_view knownBrowser) {
    LoginResult result;
    if (std::string problem = loginProblem(pseudonymIn, password); !problem.empty()) {
        result.outcome = LoginOutcome::Invalid;
        result.message = std::move(problem);
        return result;
    }
    LoginAttempt a;
    a.pseudonym = NormalizePseudonym(pseudonymIn);
    a.key = PseudonymKey(a.pseudonym);
    a.from = site::AddressKey(address);
    a.now = now;
    if (!reserveLogin(a, knownBrowser, result)) return result;
    try {
        if (!a.account) registerPlayer(a, password, result);
        if (result.outcome != LoginOutcome::Registered && !checkPassword(a, password, result)) return result;
    } catch (const Busy&) {
        // Not the visitor's failure: the attempt does not count.
        if (result.outcome != LoginOutcome::Registered && result.outcome != LoginOutcome::LoggedIn) {
            attempts_.Forget(a.attempt);
            result.outcome = LoginOutcome::Busy;
            result.retryAfter = kBusyRetry;
            return result;
        }
    }
    result.token = openSession(a.account->id, now);
    result.knownBrowser = knownBrowserToken(a.account->id, now);
    return result;
}

std::optional<Accounts::Account> Accounts::findAccount(const std::string& key) {
    Statement find(db_, "SELECT id, password_hash, created_at FROM players WHERE pseudonym_key = ?");
    find.bind(1, key);
    if (!find.step()) return std::nullopt;
    return Account{find.integer(0), find.text(1), find.integer(2)};
}

bool Accounts::reserveLogin(LoginAttempt& a, std::string_view knownBrowser, LoginResult& result) {
    {
        std::lock_guard lock(mutex_);
        a.account = findAccount(a.key);
    }
    Wait wait;
    if (a.account) {
        const std::optional<std::string> browser = knownBrowserKey(knownBrowser, *a.account, a.now);
        a.attempt = attempts_.ReserveTry(browser ? Attempts::Path::KnownBrowser : Attempts::Path::Login,
                                         a.key, a.from, browser.value_or(""), a.now, wait);
    } else {
        a.attempt = attempts_.ReserveRegistration(a.from, a.now, wait);
        result.newPseudonyms = static_cast<bool>(wait);
    }
    if (!wait) return true;
    result.outcome = LoginOutcome::Throttled;
    result.retryAfter = wait.seconds;
    result.limit = wait.limit;
    return false;
}

void Accounts::registerPlayer(LoginAttempt& a, std::string_view password, LoginResult& result) {
    const std::string hash = HashPassword(options_, password);
    std::lock_guard lock(mutex_);
    Statement insert(
        db_,
        "INSERT INTO players(pseudonym, pseudonym_key, password_hash, created_at) VALUES(?, ?, ?, ?) "
        "ON CONFLICT(pseudonym_key) DO NOTHING");
    insert.bind(1, a.pseudonym).bind(2, a.key).bind(3, hash).bind(4, a.now).run();
    if (db_.changes() == 1) {
        result.outcome = LoginOutcome::Registered;
        a.account = Account{db_.lastInsertId(), hash, a.now};
    } else {
        // Someone registered the same pseudonym in between: theirs it is, and this is a login to it.
        a.account = findAccount(a.key);
        a.attempt = attempts_.NoteFailedTry(Attempts::Path::Login, a.key, a.from, a.now);
    }
}

bool Accounts::checkPassword(LoginAttempt& a, std::string_view password, LoginResult& result) {
    if (!a.account || !verifyPassword(a.account->passwordHash, password)) {
        result.outcome = LoginOutcome::Refused;
        result.message = "wrong pseudonym or password";
        return false;  // the attempt stays counted as failed
    }
    result.outcome = LoginOutcome::LoggedIn;
    attempts_.Passed(a.attempt);
    if (crypto_pwhash_str_needs_rehash(a.account->passwordHash.c_str(), options_.hashOps,
                                       options_.hashMemory) != 0) {
        const std::string hash = HashPassword(options_, password);
        std::lock_guard lock(mutex_);
        Statement update(db_, "UPDATE players SET password_hash = ? WHERE id = ?");
        update.bind(1, hash).bind(2, a.account->id).run();
    }
    return true;
}

std::string Accounts::openSession(std::int64_t playerId, std::int64_t now) {
    std::string token = RandomToken(32);
    std::lock_guard lock(mutex_);
    Statement expired(db_, "DELETE FROM sessions WHERE expires_at <= ?");
    expired.bind(1, now).run();
    Statement session(db_,
                      "INSERT INTO sessions(token_hash, player_id, csrf_token, created_at, expires_at) "
                      "VALUES(?, ?, ?, ?, ?)");
    session.bindBlob(1, tokenHash(token))
        .bind(2, playerId)
        .bind(3, RandomToken(16))
        .bind(4, now)
        .bind(5, now + kSessionSeconds)
        .run();
    return token;
}

std::optional<SessionInfo> Accounts::Session(std::string_view token, std::int64_t now) {
    if (token.empty() || token.size() > 100) return std::nullopt;
    std::lock_guard lock(mutex_);
    Statement st(
        db_,
        "SELECT s.player_id, p.pseudonym, s.csrf_token FROM sessions s JOIN players p ON p.id = s.player_id "
        "WHERE s.token_hash = ? AND s.expires_at > ?");
    st.bindBlob(1, tokenHash(token)).bind(2, now);
    if (!st.step()) return std::nullopt;
    return SessionInfo{st.integer(0), st.text(1), st.text(2)};
}

void Accounts::Logout(std::string_view token) {
    std::lock_guard lock(mutex_);
    Statement st(db_, "DELETE FROM sessions WHERE token_hash = ?");
    st.bindBlob(1, tokenHash(token)).run();
}

PasswordChangeResult Accounts::ChangePassword(std::int64_t playerId, std::string_view current,
                                              std::string_view next, std::string_view address,
                                              std::string_view keepToken, std::int64_t now) {
    PasswordChangeResult result;
    if (next.empty() || next.size() > kMaxPassword) {
        result.outcome = PasswordChange::Invalid;
        return result;
    }
    // Counted for the visitor who asks (the address given), per player and per player and address: a
    // player's slip, or another's guesses, never stop someone else's right change.
    const std::string from = site::AddressKey(address);
    std::string hash, key;
    {
        std::lock_guard lock(mutex_);
        Statement find(db_, "SELECT password_hash, pseudonym_key FROM players WHERE id = ?");
        find.bind(1, playerId);
        if (find.step()) {
            hash = find.text(0);
            key = find.text(1);
        }
    }
    Wait wait;
    const std::int64_t attempt = attempts_.ReserveTry(Attempts::Path::Change, key, from, "", now, wait);
    if (wait) {
        result.outcome = PasswordChange::Throttled;
        result.retryAfter = wait.seconds;
        result.limit = wait.limit;
        return result;
    }
    std::string newHash;
    try {
        if (hash.empty() || current.size() > kMaxPassword || !verifyPassword(hash, current)) return result;
        attempts_.Passed(attempt);
        newHash = HashPassword(options_, next);
    } catch (const Busy&) {
        attempts_.Forget(attempt);
        result.outcome = PasswordChange::Throttled;
        result.retryAfter = kBusyRetry;
        return result;
    }
    std::lock_guard lock(mutex_);
    Transaction tx(db_);
    Statement update(db_, "UPDATE players SET password_hash = ? WHERE id = ?");
    update.bind(1, newHash).bind(2, playerId).run();
    Statement others(db_, "DELETE FROM sessions WHERE player_id = ? AND token_hash <> ?");
    others.bind(1, playerId).bindBlob(2, tokenHash(keepToken)).run();
    tx.commit();
    result.outcome = PasswordChange::Changed;
    return result;
}

std::optional<std::string> ResetPassword(const ContestOptions& options, std::string_view pseudonym) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
    const auto db = openExisting(options.dataFolder);
    Statement find(*db, "SELECT id FROM players WHERE pseudonym_key = ?");
    find.bind(1, PseudonymKey(pseudonym));
    if (!find.step()) return std::nullopt;
    const std::int64_t id = find.integer(0);
    const std::string password = RandomToken(9);  // 12 signs the player can type
    const std::string hash = HashPassword(options, password);
    Transaction tx(*db);
    Statement update(*db, "UPDATE players SET password_hash = ? WHERE id = ?");
    update.bind(1, hash).bind(2, id).run();
    Statement sessions(*db, "DELETE FROM sessions WHERE player_id = ?");
    sessions.bind(1, id).run();
    tx.commit();
    return password;
}

std::optional<RemovedPlayer> RemovePlayer(const fs::path& dataFolder, std::string_view pseudonym) {
    const auto db = openExisting(dataFolder);
    Transaction tx(*db);
    Statement find(*db, "SELECT id, pseudonym, pseudonym_key FROM players WHERE pseudonym_key = ?");
    find.bind(1, PseudonymKey(pseudonym));
    if (!find.step()) return std::nullopt;
    RemovedPlayer removed;
    const std::int64_t id = find.integer(0);
    removed.pseudonym = find.text(1);
    const std::string key = find.text(2);
    Statement files(*db, "SELECT COUNT(*) FROM uploads WHERE player_id = ?");
    files.bind(1, id);
    removed.files = files.step() ? static_cast<int>(files.integer(0)) : 0;
    // Sessions, files, predictions and brackets go with the player (ON DELETE CASCADE).
    Statement player(*db, "DELETE FROM players WHERE id = ?");
    player.bind(1, id).run();
    Statement tries(*db, "DELETE FROM attempts WHERE account = ?");
    tries.bind(1, key).run();
    tx.commit();
    return removed;
}

}  // namespace contest
