#include "site/contest/database.h"

#include <sqlite3.h>

#include <array>

namespace contest {

namespace {

// Each step brings the schema from its index to the next version; never edit a step once shipped.
constexpr std::array kMigrations = {
    R"sql(
CREATE TABLE players(
    id INTEGER PRIMARY KEY,
    pseudonym TEXT NOT NULL,
    pseudonym_key TEXT NOT NULL UNIQUE,
    password_hash TEXT NOT NULL,
    created_at INTEGER NOT NULL);
CREATE TABLE sessions(
    token_hash BLOB PRIMARY KEY,
    player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,
    csrf_token TEXT NOT NULL,
    created_at INTEGER NOT NULL,
    expires_at INTEGER NOT NULL);
CREATE INDEX sessions_expiry ON sessions(expires_at);
CREATE TABLE uploads(
    id INTEGER PRIMARY KEY,
    player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,
    contest TEXT NOT NULL,
    uploaded_at INTEGER NOT NULL,
    file_name TEXT NOT NULL,
    bytes BLOB NOT NULL,
    matches_taken INTEGER NOT NULL);
CREATE INDEX uploads_player ON uploads(player_id, contest, uploaded_at);
CREATE TABLE predictions(
    player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,
    contest TEXT NOT NULL,
    match_key TEXT NOT NULL,
    team1 TEXT NOT NULL,
    team2 TEXT NOT NULL,
    goals1 INTEGER,
    goals2 INTEGER,
    winner INTEGER NOT NULL,
    upload_id INTEGER NOT NULL REFERENCES uploads(id) ON DELETE CASCADE,
    PRIMARY KEY(player_id, contest, match_key));
CREATE TABLE contact_messages(
    id INTEGER PRIMARY KEY,
    received_at INTEGER NOT NULL,
    subject TEXT NOT NULL,
    name TEXT NOT NULL,
    email TEXT NOT NULL,
    message TEXT NOT NULL,
    address TEXT NOT NULL);
CREATE TABLE failed_logins(
    address TEXT NOT NULL,
    at INTEGER NOT NULL);
CREATE INDEX failed_logins_address ON failed_logins(address, at);
)sql",
    // Predictions stored in (contest, player) order, so that scoring a whole contest reads them in one pass.
    R"sql(
CREATE TABLE predictions_by_player(
    contest TEXT NOT NULL,
    player_id INTEGER NOT NULL REFERENCES players(id) ON DELETE CASCADE,
    match_key TEXT NOT NULL,
    team1 TEXT NOT NULL,
    team2 TEXT NOT NULL,
    goals1 INTEGER,
    goals2 INTEGER,
    winner INTEGER NOT NULL,
    upload_id INTEGER NOT NULL REFERENCES uploads(id) ON DELETE CASCADE,
    PRIMARY KEY(contest, player_id, match_key)) WITHOUT ROWID;
INSERT INTO predictions_by_player(contest, player_id, match_key, team1, team2, goals1, goals2, winner, upload_id)
    SELECT contest, player_id, match_key, team1, team2, goals1, goals2, winner, upload_id FROM predictions;
DROP TABLE predictions;
ALTER TABLE predictions_by_player RENAME TO predictions;
)sql",
    // The bracket and champion are now kept apart from the match predictions, from the last file sent
    // before the first kick-off: the contest takes them from the stored files of these players.
    R"sql(
CREATE TABLE bracket_pending(player_id INTEGER PRIMARY KEY REFERENCES players(id) ON DELETE CASCADE);
INSERT OR IGNORE INTO bracket_pending SELECT DISTINCT player_id FROM uploads WHERE contest = 'euro';
)sql",
    // Login attempts per address and per account, reserved before the password is checked; registrations
    // and uploads per address, for their limits.
    R"sql(
DROP TABLE IF EXISTS failed_logins;
CREATE TABLE IF NOT EXISTS attempts(
    id INTEGER PRIMARY KEY,
    kind TEXT NOT NULL,
    address TEXT NOT NULL,
    account TEXT NOT NULL,
    at INTEGER NOT NULL,
    failed INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS attempts_address ON attempts(kind, address, at);
CREATE INDEX IF NOT EXISTS attempts_account ON attempts(kind, account, at);
CREATE INDEX IF NOT EXISTS attempts_at ON attempts(at);
CREATE INDEX IF NOT EXISTS contact_messages_address ON contact_messages(address, received_at);
CREATE INDEX IF NOT EXISTS contact_messages_received ON contact_messages(received_at);
)sql",
    // The bytes handed in per hour, site-wide, for their bound; the site's own signing keys. A score box
    // left empty is no prediction.
    R"sql(
