// What the record cursor needs of a data engine: read a whole table in stored order, and
// change, add and delete single records by their row id. The cursor's rules (positions,
// pending changes, the static set) live in RecordCursor; an engine only moves values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qinghe {

// One stored value. Text is UTF-8, a blob is raw bytes; a real number arrives as text.
struct FieldValue {
  enum class Kind : std::uint8_t { kNull, kInteger, kText, kBlob };
  Kind kind = Kind::kNull;
  std::int64_t integer = 0;  // kInteger
  std::string bytes;         // kText, kBlob
};

// A stored value seen in place: `bytes` points into the value's owner.
struct FieldView {
  FieldValue::Kind kind = FieldValue::Kind::kNull;
  std::int64_t integer = 0;
  std::string_view bytes;
};

inline FieldView ViewOf(const FieldValue& value) {
  return {value.kind, value.integer, value.bytes};
}

// The declared type of a column, by the engine's affinity rules: kNumeric for a number
// column that is not declared integer.
enum class ColumnType : std::uint8_t { kInteger, kText, kBlob, kNumeric };

struct Column {
  std::string name;  // UTF-8
  ColumnType type = ColumnType::kBlob;
};

// Every record of a table: its columns, and per record its row id and one value per
// column (row-major: record i's values are cells i * columns.size() onward). The bytes of
// all texts and blobs share one buffer, so that a table of many short words costs few
// allocations.
class TableSnapshot {
 public:
  std::vector<Column> columns;
  std::vector<std::int64_t> row_ids;

  // Makes room for `records` records of the current columns.
  void Reserve(std::size_t records);
  std::size_t CellCount() const { return cells_.size(); }
  void AppendCell(const FieldView& value) { cells_.push_back(Store(value)); }
  void SetCell(std::size_t index, const FieldView& value);
  // Drops the cells from `count` on.
  void TruncateCells(std::size_t count) { cells_.resize(count); }
  // The value of a cell; valid until the snapshot changes.
  FieldView Cell(std::size_t index) const {
    const StoredCell& cell = cells_[index];
    if (cell.kind == FieldValue::Kind::kText || cell.kind == FieldValue::Kind::kBlob) {
      return {cell.kind, 0, {bytes_.data() + cell.integer, cell.size}};
    }
    return {cell.kind, cell.integer, {}};
  }

 private:
  struct StoredCell {
    FieldValue::Kind kind = FieldValue::Kind::kNull;
    std::uint32_t size = 0;    // kText, kBlob: length of the bytes
    std::int64_t integer = 0;  // kInteger: the value; kText, kBlob: offset of the bytes
  };
  StoredCell Store(const FieldView& value) {
    if (value.kind != FieldValue::Kind::kText && value.kind != FieldValue::Kind::kBlob) {
      return {value.kind, 0, value.kind == FieldValue::Kind::kInteger ? value.integer : 0};
    }
    const auto offset = static_cast<std::int64_t>(bytes_.size());
    bytes_.append(value.bytes);
    return {value.kind, static_cast<std::uint32_t>(value.bytes.size()), offset};
  }

  std::vector<StoredCell> cells_;
  std::string bytes_;
};

// New values for some columns of one record, by column index.
using FieldChanges = std::vector<std::pair<std::size_t, FieldValue>>;

// A data engine. Each call either succeeds or leaves the stored data unchanged and sets
// `error` to the engine's description of the failure (UTF-8).
class TableStore {
 public:
  virtual ~TableStore() = default;

  // Reads every record of `table` (UTF-8 name, never a query) in stored order.
  virtual bool LoadTable(std::string_view table, TableSnapshot& out, std::string& error) = 0;

  // Stores `changes` into the record `row_id` of `table`, whose columns are `columns`.
  // On success `row_id` and `stored` (one value per column) hold the record as stored.
  // A record that no longer exists is a failure.
  virtual bool UpdateRecord(std::string_view table, const std::vector<Column>& columns,
                            const FieldChanges& changes, std::int64_t& row_id,
                            std::vector<FieldValue>& stored, std::string& error) = 0;

  // Adds a record holding `changes` (the other columns take their defaults). On success
  // `row_id` and `stored` hold the new record as stored, with the values the engine
  // assigned.
  virtual bool InsertRecord(std::string_view table, const std::vector<Column>& columns,
                            const FieldChanges& changes, std::int64_t& row_id,
                            std::vector<FieldValue>& stored, std::string& error) = 0;

  // Deletes the record `row_id`; a record that no longer exists is a failure.
  virtual bool DeleteRecord(std::string_view table, std::int64_t row_id, std::string& error) = 0;
};

}  // namespace qinghe
