#include "site/contest/limits.h"

#include <algorithm>
#include <system_error>

namespace contest {

namespace {

constexpr std::int64_t kFirstWait = 30;  // doubled with every further failure
constexpr std::int64_t kLongestWait = 15 * 60;
constexpr std::int64_t kAttemptsKept = 24 * 3600;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kStorageRetry = 3600;  // seconds before trying again once storage is full

const char* kindOf(Attempts::Path path) {
    switch (path) {
        case Attempts::Path::Login:
            return "login";
        case Attempts::Path::KnownBrowser:
            return "known";
        case Attempts::Path::Change:
            return "change";
    }
    return "login";
}

}  // namespace

Wait WaitForRoom(LimitHit limit, std::int64_t n, std::int64_t first, int allowed, std::int64_t period,
                 std::int64_t now) {
    if (n < allowed) return {};
    return {limit, std::max<std::int64_t>(1, first + period - now)};
}

Wait Longer(const Wait& a, const Wait& b) {
    return b.seconds > a.seconds ? b : a;
}

Wait StorageWait(Database& db, const std::filesystem::path& dataFolder, const LimitSettings& limits) {
    Statement pages(db, "PRAGMA page_count");
    Statement size(db, "PRAGMA page_size");
    const std::int64_t bytes = (pages.step() ? pages.integer(0) : 0) * (size.step() ? size.integer(0) : 0);
    std::error_code ec;
    const auto space = std::filesystem::space(dataFolder, ec);
    const bool diskFull = !ec && static_cast<std::int64_t>(space.available) < limits.diskReserve;
    if (bytes >= limits.databaseBytes || diskFull) return {LimitHit::Storage, kStorageRetry};
    return {};
}

std::int64_t NoteAttempt(Database& db, std::string_view kind, const std::string& address,
                         const std::string& account, bool failed, std::int64_t now) {
    Statement forget(db, "DELETE FROM attempts WHERE at < ?");
    forget.bind(1, now - kAttemptsKept).run();
    Statement note(db, "INSERT INTO attempts(kind, address, account, at, failed) VALUES(?, ?, ?, ?, ?)");
    note.bind(1, kind).bind(2, address).bind(3, account).bind(4, now).bind(5, std::int64_t{failed}).run();
    return db.lastInsertId();
}

Attempts::Attempts(const std::filesystem::path& databaseFile, const ContestOptions& options)
    : options_(options), limits_(options.limits), db_(databaseFile, Database::Opening::Another) {}

Wait Attempts::failureWait(const char* kind, const char* where, const std::string& value,
                           const std::string* address, int free, LimitHit limit, std::int64_t now) {
    std::string sql =
        std::string("SELECT COUNT(*), MAX(at) FROM attempts WHERE kind = ? AND failed = 1 AND ") + where +
        " = ? AND at > ?";
    if (address) sql += " AND address = ?";
    Statement failures(db_, sql);
    failures.bind(1, std::string_view(kind)).bind(2, value).bind(3, now - limits_.failureWindow);
    if (address) failures.bind(4, *address);
    if (!failures.step()) return {};
    const std::int64_t count = failures.integer(0);
    if (count < free) return {};
    const std::int64_t wait = std::min(kLongestWait, kFirstWait << std::min<std::int64_t>(count - free, 10));
    const std::int64_t left = failures.integer(1) + wait - now;
    return left > 0 ? Wait{limit, left} : Wait{};
}

std::int64_t Attempts::ReserveTry(Path path, const std::string& account, const std::string& address,
                                  const std::string& browser, std::int64_t now, Wait& wait) {
    const char* kind = kindOf(path);
    std::lock_guard lock(mutex_);
    switch (path) {
        case Path::Login:
            wait = Longer(failureWait(kind, "account", account, &address, limits_.pseudonymAddressFailures,
                                      LimitHit::PseudonymAddressPasswords, now),
                          failureWait(kind, "account", account, nullptr, limits_.pseudonymFailures,
                                      LimitHit::PseudonymPasswords, now));
            wait = Longer(wait, failureWait(kind, "address", address, nullptr, limits_.addressFailures,
                                            LimitHit::AddressPasswords, now));
            break;
        case Path::KnownBrowser:
            // Counted per browser, so that guesses made elsewhere never stop it.
            wait = Longer(failureWait(kind, "account", browser, nullptr, limits_.knownBrowserFailures,
                                      LimitHit::KnownBrowserPasswords, now),
                          failureWait(kind, "address", address, nullptr, limits_.knownBrowserAddressFailures,
                                      LimitHit::KnownBrowserAddressPasswords, now));
            break;
        case Path::Change:
            wait = Longer(failureWait(kind, "account", account, &address, limits_.changeAddressFailures,
                                      LimitHit::ChangeAddressPasswords, now),
                          failureWait(kind, "account", account, nullptr, limits_.changeFailures,
                                      LimitHit::ChangePasswords, now));
            break;
    }
    if (wait) return 0;
    return NoteAttempt(db_, kind, address, path == Path::KnownBrowser ? browser : account, true, now);
}

std::int64_t Attempts::NoteFailedTry(Path path, const std::string& account, const std::string& address,
                                     std::int64_t now) {
    std::lock_guard lock(mutex_);
    return NoteAttempt(db_, kindOf(path), address, account, true, now);
}

std::int64_t Attempts::ReserveRegistration(const std::string& address, std::int64_t now, Wait& wait) {
    std::lock_guard lock(mutex_);
    // The counts' statements end before the write: a statement left open keeps its read snapshot, and
    // writing on top of a snapshot another connection has moved past fails at once ("database is
    // locked"), whatever the busy timeout.
    {
        Statement mine(
            db_, "SELECT COUNT(*), MIN(at) FROM attempts WHERE kind = 'register' AND address = ? AND at > ?");
        mine.bind(1, address).bind(2, now - kHour);
        if (mine.step()) {
            wait = WaitForRoom(LimitHit::AddressRegistrations, mine.integer(0), mine.integer(1),
                               limits_.addressRegistrations, kHour, now);
        }
    }
    {
        Statement all(db_, "SELECT COUNT(*), MIN(at) FROM attempts WHERE kind = 'register' AND at > ?");
        all.bind(1, now - kHour);
        if (all.step()) {
            wait = Longer(wait, WaitForRoom(LimitHit::AllRegistrations, all.integer(0), all.integer(1),
                                            limits_.allRegistrations, kHour, now));
        }
    }
    wait = Longer(wait, StorageWait(db_, options_.dataFolder, limits_));
    if (wait) return 0;
    return NoteAttempt(db_, "register", address, "", false, now);
}

void Attempts::Passed(std::int64_t id) {
    std::lock_guard lock(mutex_);
    Statement passed(db_, "UPDATE attempts SET failed = 0 WHERE id = ?");
    passed.bind(1, id).run();
}

void Attempts::Forget(std::int64_t id) {
    std::lock_guard lock(mutex_);
    Statement forget(db_, "DELETE FROM attempts WHERE id = ?");
    forget.bind(1, id).run();
}

}  // namespace contest
