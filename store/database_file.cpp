#include "database_file.h"

#include <sqlite3.h>

#include "sqlite_db.h"

namespace qinghe {
namespace {

constexpr char kSchema[] =
    "CREATE TABLE qinghe_password (salt TEXT NOT NULL, sha256 TEXT NOT NULL);"
    "CREATE TABLE ck (no INTEGER NOT NULL, a BLOB, b BLOB);"
    "CREATE TABLE th (id INTEGER PRIMARY KEY AUTOINCREMENT, a TEXT, b TEXT, c TEXT,"
    " d INTEGER NOT NULL DEFAULT 0 CHECK (d IN (0, 1)));";

// Steps a statement to its end and resets it for the next bindings.
bool RunStatement(sqlite3* db, const SqliteStatement& statement, std::string& error) {
  const int step = sqlite3_step(statement.get());
  sqlite3_reset(statement.get());
  if (step == SQLITE_DONE) return true;
  error = sqlite3_errmsg(db);
  return false;
}

bool InsertVerifier(sqlite3* db, const std::string& password, std::string& error) {
  SqliteStatement insert(db, std::string("INSERT INTO ") + kPasswordTable + " VALUES (?, ?)");
  const std::string salt = NewPasswordSalt();
  const std::string digest = PasswordDigest(salt, password);
  sqlite3_bind_text(insert.get(), 1, salt.data(), static_cast<int>(salt.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(insert.get(), 2, digest.data(), static_cast<int>(digest.size()),
                    SQLITE_TRANSIENT);
  return RunStatement(db, insert, error);
}

bool InsertPairs(sqlite3* db, const std::vector<StoredWordPair>& pairs, std::string& error) {
  SqliteStatement insert(db, "INSERT INTO ck (no, a, b) VALUES (?, ?, ?)");
  std::int64_t no = 0;
  for (const auto& [a, b] : pairs) {
    sqlite3_bind_int64(insert.get(), 1, ++no);
    sqlite3_bind_blob64(insert.get(), 2, a.data(), a.size(), SQLITE_TRANSIENT);
    sqlite3_bind_blob64(insert.get(), 3, b.data(), b.size(), SQLITE_TRANSIENT);
    if (!RunStatement(db, insert, error)) return false;
  }
  return true;
}

// Copies the "th" records of `from` with their ids, and the highest id handed out there.
bool CopyReplacements(sqlite3* db, const std::string& from, const std::string& password,
                      std::string& error) {
  SqliteHandle old = OpenDatabaseFile(from, password, /*read_only=*/true, error);
  if (!old) return false;
  SqliteStatement select(old.get(), "SELECT id, a, b, c, d FROM th ORDER BY rowid");
  if (!select.ok()) {
    error = from + ": " + sqlite3_errmsg(old.get());
    return false;
  }
  SqliteStatement insert(db, "INSERT INTO th (id, a, b, c, d) VALUES (?, ?, ?, ?, ?)");
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
    for (int i = 0; i < 5; ++i) {
      sqlite3_bind_value(insert.get(), i + 1, sqlite3_column_value(select.get(), i));
    }
    if (!RunStatement(db, insert, error)) {
      error = from + ": " + error;
      return false;
    }
  }
  if (step != SQLITE_DONE) {
    error = from + ": " + sqlite3_errmsg(old.get());
    return false;
  }
  // A file made by another tool may lack the sequence table; its highest id then counts.
  SqliteStatement sequence(old.get(), "SELECT seq FROM sqlite_sequence WHERE name = 'th'");
  if (!sequence.ok() || sqlite3_step(sequence.get()) != SQLITE_ROW) return true;
  SqliteStatement raise(db, "UPDATE sqlite_sequence SET seq = max(seq, ?1) WHERE name = 'th'");
  SqliteStatement add(db,
                      "INSERT INTO sqlite_sequence (name, seq) SELECT 'th', ?1 WHERE NOT EXISTS "
                      "(SELECT 1 FROM sqlite_sequence WHERE name = 'th')");
  const sqlite3_int64 highest = sqlite3_column_int64(sequence.get(), 0);
  sqlite3_bind_int64(raise.get(), 1, highest);
  sqlite3_bind_int64(add.get(), 1, highest);
  return RunStatement(db, raise, error) && RunStatement(db, add, error);
}

}  // namespace

std::optional<ByteSeq> BuildDatabaseImage(const std::vector<StoredWordPair>& pairs,
                                          const std::string& password,
                                          const std::string& keep_replacements_from,
                                          std::string& error) {
  sqlite3* raw = nullptr;
  const int rc =
      sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  SqliteHandle db(raw);
  if (rc != SQLITE_OK) {
    error = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
    return std::nullopt;
  }
  if (!ExecuteSql(raw, "BEGIN", error) || !ExecuteSql(raw, kSchema, error) ||
      !InsertVerifier(raw, password, error) || !InsertPairs(raw, pairs, error) ||
      (!keep_replacements_from.empty() &&
       !CopyReplacements(raw, keep_replacements_from, password, error)) ||
      !ExecuteSql(raw, "COMMIT", error)) {
    return std::nullopt;
  }
  sqlite3_int64 size = 0;
  unsigned char* image = sqlite3_serialize(raw, "main", &size, 0);
  if (!image) {
    error = "out of memory";
    return std::nullopt;
  }
  ByteSeq bytes(reinterpret_cast<const char*>(image), static_cast<std::size_t>(size));
  sqlite3_free(image);
  return bytes;
}

}  // namespace qinghe
