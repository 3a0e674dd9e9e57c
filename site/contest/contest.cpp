#include "site/contest/contest.h"

#include <sodium.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <semaphore>
#include <stdexcept>
#include <unordered_map>

#include "platform/ini.h"
#include "platform/text.h"
#include "site/client_address.h"
#include "site/contest/upload_reader.h"

namespace contest {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kFailureWindow = 15 * 60;  // failed logins counted over this time
constexpr int kFreeAddressFailures = 5;           // before an address is slowed down
constexpr int kFreeAccountFailures = 10;          // before an account is, whatever the addresses
constexpr std::int64_t kFirstWait = 30;           // doubled with every further failure
constexpr std::int64_t kLongestWait = 15 * 60;
constexpr std::int64_t kAttemptsKept = 24 * 3600;
constexpr int kRegistrationsPerHour = 20;  // per address
constexpr int kUploadsPerHour = 20;        // per player and contest
constexpr int kAddressUploadsPerHour = 60;
constexpr int kContactPerDay = 10;  // per address
constexpr int kContactAllPerDay = 500;
constexpr size_t kMaxFileName = 200;

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
constexpr std::int64_t kBusyRetry = 10;  // seconds before a login that found no hashing slot comes back

// Seconds to wait before the next one, when n happened in the last `period` (the first at `first`) and
// `limit` are allowed; 0 when the next one may go.
std::int64_t waitForRoom(std::int64_t n, std::int64_t first, int limit, std::int64_t period,
                         std::int64_t now) {
    return n >= limit ? std::max<std::int64_t>(1, first + period - now) : 0;
}

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

// Blanks around removed, runs of blanks made one.
std::string normalizePseudonym(std::string_view pseudonym) {
    std::string out;
    for (char c : platform::Trim(pseudonym)) {
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

// The name under which a pseudonym is unique: "Bob" and "bob" are one player.
std::string pseudonymKey(std::string_view pseudonym) {
    std::string key = normalizePseudonym(pseudonym);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

std::string randomToken(size_t bytes) {
    std::string raw(bytes, '\0');
    randombytes_buf(raw.data(), raw.size());
    std::string out(sodium_base64_ENCODED_LEN(bytes, sodium_base64_VARIANT_URLSAFE_NO_PADDING), '\0');
    sodium_bin2base64(out.data(), out.size(), reinterpret_cast<const unsigned char*>(raw.data()), raw.size(),
                      sodium_base64_VARIANT_URLSAFE_NO_PADDING);
    out.resize(std::char_traits<char>::length(out.c_str()));
    return out;
}

// Only this hash of a session token is stored, so the database holds no live session.
std::string tokenHash(std::string_view token) {
    std::string hash(crypto_generichash_BYTES, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(hash.data()), hash.size(),
                       reinterpret_cast<const unsigned char*>(token.data()), token.size(), nullptr, 0);
    return hash;
}

Match readPrediction(const Statement& st, int first) {
    Match m;
    m.key = st.text(first);
    m.team1 = st.text(first + 1);
    m.team2 = st.text(first + 2);
    m.goals1 = st.optionalInt(first + 3);
    m.goals2 = st.optionalInt(first + 4);
    m.winner = static_cast<int>(st.integer(first + 5));
    return m;
}

// Stores one prediction under key (the match's own, or its bracket key).
void keepPrediction(Statement& keep, std::int64_t playerId, Kind kind, const std::string& key, const Match& m,
                    std::int64_t uploadId) {
    keep.bind(1, playerId)
        .bind(2, KindName(kind))
        .bind(3, key)
        .bind(4, m.team1)
        .bind(5, m.team2)
        .bind(6, m.goals1)
        .bind(7, m.goals2)
        .bind(8, static_cast<std::int64_t>(m.winner))
        .bind(9, uploadId)
        .run();
}

// The knockout teams and champion of a whole file, kept under the bracket keys.
void keepBracket(Statement& keep, std::int64_t playerId, const std::vector<Match>& predictions,
                 std::int64_t uploadId) {
    for (const Match& m : predictions) {
        if (RoundOf(m.key) != Round::None)
            keepPrediction(keep, playerId, Kind::Tournament, BracketKey(m.key), m, uploadId);
    }
}

struct Stamp {
    fs::path path;
    fs::file_time_type time;
    std::uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
};

std::optional<Stamp> stampOf(const fs::path& path) {
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return Stamp{path, time, size};
}

}  // namespace

// A contest in memory: everybody's predictions as numbers, their scores and the sorted ranking. The
// published results are read and everybody scored off the requests' path (see Contest::refresh).
struct Contest::Board {
    Kind kind = Kind::Tournament;
    std::optional<Stamp> stamp;  // of the published file the results come from
    bool loaded = false;
    std::shared_ptr<const Results> results = std::make_shared<Results>();
    std::shared_ptr<const Scorer> scorer = std::make_shared<Scorer>();
    // The published results this file replaced, while they hold any score: the ranking's movement.
    std::shared_ptr<const Scorer> previous;
    std::unordered_map<std::int64_t, std::shared_ptr<const Picks>> picks;
    std::unordered_map<std::int64_t, std::string> names;
    std::unordered_map<std::int64_t, Score> scores;
    std::unordered_map<std::int64_t, int> previousRank;
    bool ranked = false;
    std::vector<RankRow> ranking;
    std::vector<std::int64_t> rankingIds;  // the player of each ranking row
    std::unordered_map<std::int64_t, size_t> rowOf;
};

PseudonymIssue CheckPseudonym(std::string_view pseudonym) {
    const std::string p = normalizePseudonym(pseudonym);
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
            return "Le pseudo est vide : saisissez-le dans Zenkor (case « Pseudo »), puis envoyez de "
                   "nouveau.";
        case PseudonymIssue::Characters:
            return "Le pseudo ne peut contenir que des lettres, des chiffres, des espaces et les signes - _ "
                   ".";
        case PseudonymIssue::TooLong:
            return "Le pseudo est trop long : " + std::to_string(kMaxPseudonym) + " caractères au plus.";
    }
    return {};
}

Contest::Contest(ContestOptions options) : options_(std::move(options)) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
    fs::create_directories(options_.dataFolder);
    db_ = std::make_unique<Database>(options_.dataFolder / "contest.sqlite");
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        auto& b = boards_[static_cast<int>(kind)];
        b = std::make_unique<Board>();
        b->kind = kind;
    }
    recoverBrackets();
    // Everybody is scored before the first visitor asks; then off the requests' path.
    loadPredictions();
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) refresh(kind);
    watcher_ = std::thread([this] { watch(); });
}

