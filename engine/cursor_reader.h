// What the rewrite needs of the record cursor: a read-only walk over one table.
#pragma once

#include <string_view>

#include "gbk_text.h"

namespace qinghe {

// The reading operations of the record cursor, with the cursor's rules: OpenTable closes
// an open table first; FindRecord searches forward from the current record (which is the
// first candidate) for a "field=value" condition and leaves the cursor at the end when
// nothing is found; ReadText gives the empty text at the end or on a closed cursor.
// RecordCount is -1 when no table is open.
class CursorReader {
 public:
  virtual ~CursorReader() = default;
  virtual void CloseTable() = 0;
  virtual bool OpenTable(std::string_view table) = 0;
  virtual int RecordCount() = 0;
  virtual bool MoveToFirst() = 0;
  virtual bool FindRecord(std::string_view condition) = 0;
  virtual GbkText ReadText(std::string_view field) = 0;
};

}  // namespace qinghe
