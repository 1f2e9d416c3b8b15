#include "sqlite_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

namespace qinghe {
namespace {

// The column's type by SQLite's affinity rules for its declared type.
ColumnType TypeOf(const char* declared) {
  std::string type = declared ? declared : "";
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (type.find("INT") != std::string::npos) return ColumnType::kInteger;
  if (type.find("CHAR") != std::string::npos || type.find("CLOB") != std::string::npos ||
      type.find("TEXT") != std::string::npos) {
    return ColumnType::kText;
  }
  if (type.empty() || type.find("BLOB") != std::string::npos) return ColumnType::kBlob;
  return ColumnType::kNumeric;
}

// The value of a result column, in place: valid until the statement steps again.
FieldView ColumnView(sqlite3_stmt* statement, int column) {
  // The value object is read directly: cheaper than the column calls, the same result.
  sqlite3_value* value = sqlite3_column_value(statement, column);
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return {FieldValue::Kind::kInteger, sqlite3_value_int64(value), {}};
    case SQLITE_NULL:
      return {};
    case SQLITE_BLOB: {
      const auto* data = static_cast<const char*>(sqlite3_value_blob(value));
      const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
      return {FieldValue::Kind::kBlob, 0, data ? std::string_view(data, size) : ""};
    }
    default: {  // text, and a real number as its text
      const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
      const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
      return {FieldValue::Kind::kText, 0, data ? std::string_view(data, size) : ""};
    }
  }
}

int Bind(sqlite3_stmt* statement, int index, const FieldValue& value) {
  switch (value.kind) {
    case FieldValue::Kind::kNull:
      return sqlite3_bind_null(statement, index);
    case FieldValue::Kind::kInteger:
      return sqlite3_bind_int64(statement, index, value.integer);
    case FieldValue::Kind::kText:
      return sqlite3_bind_text64(statement, index, value.bytes.data(), value.bytes.size(),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
    case FieldValue::Kind::kBlob:
      return sqlite3_bind_blob64(statement, index, value.bytes.data(), value.bytes.size(),
                                 SQLITE_TRANSIENT);
  }
  return SQLITE_MISUSE;
}

constexpr sqlite3_int64 kMaxReserve = 1 << 20;

std::string SelectAll(std::string_view table) {
  return "SELECT rowid, * FROM " + QuoteIdentifier(table) + " ORDER BY rowid";
}

}  // namespace

std::unique_ptr<SqliteStore> SqliteStore::Open(const std::string& path, const std::string& password,
                                               std::string& error) {
  SqliteHandle db = OpenDatabaseFile(path, password, /*read_only=*/false, error);
  if (!db) return nullptr;
  return std::unique_ptr<SqliteStore>(new SqliteStore(std::move(db)));
}

bool SqliteStore::LoadTable(std::string_view table, TableSnapshot& out, std::string& error) {
  SqliteStatement select(db_.get(), SelectAll(table));
  if (!select.ok()) {
    error = sqlite3_errmsg(db_.get());
    return false;
  }
  sqlite3_stmt* statement = select.get();
  const int count = sqlite3_column_count(statement);
  out = TableSnapshot();
  for (int i = 1; i < count; ++i) {
    out.columns.push_back(
        {sqlite3_column_name(statement, i), TypeOf(sqlite3_column_decltype(statement, i))});
  }
  // The highest row id, found at once, sizes the snapshot: row ids of tables that only
  // grow run from 1 without gaps.
  SqliteStatement highest(db_.get(), "SELECT max(rowid) FROM " + QuoteIdentifier(table));
  if (highest.ok() && sqlite3_step(highest.get()) == SQLITE_ROW) {
    out.Reserve(static_cast<std::size_t>(
        std::clamp<sqlite3_int64>(sqlite3_column_int64(highest.get(), 0), 0, kMaxReserve)));
  }
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    out.row_ids.push_back(sqlite3_column_int64(statement, 0));
    for (int i = 1; i < count; ++i) out.AppendCell(ColumnView(statement, i));
  }
  if (step != SQLITE_DONE) {
    error = sqlite3_errmsg(db_.get());
    out = TableSnapshot();
    return false;
  }
  return true;
}