Contest::~Contest() {
    {
        std::lock_guard lock(watchMutex_);
        stopping_ = true;
    }
    watchWake_.notify_one();
    watcher_.join();
}

void Contest::WaitForScores() {
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) refresh(kind);
}

std::int64_t Contest::Now() const {
    if (options_.clock) return options_.clock();
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

Contest::Board& Contest::board(Kind kind) {
    return *boards_[static_cast<int>(kind)];
}

namespace {

std::string hashWith(const ContestOptions& options, std::string_view password) {
    char hash[crypto_pwhash_STRBYTES];
    SlotGuard slot;
    if (!slot.taken) throw Busy{};
    if (crypto_pwhash_str(hash, password.data(), password.size(), options.hashOps, options.hashMemory) != 0) {
        throw std::runtime_error("out of memory while hashing a password");
    }
    return hash;
}

std::unique_ptr<Database> openExisting(const fs::path& dataFolder) {
    const fs::path file = dataFolder / "contest.sqlite";
    if (!fs::exists(file)) throw DatabaseError("no contest database in " + dataFolder.string());
    return std::make_unique<Database>(file);
}

}  // namespace

std::string Contest::hashPassword(std::string_view password) const {
    return hashWith(options_, password);
}

bool Contest::verifyPassword(const std::string& hash, std::string_view password) const {
    SlotGuard slot;
    if (!slot.taken) throw Busy{};
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

namespace {

// Why this pseudonym and password cannot be tried at all; empty when they can.
std::string loginProblem(std::string_view pseudonym, std::string_view password) {
    if (std::string problem = PseudonymProblem(pseudonym); !problem.empty()) return problem;
    if (password.empty()) {
        return "Le mot de passe est vide : saisissez-le dans Zenkor (case « mot de passe »), puis envoyez de "
               "nouveau.";
    }
    if (password.size() > kMaxPassword) {
        return "Le mot de passe est trop long : " + std::to_string(kMaxPassword) + " signes au plus.";
    }
    return {};
}

}  // namespace

// One login (or registration) on its way through the steps of Contest::Login.
struct Contest::LoginAttempt {
    std::string pseudonym, key, from;  // the pseudonym as stored, its key, the address's key
    std::int64_t now = 0;
    std::optional<Account> account;  // none: a new pseudonym
    std::int64_t attempt = 0;        // the row that counts it
};

LoginResult Contest::Login(std::string_view pseudonymIn, std::string_view password, std::string_view address,
                           std::int64_t now) {
    LoginResult result;
    if (std::string problem = loginProblem(pseudonymIn, password); !problem.empty()) {
        result.outcome = LoginOutcome::Invalid;
        result.message = std::move(problem);
        return result;
    }
    LoginAttempt a;
    a.pseudonym = normalizePseudonym(pseudonymIn);
    a.key = pseudonymKey(a.pseudonym);
    a.from = site::AddressKey(address);
    a.now = now;
    if (!reserveLogin(a, result)) return result;
    try {
        if (!a.account) registerPlayer(a, password, result);
        if (result.outcome != LoginOutcome::Registered && !checkPassword(a, password, result)) return result;
    } catch (const Busy&) {
        // Not the visitor's failure: the attempt does not count.
        if (result.outcome != LoginOutcome::Registered && result.outcome != LoginOutcome::LoggedIn) {
            forgetAttempt(a.attempt);
            result.outcome = LoginOutcome::Busy;
            result.retryAfter = kBusyRetry;
            return result;
        }
    }
    result.token = openSession(a.account->id, now);
    return result;
}

std::optional<Contest::Account> Contest::findAccount(const std::string& key) {
    Statement find(*db_, "SELECT id, password_hash FROM players WHERE pseudonym_key = ?");
    find.bind(1, key);
    if (!find.step()) return std::nullopt;
    return Account{find.integer(0), find.text(1)};
}

std::int64_t Contest::loginWait(const std::string& from, const std::string& key, std::int64_t now) {
    return std::max(failureWait("address", from, kFreeAddressFailures, now),
                    failureWait("account", key, kFreeAccountFailures, now));
}

bool Contest::reserveLogin(LoginAttempt& a, LoginResult& result) {
    // The attempt is counted, and the limits checked, in one locked step before any hashing: however many
    // come at once, no more than the limits allow get their password checked.
    std::lock_guard lock(mutex_);
    a.account = findAccount(a.key);
    std::int64_t wait = 0;
    if (a.account) {
        wait = loginWait(a.from, a.key, a.now);
    } else {
        Statement count(*db_,
                        "SELECT COUNT(*), MIN(at) FROM attempts WHERE kind = 'register' AND address = ? AND "
                        "at > ?");
        count.bind(1, a.from).bind(2, a.now - 3600);
        if (count.step())
            wait = waitForRoom(count.integer(0), count.integer(1), kRegistrationsPerHour, 3600, a.now);
        result.newPseudonyms = wait > 0;
    }
    if (wait > 0) {
        result.outcome = LoginOutcome::Throttled;
        result.retryAfter = wait;
        return false;
    }
    a.attempt = noteAttempt(a.account ? "login" : "register", a.from, a.key, a.account.has_value(), a.now);
    return true;
}

void Contest::registerPlayer(LoginAttempt& a, std::string_view password, LoginResult& result) {
    const std::string hash = hashPassword(password);
    std::lock_guard lock(mutex_);
    Statement insert(
        *db_,
        "INSERT INTO players(pseudonym, pseudonym_key, password_hash, created_at) VALUES(?, ?, ?, ?) "
        "ON CONFLICT(pseudonym_key) DO NOTHING");
    insert.bind(1, a.pseudonym).bind(2, a.key).bind(3, hash).bind(4, a.now).run();
    if (db_->changes() == 1) {
        result.outcome = LoginOutcome::Registered;
        a.account = Account{db_->lastInsertId(), hash};
    } else {
        // Someone registered the same pseudonym in between: theirs it is, and this is a login to it.
        a.account = findAccount(a.key);
        a.attempt = noteAttempt("login", a.from, a.key, true, a.now);
    }
}

bool Contest::checkPassword(LoginAttempt& a, std::string_view password, LoginResult& result) {
    if (!a.account || !verifyPassword(a.account->passwordHash, password)) {
        result.outcome = LoginOutcome::Refused;
        result.message = "Pseudo ou mot de passe incorrect.";
        return false;  // the attempt stays counted as failed
    }
    result.outcome = LoginOutcome::LoggedIn;
    passAttempt(a.attempt);
    if (crypto_pwhash_str_needs_rehash(a.account->passwordHash.c_str(), options_.hashOps,
                                       options_.hashMemory) != 0) {
        const std::string hash = hashPassword(password);
        std::lock_guard lock(mutex_);
        Statement update(*db_, "UPDATE players SET password_hash = ? WHERE id = ?");
        update.bind(1, hash).bind(2, a.account->id).run();
    }
    return true;
}

std::string Contest::openSession(std::int64_t playerId, std::int64_t now) {
    std::string token = randomToken(32);
    std::lock_guard lock(mutex_);
    Statement expired(*db_, "DELETE FROM sessions WHERE expires_at <= ?");
    expired.bind(1, now).run();
    Statement session(*db_,
                      "INSERT INTO sessions(token_hash, player_id, csrf_token, created_at, expires_at) "
                      "VALUES(?, ?, ?, ?, ?)");
    session.bindBlob(1, tokenHash(token))
        .bind(2, playerId)
        .bind(3, randomToken(16))
        .bind(4, now)
        .bind(5, now + kSessionSeconds)
        .run();
    return token;
}

std::int64_t Contest::failureWait(const char* column, const std::string& value, int free, std::int64_t now) {
    const std::string sql =
        std::string("SELECT COUNT(*), MAX(at) FROM attempts WHERE kind = 'login' AND failed = 1 AND ") +
        column + " = ? AND at > ?";
    Statement failures(*db_, sql);
    failures.bind(1, value).bind(2, now - kFailureWindow);
    if (!failures.step()) return 0;
    const std::int64_t count = failures.integer(0);
    if (count < free) return 0;
    const std::int64_t wait = std::min(kLongestWait, kFirstWait << std::min<std::int64_t>(count - free, 10));
    return std::max<std::int64_t>(0, failures.integer(1) + wait - now);
}

std::int64_t Contest::noteAttempt(const char* kind, const std::string& address, const std::string& account,
                                  bool failed, std::int64_t now) {
    Statement forget(*db_, "DELETE FROM attempts WHERE at < ?");
    forget.bind(1, now - kAttemptsKept).run();
    Statement note(*db_, "INSERT INTO attempts(kind, address, account, at, failed) VALUES(?, ?, ?, ?, ?)");
    note.bind(1, std::string_view(kind))
        .bind(2, address)
        .bind(3, account)
        .bind(4, now)
        .bind(5, std::int64_t{failed})
        .run();
    return db_->lastInsertId();
}

void Contest::passAttempt(std::int64_t id) {
    std::lock_guard lock(mutex_);
    Statement passed(*db_, "UPDATE attempts SET failed = 0 WHERE id = ?");
    passed.bind(1, id).run();
}

void Contest::forgetAttempt(std::int64_t id) {
    std::lock_guard lock(mutex_);
    Statement forget(*db_, "DELETE FROM attempts WHERE id = ?");
    forget.bind(1, id).run();
}

std::optional<SessionInfo> Contest::Session(std::string_view token, std::int64_t now) {
    if (token.empty() || token.size() > 100) return std::nullopt;
    std::lock_guard lock(mutex_);
    Statement st(
        *db_,
        "SELECT s.player_id, p.pseudonym, s.csrf_token FROM sessions s JOIN players p ON p.id = s.player_id "
        "WHERE s.token_hash = ? AND s.expires_at > ?");
    st.bindBlob(1, tokenHash(token)).bind(2, now);
    if (!st.step()) return std::nullopt;
    return SessionInfo{st.integer(0), st.text(1), st.text(2)};
}

void Contest::Logout(std::string_view token) {
    std::lock_guard lock(mutex_);
    Statement st(*db_, "DELETE FROM sessions WHERE token_hash = ?");
    st.bindBlob(1, tokenHash(token)).run();
}

PasswordChangeResult Contest::ChangePassword(std::int64_t playerId, std::string_view current,
                                             std::string_view next, std::string_view address,
                                             std::string_view keepToken, std::int64_t now) {
    PasswordChangeResult result;
    if (next.empty() || next.size() > kMaxPassword) {
        result.outcome = PasswordChange::Invalid;
        return result;
    }
    // A wrong current password counts as a failed login of the account, reserved before the check.
    const std::string from = site::AddressKey(address);
    std::string hash, key;
    std::int64_t attempt = 0;
    {
        std::lock_guard lock(mutex_);
        Statement find(*db_, "SELECT password_hash, pseudonym_key FROM players WHERE id = ?");
        find.bind(1, playerId);
        if (find.step()) {
            hash = find.text(0);
            key = find.text(1);
        }
        const std::int64_t wait = loginWait(from, key, now);
        if (wait > 0) {
            result.outcome = PasswordChange::Throttled;
            result.retryAfter = wait;
            return result;
        }
        attempt = noteAttempt("login", from, key, true, now);
    }
    try {
        if (hash.empty() || current.size() > kMaxPassword || !verifyPassword(hash, current)) return result;
    } catch (const Busy&) {
        forgetAttempt(attempt);
        result.outcome = PasswordChange::Throttled;
        result.retryAfter = kBusyRetry;
        return result;
    }
    passAttempt(attempt);
    const std::string newHash = hashPassword(next);
    std::lock_guard lock(mutex_);
    Transaction tx(*db_);
    Statement update(*db_, "UPDATE players SET password_hash = ? WHERE id = ?");
    update.bind(1, newHash).bind(2, playerId).run();
    Statement others(*db_, "DELETE FROM sessions WHERE player_id = ? AND token_hash <> ?");
    others.bind(1, playerId).bindBlob(2, tokenHash(keepToken)).run();
    tx.commit();
    result.outcome = PasswordChange::Changed;
    return result;
}

std::vector<StoredMessage> ReadContactMessages(const fs::path& dataFolder) {
    const auto db = openExisting(dataFolder);
    Statement st(
        *db,
        "SELECT id, received_at, subject, name, email, message, address FROM contact_messages ORDER BY id");
    std::vector<StoredMessage> out;
    while (st.step()) {
        StoredMessage m;
        m.id = st.integer(0);
        m.receivedAt = st.integer(1);
        m.subject = st.text(2);
        m.name = st.text(3);
        m.email = st.text(4);
        m.message = st.text(5);
        m.address = st.text(6);
        out.push_back(std::move(m));
    }
    return out;
}

std::optional<std::string> ResetPassword(const ContestOptions& options, std::string_view pseudonym) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
    const auto db = openExisting(options.dataFolder);
    Statement find(*db, "SELECT id FROM players WHERE pseudonym_key = ?");
    find.bind(1, pseudonymKey(pseudonym));
    if (!find.step()) return std::nullopt;
    const std::int64_t id = find.integer(0);
    const std::string password = randomToken(9);  // 12 signs the player can type
    const std::string hash = hashWith(options, password);
    Transaction tx(*db);
    Statement update(*db, "UPDATE players SET password_hash = ? WHERE id = ?");
    update.bind(1, hash).bind(2, id).run();
    Statement sessions(*db, "DELETE FROM sessions WHERE player_id = ?");
    sessions.bind(1, id).run();
    tx.commit();
    return password;
}

std::pair<fs::path, fs::path> Contest::publishedFiles(Kind kind) const {
    if (kind == Kind::Tournament) {
        return {options_.dataFolder / "Zenkor2024.ini", options_.dataFolder / "Zenkor2024.ini.bak"};
    }
    fs::path file = options_.dataFolder / "Elim2024.ini";
    if (!fs::exists(file) && !options_.shippedQualifiers.empty()) file = options_.shippedQualifiers;
    return {file, fs::path()};
}

bool Contest::publishedChanged(Kind kind) {
    const std::optional<Stamp> stamp = stampOf(publishedFiles(kind).first);
    std::lock_guard lock(mutex_);
    const Board& b = board(kind);
    // A moment without the file (between the two renames of a publish): the last one read holds.
    return !b.loaded || (stamp && stamp != b.stamp);
}

namespace {

// Ranks by points, then exact scores, then name; level on both, level in rank.
template <class Entry>
void sortRanking(std::vector<Entry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
        if (x.score.points != y.score.points) return x.score.points > y.score.points;
        if (x.score.exact != y.score.exact) return x.score.exact > y.score.exact;
        return *x.name < *y.name;
    });
}

