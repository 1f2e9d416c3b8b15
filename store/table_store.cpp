#include "table_store.h"

namespace qinghe {

TableSnapshot::StoredCell TableSnapshot::Store(const FieldView& value) {
  if (value.kind != FieldValue::Kind::kText && value.kind != FieldValue::Kind::kBlob) {
    return {value.kind, 0, value.kind == FieldValue::Kind::kInteger ? value.integer : 0};
  }
  const auto offset = static_cast<std::int64_t>(bytes_.size());
  bytes_.append(value.bytes);
  return {value.kind, static_cast<std::uint32_t>(value.bytes.size()), offset};
}

void TableSnapshot::Reserve(std::size_t records) {
  row_ids.reserve(records);
  cells_.reserve(records * columns.size());
}

void TableSnapshot::AppendCell(const FieldView& value) { cells_.push_back(Store(value)); }

// The bytes of the cell's old value stay in the buffer unused; records change rarely.
void TableSnapshot::SetCell(std::size_t index, const FieldView& value) {
  cells_[index] = Store(value);
}

FieldView TableSnapshot::Cell(std::size_t index) const {
  const StoredCell& cell = cells_[index];
  if (cell.kind == FieldValue::Kind::kText || cell.kind == FieldValue::Kind::kBlob) {
    return {cell.kind, 0,
            std::string_view(bytes_).substr(static_cast<std::size_t>(cell.integer), cell.size)};
  }
  return {cell.kind, cell.integer, {}};
}

}  // namespace qinghe
