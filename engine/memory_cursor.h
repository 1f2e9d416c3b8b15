// For tests: a read-only table in memory that follows the cursor's rules, so that the
// exchange's walk over stored order can be checked without a database file.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cursor_reader.h"

namespace qinghe {

class MemoryCursor final : public CursorReader {
 public:
  using Row = std::map<std::string, GbkText, std::less<>>;

  // `tables` maps a table name to its rows in stored order.
  explicit MemoryCursor(std::map<std::string, std::vector<Row>, std::less<>> tables)
      : tables_(std::move(tables)) {}

  void CloseTable() override { open_ = nullptr; }
  bool OpenTable(std::string_view table) override {
    const auto it = tables_.find(table);
    open_ = it == tables_.end() ? nullptr : &it->second;
    position_ = 0;
    return open_ != nullptr;
  }
  int RecordCount() override { return open_ ? static_cast<int>(open_->size()) : -1; }
  bool MoveToFirst() override {
    if (!open_ || open_->empty()) return false;
    position_ = 0;
    return true;
  }
  bool FindRecord(std::string_view condition) override {
    const std::size_t equals = condition.find('=');
    if (!open_ || equals == std::string_view::npos || equals + 1 == condition.size()) return false;
    const std::string_view field = condition.substr(0, equals),
                           value = condition.substr(equals + 1);
    for (; position_ < open_->size(); ++position_) {
      const auto it = (*open_)[position_].find(field);
      if (it != (*open_)[position_].end() && it->second == value) return true;
    }
    return false;
  }
  GbkText ReadText(std::string_view field) override {
    if (!open_ || position_ >= open_->size()) return {};
    const auto it = (*open_)[position_].find(field);
    return it == (*open_)[position_].end() ? GbkText() : it->second;
  }

 private:
  std::map<std::string, std::vector<Row>, std::less<>> tables_;
  std::vector<Row>* open_ = nullptr;
  std::size_t position_ = 0;
};

}  // namespace qinghe