template <class Entry, class Emit>
void rankSorted(const std::vector<Entry>& entries, Emit emit) {
    int rank = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Score& s = entries[i].score;
        if (i == 0 || entries[i - 1].score.points != s.points || entries[i - 1].score.exact != s.exact) {
            rank = static_cast<int>(i + 1);
        }
        emit(entries[i], rank);
    }
}

struct RankEntry {
    Score score;
    const std::string* name;
    std::int64_t id;
};

Results readResults(Kind kind, const fs::path& file) {
    if (file.empty()) return {};
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) return {};
    return kind == Kind::Tournament ? ReadEditionResults(*bytes) : ReadQualifierResults(*bytes);
}

bool anyPlayed(const Results& r) {
    return std::any_of(r.matches.begin(), r.matches.end(), [](const RealMatch& m) { return m.played(); });
}

}  // namespace

void Contest::refresh(Kind kind) {
    const auto [file, previousFile] = publishedFiles(kind);
    const std::optional<Stamp> stamp = stampOf(file);
    {
        std::lock_guard lock(mutex_);
        const Board& b = board(kind);
        if (b.loaded && (!stamp || stamp == b.stamp)) return;
    }
    // Reading a file runs the window model: tens of milliseconds, with the contest free meanwhile.
    auto results = std::make_shared<Results>(readResults(kind, stamp ? file : fs::path()));
    const Results before = readResults(kind, previousFile);

    std::shared_ptr<const Scorer> scorer, previous;
    std::unordered_map<std::int64_t, std::shared_ptr<const Picks>> picks;
    std::unordered_map<std::int64_t, std::string> names;
    {
        std::lock_guard lock(mutex_);
        scorer = std::make_shared<Scorer>(*results, keys_, teams_);
        if (anyPlayed(before)) previous = std::make_shared<Scorer>(before, keys_, teams_);
        const Board& b = board(kind);
        picks = b.picks;
        names = b.names;
    }
    std::unordered_map<std::int64_t, Score> scores;
    scores.reserve(picks.size());
    for (const auto& [id, p] : picks) scores.emplace(id, scorer->score(*p));
    std::unordered_map<std::int64_t, int> previousRank;
    if (previous) {
        std::vector<RankEntry> entries;
        entries.reserve(picks.size());
        for (const auto& [id, p] : picks) entries.push_back({previous->score(*p), &names[id], id});
        sortRanking(entries);
        rankSorted(entries, [&](const RankEntry& e, int rank) { previousRank.emplace(e.id, rank); });
    }

    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    // Files handed in while everybody was scored are scored again now, against the new results.
    for (const auto& [id, p] : b.picks) {
        const auto it = picks.find(id);
        if (it == picks.end() || it->second != p) scores[id] = scorer->score(*p);
    }
    b.results = std::move(results);
    b.scorer = std::move(scorer);
    b.previous = std::move(previous);
    b.scores = std::move(scores);
    b.previousRank = std::move(previousRank);
    b.stamp = stamp;
    b.loaded = true;
    b.ranked = false;
    rank(b);
}

