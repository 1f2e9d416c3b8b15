// The data engine of the store: a database file of the program in SQLite.
#pragma once

#include <memory>
#include <string>

#include "sqlite_db.h"
#include "table_store.h"

namespace qinghe {

// Reads tables in row id order (the stored order) with one query, and changes single
// records by row id, each change in its own transaction.
class SqliteStore final : public TableStore {
 public:
  // Opens the existing file `path` for reading and writing and checks `password` (see
  // OpenDatabaseFile). nullptr with `error` set on failure.
  static std::unique_ptr<SqliteStore> Open(const std::string& path, const std::string& password,
                                           std::string& error);

  bool LoadTable(std::string_view table, TableSnapshot& out, std::string& error) override;
  bool UpdateRecord(std::string_view table, const std::vector<Column>& columns,
                    const FieldChanges& changes, std::int64_t& row_id,
                    std::vector<FieldValue>& stored, std::string& error) override;
  bool InsertRecord(std::string_view table, const std::vector<Column>& columns,
                    const FieldChanges& changes, std::int64_t& row_id,
                    std::vector<FieldValue>& stored, std::string& error) override;
  bool DeleteRecord(std::string_view table, std::int64_t row_id, std::string& error) override;

 private:
  explicit SqliteStore(SqliteHandle db) : db_(std::move(db)) {}
  // Runs a change whose statement returns "rowid, *" of the changed record.
  bool RunReturning(const std::string& sql, const FieldChanges& changes,
                    const std::int64_t* where_row_id, std::int64_t& row_id,
                    std::vector<FieldValue>& stored, std::string& error);

  SqliteHandle db_;
};

}  // namespace qinghe
