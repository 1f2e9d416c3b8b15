#include "sqlite_db.h"

#include <sqlite3.h>

#include <random>

#include "sha256.h"

namespace qinghe {

void SqliteCloser::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) !=
      SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

std::string PasswordDigest(std::string_view salt, std::string_view password) {
  std::string message(salt);
  message.append(password);
  return Sha256Hex(message);
}

std::string NewPasswordSalt() {
  static constexpr char kHex[] = "0123456789abcdef";
  std::random_device random;
  std::string salt;
  while (salt.size() < 32) {
    const unsigned bits = random();
    for (int shift = 0; shift < 32 && salt.size() < 32; shift += 4) {
      salt.push_back(kHex[(bits >> shift) & 0xF]);
    }
  }
  return salt;
}

SqliteHandle OpenDatabaseFile(const std::string& path, const std::string& password, bool read_only,
                              std::string& error) {
  sqlite3* raw = nullptr;
  // One thread uses a connection at a time, so SQLite's own locking per call is not needed.
  const int flags =
      (read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
  SqliteHandle db(raw);
  if (rc != SQLITE_OK) {
    error = path + ": " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    return nullptr;
  }
  // A short wait rides out another program's brief write; a file held locked fails.
  sqlite3_busy_timeout(raw, 100);
  SqliteStatement verifier(raw, std::string("SELECT salt, sha256 FROM ") + kPasswordTable);
  if (!verifier.ok()) {
    const int code = sqlite3_errcode(raw);
    error = path + ": " +
            (code == SQLITE_ERROR ? std::string("not a database of this program")
                                  : std::string(sqlite3_errmsg(raw)));
    return nullptr;
  }
  bool matches = false;
  int rows = 0;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(verifier.get())) == SQLITE_ROW) {
    const auto* salt = reinterpret_cast<const char*>(sqlite3_column_text(verifier.get(), 0));
    const auto* digest = reinterpret_cast<const char*>(sqlite3_column_text(verifier.get(), 1));
    matches = salt && digest && PasswordDigest(salt, password) == digest;
    ++rows;
  }
  if (step != SQLITE_DONE) {
    error = path + ": " + sqlite3_errmsg(raw);
    return nullptr;
  }
  if (rows != 1 || !matches) {
    error = path + ": " + (rows != 1 ? "damaged password verifier" : "wrong password");
    return nullptr;
  }
  return db;
}

std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted.push_back(c);
    if (c == '"') quoted.push_back('"');
  }
  quoted.push_back('"');
  return quoted;
}

bool ExecuteSql(sqlite3* db, const char* sql, std::string& error) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
  error = message ? message : sqlite3_errmsg(db);
  sqlite3_free(message);
  return false;
}

}  // namespace qinghe