bool SqliteStore::RunReturning(const std::string& sql, const FieldChanges& changes,
                               const std::int64_t* where_row_id, std::int64_t& row_id,
                               std::vector<FieldValue>& stored, std::string& error) {
  SqliteStatement change(db_.get(), sql);
  sqlite3_stmt* statement = change.get();
  bool bound = change.ok();
  int index = 1;
  for (const auto& [column, value] : changes) {
    bound = bound && Bind(statement, index++, value) == SQLITE_OK;
  }
  if (bound && where_row_id)
    bound = sqlite3_bind_int64(statement, index, *where_row_id) == SQLITE_OK;
  if (!bound) {
    error = sqlite3_errmsg(db_.get());
    return false;
  }
  // The statement is one implicit transaction: it is stored once stepped to its end.
  int rows = 0;
  int step = SQLITE_ROW;
  std::vector<FieldValue> values;
  std::int64_t new_row_id = 0;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    ++rows;
    new_row_id = sqlite3_column_int64(statement, 0);
    values.resize(static_cast<std::size_t>(sqlite3_column_count(statement) - 1));
    for (std::size_t i = 0; i < values.size(); ++i) {
      const FieldView view = ColumnView(statement, static_cast<int>(i) + 1);
      values[i] = {view.kind, view.integer, std::string(view.bytes)};
    }
  }
  if (step != SQLITE_DONE) {
    error = sqlite3_errmsg(db_.get());
    return false;
  }
  if (rows != 1) {
    error = "the record no longer exists";
    return false;
  }
  row_id = new_row_id;
  stored = std::move(values);
  return true;
}

bool SqliteStore::UpdateRecord(std::string_view table, const std::vector<Column>& columns,
                               const FieldChanges& changes, std::int64_t& row_id,
                               std::vector<FieldValue>& stored, std::string& error) {
  std::string sql = "UPDATE " + QuoteIdentifier(table) + " SET ";
  for (std::size_t i = 0; i < changes.size(); ++i) {
    if (i > 0) sql += ", ";
    sql += QuoteIdentifier(columns.at(changes[i].first).name) + " = ?";
  }
  sql += " WHERE rowid = ? RETURNING rowid, *";
  const std::int64_t where = row_id;
  return RunReturning(sql, changes, &where, row_id, stored, error);
}

bool SqliteStore::InsertRecord(std::string_view table, const std::vector<Column>& columns,
                               const FieldChanges& changes, std::int64_t& row_id,
                               std::vector<FieldValue>& stored, std::string& error) {
  std::string sql = "INSERT INTO " + QuoteIdentifier(table);
  if (changes.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string names, places;
    for (std::size_t i = 0; i < changes.size(); ++i) {
      if (i > 0) {
        names += ", ";
        places += ", ";
      }
      names += QuoteIdentifier(columns.at(changes[i].first).name);
      places += "?";
    }
    sql += " (" + names + ") VALUES (" + places + ")";
  }
  sql += " RETURNING rowid, *";
  return RunReturning(sql, changes, nullptr, row_id, stored, error);
}

bool SqliteStore::DeleteRecord(std::string_view table, std::int64_t row_id, std::string& error) {
  SqliteStatement remove(db_.get(), "DELETE FROM " + QuoteIdentifier(table) + " WHERE rowid = ?");
  if (!remove.ok() || sqlite3_bind_int64(remove.get(), 1, row_id) != SQLITE_OK ||
      sqlite3_step(remove.get()) != SQLITE_DONE) {
    error = sqlite3_errmsg(db_.get());
    return false;
  }
  if (sqlite3_changes(db_.get()) != 1) {
    error = "the record no longer exists";
    return false;
  }
  return true;
}

}  // namespace qinghe
