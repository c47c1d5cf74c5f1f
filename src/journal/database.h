#pragma once
// A thin owner of one SQLite connection and its prepared statements, so that the journal's
// code reads as its queries and every failure keeps SQLite's own code and message.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace toq::journal {

/// What went wrong in SQLite: its result code (SQLITE_BUSY, SQLITE_CORRUPT...) and message.
struct DbError {
  int code = 0;
  std::string message;
  /// The file is not a database or its pages are broken.
  bool damaged() const;
  /// Another connection holds the file.
  bool locked() const;
};

/// One connection; closed with the object.
class Database {
 public:
  /// Opens or creates the file; nullopt with `error` set when it cannot.
  static std::optional<Database> open(const std::filesystem::path& file, DbError& error);
  Database(Database&& other) noexcept;
  Database& operator=(Database&& other) noexcept;
  Database(const Database&) = delete;
  ~Database();

  /// Runs statements without results; false with `error` set.
  bool exec(const char* sql, DbError& error);
  sqlite3* handle() const { return db_; }
  DbError lastError() const;
  /// The rowid of the latest insert on this connection.
  std::int64_t lastRowId() const;

 private:
  explicit Database(sqlite3* db) : db_(db) {}
  sqlite3* db_;
};

/// One prepared statement; its parameters are bound 1-based in order of `bind` calls.
class Statement {
 public:
  Statement(const Database& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  Statement& bind(std::int64_t value);
  Statement& bind(std::string_view text);
  Statement& bindBlob(std::string_view bytes);
  /// True when a row is ready; false at the end or on failure (see done()).
  bool step();
  /// True when the last step finished the statement without a failure.
  bool done() const { return finished_; }
  std::int64_t integer(int column) const;
  std::string text(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int next_ = 1;
  bool finished_ = false;
};

}  // namespace toq::journal
