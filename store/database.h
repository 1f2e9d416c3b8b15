// The database of the program: the connection to the file "rizevor.mdb" and the one
// record cursor through which every table access goes.
//
// The file is an SQLite database (layout in docs/database.md) with the tables "ck" (the
// scrambled synonym pairs) and "th" (the user's replacement list). Texts cross the cursor
// as code page 936 bytes (GbkText); the file keeps the texts of "th" as UTF-8 and the
// words of "ck" as blobs, byte for byte.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cursor_reader.h"
#include "gbk_text.h"
#include "table_store.h"

namespace qinghe {

inline constexpr char kDatabaseFileName[] = "rizevor.mdb";
inline constexpr char kDatabasePassword[] = "836251904";  // the nine-digit password of the build

// "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path + ";Jet OLEDB:Database
// Password=" + password + ";"; without the password part when the password is empty.
std::string BuildConnectionString(std::string_view path, std::string_view password);

struct ConnectionTarget {
  std::string path;
  std::string password;
};

// The path and password of a connection string made by BuildConnectionString. The password
// part is taken from the end, so a path may hold ';' and '='; only a path that itself ends
// in a password part, given with an empty password, cannot be told apart. Nothing for a
// string that does not start with the provider and data source parts.
std::optional<ConnectionTarget> ParseConnectionString(std::string_view connection_string);

// The connection (数据库连接1): closed, or open on one database file.
class DatabaseConnection {
 public:
  DatabaseConnection();
  ~DatabaseConnection();
  DatabaseConnection(const DatabaseConnection&) = delete;
  DatabaseConnection& operator=(const DatabaseConnection&) = delete;

  // Builds the connection string from `path` (UTF-8 file-system path) and `password`,
  // closes an open connection, then opens the file named in the string. False for a
  // missing file (which is never created), a file that is not such a database, a wrong
  // password, or a file that another connection holds locked; LastError says which.
  bool ConnectDatabase(const std::string& path, const std::string& password);
  const std::string& ConnectionString() const;
  bool IsOpen() const;
  // Why the last ConnectDatabase failed (UTF-8), empty after a success.
  const std::string& LastError() const;
  // The open data engine, or nullptr when the connection is closed.
  TableStore* Store();

 private:
  std::string connection_string_;
  std::string last_error_;
  std::unique_ptr<TableStore> store_;
};

// The record cursor (记录集1): closed, or open on one table with a static set of its records
// in stored order, a position (a current record or the end) and pending changes of the
// current record. Moves store pending changes first and fail without moving when that
// fails; reads never move; failures are reported by results (false, -1, 0, empty text).
// The cursor reads and writes through the connection it is attached to, which must
// outlive it; connection and cursor are used by one thread at a time.
class RecordCursor final : public CursorReader {
 public:
  // Binds the cursor to `connection` for later opens; does not check that it is open.
  bool AttachCursor(DatabaseConnection& connection);

  // Closes the cursor if it is open; pending changes are dropped.
  void CloseTable() override;
  // Closes first, then reads every record of `table` into the set; the first record is
  // current (or the end for an empty table). When the engine reports an error, the store's
  // message hook gets its description, the cursor stays closed and the result is false;
  // without an attached connection the result is false with no message.
  bool OpenTable(std::string_view table) override;
  // Records in the set that are not deleted; -1 when closed.
  int RecordCount() override;
  // The first record that is not deleted becomes current; false (at the end) when none.
  bool MoveToFirst() override;
  // The next record that is not deleted becomes current, or the end after the last one;
  // false at the end, changing nothing.
  bool MoveToNext();
  // `condition` is one comparison "field=number" (spaces allowed around both); the search
  // runs from the current record (the first candidate) toward the end. Found: current,
  // true. Not found: at the end, false. A condition that cannot be evaluated (no value, no
  // number, a missing field or one of text or blob type) or a closed cursor: false without
  // moving.
  bool FindRecord(std::string_view condition) override;

  // The value of a field of the current record (pending value first) as code page 936
  // text: a blob byte for byte (up to a zero byte), UTF-8 text converted (a character code
  // page 936 cannot write becomes an HTML character reference), an integer in decimal.
  // Empty when the field holds no value, at the end, on a deleted record, when closed or
  // for a missing field.
  GbkText ReadText(std::string_view field) override;
  // The value of an integer field; 0 for no value, another type, a value outside 32 bits,
  // at the end, on a deleted record or when closed.
  std::int32_t ReadInteger(std::string_view field);
  // True when an integer field holds a value that is not zero; false otherwise.
  bool ReadBool(std::string_view field);

  // Sets a field of the current record as a pending change. The empty text sets no value
  // (null); a blob column takes the bytes as they are; any other column takes UTF-8 text,
  // or the raw bytes as a blob when `text` is not valid code page 936, so nothing is lost.
  bool WriteText(std::string_view field, std::string_view text);
  // Sets a field of the current record to 1 or 0 as a pending change.
  bool WriteBool(std::string_view field, bool value);

  // Stores pending changes, then appends a record without values at the end of the set
  // and makes it current; it is pending as a whole until stored.
  bool AddRecord();
  // Stores the pending changes of the current record; true when there are none. On
  // failure the changes are dropped: the record keeps its stored values, and an added
  // record that was never stored leaves the set (the record current before AddRecord is
  // current again).
  bool SaveRecord();
  // Deletes the current record from the table at once (an added, never stored record is
  // just dropped). It stays current without readable fields until the cursor moves and is
  // not visited again.
  bool DeleteRecord();

 private:
  bool IsOnRecord() const;
  // Index of the column named `field` (ASCII letters in any case), or -1.
  int FieldIndex(std::string_view field) const;
  // The value of a field of the current record, its pending change if any; nothing at the
  // end, on a deleted record or for a missing field.
  std::optional<FieldView> CurrentValue(std::string_view field) const;
  bool SetPending(std::string_view field, FieldValue value);
  bool StorePending();
  void DropAddedRecord();
  std::size_t NextVisible(std::size_t from) const;

  DatabaseConnection* connection_ = nullptr;
  bool open_ = false;
  std::string table_;                 // UTF-8
  std::vector<GbkText> field_names_;  // the column names as code page 936 text
  TableSnapshot set_;
  std::vector<bool> deleted_;
  std::size_t position_ = 0;  // == number of records in the set: the end
  FieldChanges pending_;
  bool pending_add_ = false;
  std::size_t position_before_add_ = 0;
};

// The store's one message: a table that cannot be opened shows the data engine's
// description (UTF-8). The window installs a message box; the command-line tool prints to
// standard error. Default: nothing.
void SetStoreMessageHook(std::function<void(const std::string& text)> hook);

}  // namespace qinghe