void Contest::recoverBrackets() {
    std::lock_guard lock(mutex_);
    Statement pending(*db_, "SELECT player_id FROM bracket_pending");
    std::vector<std::int64_t> players;
    while (pending.step()) players.push_back(pending.integer(0));
    if (players.empty()) return;
    const Results published = readResults(Kind::Tournament, publishedFiles(Kind::Tournament).first);
    Transaction tx(*db_);
    Statement last(*db_,
                   "SELECT id, bytes FROM uploads WHERE player_id = ? AND contest = ? AND uploaded_at < ? "
                   "ORDER BY uploaded_at DESC, id DESC LIMIT 1");
    Statement keep(*db_,
                   "INSERT OR REPLACE INTO predictions(player_id, contest, match_key, team1, team2, goals1, "
                   "goals2, winner, upload_id) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const std::int64_t player : players) {
        last.bind(1, player).bind(2, KindName(Kind::Tournament)).bind(3, published.firstKickoff.value_or(0));
        if (last.step()) {
            const std::int64_t uploadId = last.integer(0);
            const auto reading = ReadUpload(Kind::Tournament, last.text(1), published);
            if (const auto* predictions = std::get_if<std::vector<Match>>(&reading))
                keepBracket(keep, player, *predictions, uploadId);
        }
        last.reset();
    }
    db_->exec("DELETE FROM bracket_pending");
    tx.commit();
}

