#include "table_store.h"

namespace qinghe {

void TableSnapshot::Reserve(std::size_t records) {
  row_ids.reserve(records);
  cells_.reserve(records * columns.size());
}

// The bytes of the cell's old value stay in the buffer unused; records change rarely.
void TableSnapshot::SetCell(std::size_t index, const FieldView& value) {
  cells_[index] = Store(value);
}

}  // namespace qinghe
