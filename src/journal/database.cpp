#include "journal/database.h"

#include <sqlite3.h>

#include <utility>

namespace toq::journal {

namespace {

// How long a write waits for another program's (the window and toq-cli on one table).
constexpr int kBusyMilliseconds = 300;

}  // namespace

bool DbError::damaged() const {
  const int primary = code & 0xff;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool DbError::locked() const {
  const int primary = code & 0xff;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

std::optional<Database> Database::open(const std::filesystem::path& file, DbError& error) {
  sqlite3* db = nullptr;
  const std::u8string name = file.u8string();
  const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    error = {rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)};
    sqlite3_close(db);
    return std::nullopt;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, kBusyMilliseconds);
  return Database(db);
}

Database::Database(Database&& other) noexcept : db_(other.db_) {
  other.db_ = nullptr;
}

Database& Database::operator=(Database&& other) noexcept {
  std::swap(db_, other.db_);
  return *this;
}

Database::~Database() {
  sqlite3_close(db_);
}

bool Database::exec(const char* sql, DbError& error) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  error = lastError();
  return false;
}

DbError Database::lastError() const {
  return {sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)};
}

std::int64_t Database::lastRowId() const {
  return sqlite3_last_insert_rowid(db_);
}

Statement::Statement(const Database& db, const char* sql) {
  if (sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::bind(std::int64_t value) {
  if (stmt_) sqlite3_bind_int64(stmt_, next_++, value);
  return *this;
}

Statement& Statement::bind(std::string_view text) {
  if (stmt_)
    sqlite3_bind_text64(stmt_, next_++, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  return *this;
}

Statement& Statement::bindBlob(std::string_view bytes) {
  // A zero-length blob is still a blob, never NULL.
  if (stmt_) sqlite3_bind_blob64(stmt_, next_++, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
  return *this;
}

bool Statement::step() {
  if (!stmt_) return false;
  const int rc = sqlite3_step(stmt_);
  finished_ = rc == SQLITE_DONE;
  return rc == SQLITE_ROW;
}

std::int64_t Statement::integer(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string Statement::text(int column) const {
  const void* bytes = sqlite3_column_blob(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  return bytes ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size))
               : std::string();
}

}  // namespace toq::journal