void Contest::loadPredictions() {
    std::lock_guard lock(mutex_);
    Statement st(
        *db_,
        "SELECT contest, player_id, match_key, team1, team2, goals1, goals2, winner FROM predictions "
        "ORDER BY contest, player_id");
    std::unordered_map<std::int64_t, Picks> all[2];
    while (st.step()) {
        const Kind kind = st.text(0) == KindName(Kind::Tournament) ? Kind::Tournament : Kind::Qualifiers;
        all[static_cast<int>(kind)][st.integer(1)].push_back(ToPick(readPrediction(st, 2), keys_, teams_));
    }
    Statement names(*db_, "SELECT id, pseudonym FROM players");
    std::unordered_map<std::int64_t, std::string> pseudonyms;
    while (names.step()) pseudonyms.emplace(names.integer(0), names.text(1));
    for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
        Board& b = board(kind);
        for (auto& [id, picks] : all[static_cast<int>(kind)]) {
            b.picks[id] = std::make_shared<const Picks>(std::move(picks));
            b.names[id] = pseudonyms[id];
        }
    }
}

void Contest::watch() {
    std::unique_lock lock(watchMutex_);
    while (!stopping_) {
        watchWake_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_ || wake_; });
        if (stopping_) break;
        wake_ = false;
        lock.unlock();
        for (Kind kind : {Kind::Tournament, Kind::Qualifiers}) {
            try {
                refresh(kind);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "zenkor-site: the %s contest could not be scored again: %s\n",
                             std::string(KindName(kind)).c_str(), e.what());
            }
        }
        lock.lock();
    }
}

