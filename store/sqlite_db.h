// Small helpers over the SQLite C interface, and the opening of a database file of the
// program, which checks the file's password verifier.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qinghe {

struct SqliteCloser {
  void operator()(sqlite3* db) const;
};
// An open SQLite connection, closed when the handle goes.
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

// A prepared statement, finalized when it goes. ok() is false when preparing failed; the
// connection's last error then says why.
class SqliteStatement {
 public:
  SqliteStatement(sqlite3* db, std::string_view sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  bool ok() const { return statement_ != nullptr; }
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// The table that holds the password verifier: one row (salt TEXT, sha256 TEXT).
inline constexpr char kPasswordTable[] = "qinghe_password";

// The verifier of `password`: SHA-256 of the salt's bytes followed by the password's bytes,
// as 64 lower-case hexadecimal digits.
std::string PasswordDigest(std::string_view salt, std::string_view password);

// A fresh random salt: 32 lower-case hexadecimal digits.
std::string NewPasswordSalt();

// Opens the existing database file `path` (never creating it), for reading only or for
// reading and writing, and checks that it holds the verifier of `password`. An empty
// handle, with `error` set, for a missing or locked file, a file that is not a database of
// this program and a wrong password.
SqliteHandle OpenDatabaseFile(const std::string& path, const std::string& password, bool read_only,
                              std::string& error);

// `name` quoted as an SQL identifier.
std::string QuoteIdentifier(std::string_view name);

// Runs statements without results; false with `error` set to the engine's description.
bool ExecuteSql(sqlite3* db, const char* sql, std::string& error);

}  // namespace qinghe