CREATE TABLE IF NOT EXISTS upload_bytes(
    at INTEGER NOT NULL,
    bytes INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS upload_bytes_at ON upload_bytes(at, bytes);
CREATE INDEX IF NOT EXISTS attempts_kind ON attempts(kind, at);
DELETE FROM predictions WHERE (goals1 IS NULL OR goals2 IS NULL) AND substr(match_key, 1, 1) <> '+';
CREATE TABLE IF NOT EXISTS site_keys(
    name TEXT PRIMARY KEY,
    value BLOB NOT NULL);
)sql",
};

}  // namespace

Statement::Statement(Database& db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
        SQLITE_OK) {
        db.fail("prepare");
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) db_.fail("bind");
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK) {
        db_.fail("bind");
    }
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    if (sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK) {
        db_.fail("bind");
    }
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK) db_.fail("bind");
    return *this;
}

Statement& Statement::bind(int index, std::optional<int> value) {
    return value ? bind(index, static_cast<std::int64_t>(*value)) : bindNull(index);
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    db_.fail("step");
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::optional<int> Statement::optionalInt(int column) const {
    if (isNull(column)) return std::nullopt;
    return sqlite3_column_int(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_blob(stmt_, column));
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::string(p, static_cast<size_t>(n)) : std::string();
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Database::Database(const std::filesystem::path& file, Opening opening) : file_(file) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError(file.string() + ": cannot open: " + why);
    }
    sqlite3_busy_timeout(db_, 5000);
    try {
        // Checked before the first write: a file that is not ours, or not whole, is left as it was.
        if (opening == Opening::Checked) checkFile();
        exec("PRAGMA journal_mode=WAL;");
        exec("PRAGMA synchronous=NORMAL;");
        exec("PRAGMA foreign_keys=ON;");
        if (opening == Opening::Checked) migrate();
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

void Database::checkFile() {
    if (sqlite3_db_readonly(db_, "main") == 1) {
        throw DatabaseError(file_.string() + ": the file is read-only; the site must be able to write it");
    }
    std::int64_t application = 0, version = 0, objects = 0, ourTables = 0;
    try {
        application = single("PRAGMA application_id");
        version = single("PRAGMA user_version");
        objects = single("SELECT COUNT(*) FROM sqlite_master");
        ourTables = single(
            "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN ('players', 'sessions', "
            "'uploads', 'predictions', 'contact_messages')");
    } catch (const DatabaseError&) {
        throw DatabaseError(file_.string() + ": not a database of zenkor-site, or damaged (" +
                            sqlite3_errmsg(db_) + ")");
    }
    // A site from before the mark left its schema versions and its tables, without an application id.
    const bool unmarkedOurs = application == 0 && version > 0 && ourTables == 5;
    const bool fresh = application == 0 && version == 0 && objects == 0;
    if (application != kApplicationId && !unmarkedOurs && !fresh) {
        throw DatabaseError(file_.string() + ": not a database of zenkor-site (application id " +
                            std::to_string(application) + ", " + std::to_string(objects) +
                            " tables and indexes of another program); nothing was changed");
    }
    if (version > static_cast<std::int64_t>(kMigrations.size())) {
        throw DatabaseError(file_.string() + ": made by a newer zenkor-site (schema " +
                            std::to_string(version) + ", this one knows " +
                            std::to_string(kMigrations.size()) + "); nothing was changed");
    }
    std::string verdict;
    try {
        Statement check(*this, "PRAGMA quick_check(1)");
        verdict = check.step() ? check.text(0) : "no answer";
    } catch (const DatabaseError&) {
        verdict = sqlite3_errmsg(db_);
    }
    if (verdict != "ok") {
        throw DatabaseError(file_.string() + ": the database is damaged (" + verdict +
                            "); put back a backup of it, or move it away to start an empty contest");
    }
}

std::int64_t Database::single(const char* sql) {
    Statement st(*this, sql);
    return st.step() ? st.integer(0) : 0;
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw DatabaseError("database: " + why);
    }
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
    return sqlite3_changes(db_);
}

int Database::schemaVersion() {
    Statement st(*this, "PRAGMA user_version");
    return st.step() ? static_cast<int>(st.integer(0)) : 0;
}

void Database::fail(std::string_view what) const {
    throw DatabaseError("database " + std::string(what) + ": " + sqlite3_errmsg(db_));
}

void Database::migrate() {
    const int current = schemaVersion();
    if (single("PRAGMA application_id") != kApplicationId) {
        Transaction tx(*this);
        exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
        tx.commit();
    }
    for (int step = current; step < static_cast<int>(kMigrations.size()); ++step) {
        // The version moves with the step's own transaction, so a failed step leaves the old schema whole;
        // it is read again inside it, since another process (an owner's command) may have taken the step.
        Transaction tx(*this);
        step = schemaVersion();
        if (step >= static_cast<int>(kMigrations.size())) break;
        exec(kMigrations[static_cast<size_t>(step)]);
        exec(("PRAGMA user_version=" + std::to_string(step + 1)).c_str());
        tx.commit();
    }
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace contest