void Contest::wakeWatcher() {
    {
        std::lock_guard lock(watchMutex_);
        wake_ = true;
    }
    watchWake_.notify_one();
}

std::vector<Match> Contest::predictionsOf(Kind kind, std::int64_t playerId) {
    std::vector<Match> out;
    Statement st(*db_,
                 "SELECT match_key, team1, team2, goals1, goals2, winner FROM predictions "
                 "WHERE contest = ? AND player_id = ?");
    st.bind(1, KindName(kind)).bind(2, playerId);
    while (st.step()) out.push_back(readPrediction(st, 0));
    return out;
}

void Contest::rescorePlayer(Board& b, std::int64_t playerId) {
    Picks picks;
    for (const Match& m : predictionsOf(b.kind, playerId)) picks.push_back(ToPick(m, keys_, teams_));
    auto shared = std::make_shared<const Picks>(std::move(picks));
    b.scores[playerId] = b.scorer->score(*shared);
    b.picks[playerId] = std::move(shared);
    Statement name(*db_, "SELECT pseudonym FROM players WHERE id = ?");
    name.bind(1, playerId);
    if (name.step()) b.names[playerId] = name.text(0);
    b.ranked = false;
}

std::shared_ptr<const Results> Contest::Published(Kind kind) {
    std::lock_guard lock(mutex_);
    return board(kind).results;
}

UploadResult Contest::Upload(std::int64_t playerId, Kind kind, std::string_view fileName,
                             std::string_view bytes, std::string_view address, std::int64_t now) {
    UploadResult result;
    const std::string from = site::AddressKey(address);
    {
        std::lock_guard lock(mutex_);
        if (const std::int64_t wait = uploadWait(playerId, kind, from, now); wait > 0) {
            result.retryAfter = wait;
            return result;
        }
    }
    const std::shared_ptr<const Results> published = Published(kind);
    auto reading = ReadUpload(kind, bytes, *published);
    if (const auto* refusal = std::get_if<Refusal>(&reading)) {
        result.message = refusal->message;
        result.reason = refusal->reason;
        return result;
    }
    const auto& predictions = std::get<std::vector<Match>>(reading);

    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    // The same file as the last one sets the same predictions: nothing new is stored.
    const bool same = sameAsLastUpload(playerId, kind, bytes);
    Transaction tx(*db_);
    const std::int64_t uploadId = same ? 0 : storeUpload(playerId, kind, fileName, bytes, from, now);
    keepPredictions(playerId, kind, predictions, *published, now, uploadId, result);
    tx.commit();
    // Scored against the board's results, which a publish may have replaced since the file was read.
    rescorePlayer(b, playerId);
    result.ok = true;
    return result;
}

