// The contest's SQLite database: one file, one connection, prepared statements only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace contest {

class DatabaseError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Database;

// PRAGMA application_id of the site's database ("ZkSt"): a file without it is another program's.
inline constexpr std::int64_t kApplicationId = 0x5A6B5374;

// One prepared statement; parameters are bound by position (1 first), never pasted into the SQL text.
class Statement {
  public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::string_view bytes);
    Statement& bindNull(int index);
    Statement& bind(int index, std::optional<int> value);

    // True while a row is there to read; false once the statement is done.
    bool step();
    // Runs a statement that returns no row.
    void run();
    // Back to the start with no parameters bound, for the next use.
    void reset();

    std::int64_t integer(int column) const;
    std::optional<int> optionalInt(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

  private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Database {
  public:
    enum class Opening {
        Checked,  // the file is checked whole and its schema brought up to date
        Another,  // one more connection to a file this process has opened Checked
    };
    // Opens (creating) the file, sets the connection's pragmas and brings the schema up to date. A file
    // that is another program's, damaged, read-only or of a newer schema throws, left untouched.
    explicit Database(const std::filesystem::path& file, Opening opening = Opening::Checked);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const char* sql);
    std::int64_t lastInsertId() const;
    int changes() const;  // rows changed by the last statement
    int schemaVersion();
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(std::string_view what) const;

  private:
    void checkFile();
    void migrate();
    std::int64_t single(const char* sql);
    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
};

// BEGIN IMMEDIATE ... COMMIT; rolls back unless committed.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Database& db_;
    bool done_ = false;
};

}  // namespace contest