std::int64_t Contest::uploadWait(std::int64_t playerId, Kind kind, const std::string& from,
                                 std::int64_t now) {
    Statement mine(*db_,
                   "SELECT COUNT(*), MIN(uploaded_at) FROM uploads WHERE player_id = ? AND contest = ? AND "
                   "uploaded_at > ?");
    mine.bind(1, playerId).bind(2, KindName(kind)).bind(3, now - 3600);
    std::int64_t wait =
        mine.step() ? waitForRoom(mine.integer(0), mine.integer(1), kUploadsPerHour, 3600, now) : 0;
    Statement theirs(
        *db_, "SELECT COUNT(*), MIN(at) FROM attempts WHERE kind = 'upload' AND address = ? AND at > ?");
    theirs.bind(1, from).bind(2, now - 3600);
    if (theirs.step()) {
        wait = std::max(wait,
                        waitForRoom(theirs.integer(0), theirs.integer(1), kAddressUploadsPerHour, 3600, now));
    }
    return wait;
}

bool Contest::sameAsLastUpload(std::int64_t playerId, Kind kind, std::string_view bytes) {
    Statement last(*db_,
                   "SELECT bytes FROM uploads WHERE player_id = ? AND contest = ? ORDER BY id DESC LIMIT 1");
    last.bind(1, playerId).bind(2, KindName(kind));
    return last.step() && last.text(0) == bytes;
}

std::int64_t Contest::storeUpload(std::int64_t playerId, Kind kind, std::string_view fileName,
                                  std::string_view bytes, const std::string& from, std::int64_t now) {
    Statement upload(*db_,
                     "INSERT INTO uploads(player_id, contest, uploaded_at, file_name, bytes, matches_taken) "
                     "VALUES(?, ?, ?, ?, ?, 0)");
    upload.bind(1, playerId)
        .bind(2, KindName(kind))
        .bind(3, now)
        .bind(4, fileName.substr(0, kMaxFileName))
        .bindBlob(5, bytes)
        .run();
    const std::int64_t uploadId = db_->lastInsertId();
    noteAttempt("upload", from, std::to_string(playerId), false, now);
    return uploadId;
}

void Contest::keepPredictions(std::int64_t playerId, Kind kind, const std::vector<Match>& predictions,
                              const Results& published, std::int64_t now, std::int64_t uploadId,
                              UploadResult& result) {
    Statement keep(
        *db_,
        "INSERT INTO predictions(player_id, contest, match_key, team1, team2, goals1, goals2, winner, "
        "upload_id) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT(contest, player_id, match_key) DO UPDATE SET team1 = excluded.team1, "
        "team2 = excluded.team2, goals1 = excluded.goals1, goals2 = excluded.goals2, "
        "winner = excluded.winner, upload_id = excluded.upload_id");
    for (const Match& m : predictions) {
        const RealMatch* real = published.find(m.key);
        if (!real) continue;
        if (real->startedBy(now)) {
            ++result.locked;
            continue;
        }
        ++result.taken;
        if (uploadId) keepPrediction(keep, playerId, kind, m.key, m, uploadId);
    }
    if (!uploadId) return;
    // The bracket and the champion count from the last file before the tournament's first kick-off.
    if (kind == Kind::Tournament && published.bracketOpen(now))
        keepBracket(keep, playerId, predictions, uploadId);
    Statement taken(*db_, "UPDATE uploads SET matches_taken = ? WHERE id = ?");
    taken.bind(1, static_cast<std::int64_t>(result.taken)).bind(2, uploadId).run();
}

void Contest::rank(Board& b) {
    if (b.ranked) return;
    std::vector<RankEntry> entries;
    entries.reserve(b.scores.size());
    for (const auto& [id, score] : b.scores) entries.push_back({score, &b.names[id], id});
    sortRanking(entries);
    b.ranking.clear();
    b.ranking.reserve(entries.size());
    b.rankingIds.clear();
    b.rankingIds.reserve(entries.size());
    b.rowOf.clear();
    b.rowOf.reserve(entries.size());
    rankSorted(entries, [&](const RankEntry& e, int rank) {
        RankRow row{rank, *e.name, e.score.points, e.score.exact, std::nullopt};
        if (const auto it = b.previousRank.find(e.id); it != b.previousRank.end())
            row.previousRank = it->second;
        b.rowOf.emplace(e.id, b.ranking.size());
        b.ranking.push_back(std::move(row));
        b.rankingIds.push_back(e.id);
    });
    b.ranked = true;
}

RankingSlice Contest::Ranking(Kind kind, size_t offset, size_t limit) {
    if (publishedChanged(kind)) wakeWatcher();
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    rank(b);
    RankingSlice slice;
    slice.total = b.ranking.size();
    slice.hasPrevious = b.previous != nullptr;
    for (size_t i = offset; i < b.ranking.size() && i - offset < limit; ++i)
        slice.rows.push_back(b.ranking[i]);
    return slice;
}

std::vector<RankRow> Contest::Ranking(Kind kind, size_t limit) {
    return Ranking(kind, 0, limit).rows;
}

std::optional<RankRow> Contest::RankOf(Kind kind, std::int64_t playerId) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    rank(b);
    const auto it = b.rowOf.find(playerId);
    if (it == b.rowOf.end()) return std::nullopt;
    return b.ranking[it->second];
}

size_t Contest::PlayerCount(Kind kind) {
    return Ranking(kind, 0, 0).total;
}

std::optional<PlayerCard> Contest::Player(Kind kind, std::string_view pseudonym, std::int64_t viewerId,
                                          std::int64_t now) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    rank(b);
    Statement find(*db_, "SELECT id, pseudonym FROM players WHERE pseudonym_key = ?");
    find.bind(1, pseudonymKey(pseudonym));
    if (!find.step()) return std::nullopt;
    const std::int64_t playerId = find.integer(0);
    PlayerCard card;
    card.pseudonym = find.text(1);
    if (const auto it = b.rowOf.find(playerId); it != b.rowOf.end()) card.rank = b.ranking[it->second];
    if (const auto it = b.scores.find(playerId); it != b.scores.end()) card.bonus = it->second.bonus;
    std::unordered_map<std::string, Match> predicted;
    for (Match& m : predictionsOf(kind, playerId)) predicted.emplace(m.key, std::move(m));
    const bool own = viewerId == playerId;
    for (const RealMatch& real : b.results->matches) {
        PlayerMatch pm;
        pm.real = real;
        if (const auto it = predicted.find(real.key); it != predicted.end()) {
            if (own || real.startedBy(now)) {
                pm.predicted = it->second;
                pm.points = MatchPoints(real, it->second);
            } else {
                pm.hidden = true;
            }
        }
        card.matches.push_back(std::move(pm));
    }
    // By kick-off, as the player lived them; matches without a date last.
    std::stable_sort(card.matches.begin(), card.matches.end(),
                     [](const PlayerMatch& x, const PlayerMatch& y) {
                         return x.real.kickoff.value_or(INT64_MAX) < y.real.kickoff.value_or(INT64_MAX);
                     });
    if (own) {
        Statement uploads(
            *db_,
            "SELECT uploaded_at, file_name, matches_taken FROM uploads WHERE player_id = ? AND contest = ? "
            "ORDER BY uploaded_at DESC, id DESC LIMIT 20");
        uploads.bind(1, playerId).bind(2, KindName(kind));
        while (uploads.step()) {
            card.uploads.push_back(
                {uploads.integer(0), uploads.text(1), static_cast<int>(uploads.integer(2))});
        }
    }
    return card;
}

std::optional<MatchCard> Contest::MatchPredictions(Kind kind, std::string_view key, std::int64_t now,
                                                   size_t offset, size_t limit) {
    std::lock_guard lock(mutex_);
    Board& b = board(kind);
    const RealMatch* real = b.results->find(key);
    if (!real || IsBracketKey(key)) return std::nullopt;
    MatchCard card;
    card.real = *real;
    card.started = real->startedBy(now);
    if (!card.started) return card;  // nobody's prediction shows before kick-off
    rank(b);
    const std::uint32_t keyId = keys_.id(key);
    for (size_t i = 0; i < b.rankingIds.size(); ++i) {
        const Picks& picks = *b.picks[b.rankingIds[i]];
        const auto it =
            std::find_if(picks.begin(), picks.end(), [keyId](const Pick& p) { return p.key == keyId; });
        if (it == picks.end()) continue;
        if (card.total++ < offset || card.rows.size() >= limit) continue;
        MatchEntry entry;
        entry.rank = b.ranking[i].rank;
        entry.pseudonym = b.ranking[i].pseudonym;
        entry.predicted.key = std::string(key);
        entry.predicted.team1 = teams_.name(it->team1);
        entry.predicted.team2 = teams_.name(it->team2);
        if (it->goals1 >= 0) entry.predicted.goals1 = it->goals1;
        if (it->goals2 >= 0) entry.predicted.goals2 = it->goals2;
        entry.predicted.winner = it->winner;
        entry.points = b.scorer->points(*it);
        card.rows.push_back(std::move(entry));
    }
    return card;
}

ContactStored Contest::StoreContactMessage(const ContactMessage& message, std::int64_t now) {
    const std::string from = site::AddressKey(message.address);
    std::lock_guard lock(mutex_);
    Statement count(*db_, "SELECT COUNT(*), SUM(address = ?) FROM contact_messages WHERE received_at > ?");
    count.bind(1, from).bind(2, now - 24 * 3600);
    if (count.step() && (count.integer(0) >= kContactAllPerDay || count.integer(1) >= kContactPerDay)) {
        return ContactStored::TooMany;
    }
    Statement st(*db_,
                 "INSERT INTO contact_messages(received_at, subject, name, email, message, address) "
                 "VALUES(?, ?, ?, ?, ?, ?)");
    st.bind(1, now)
        .bind(2, message.subject)
        .bind(3, message.name)
        .bind(4, message.email)
        .bind(5, message.message)
        .bind(6, from)
        .run();
    return ContactStored::Stored;
}

}  // namespace contest
