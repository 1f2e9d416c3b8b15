#include <algorithm>
#include <charconv>
#include <limits>

#include "cp936.h"
#include "database.h"

namespace qinghe {
namespace {

std::function<void(const std::string&)>& MessageHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

void ShowStoreMessage(const std::string& text) {
  if (MessageHook()) MessageHook()(text);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void SetStoreMessageHook(std::function<void(const std::string& text)> hook) {
  MessageHook() = std::move(hook);
}

bool RecordCursor::AttachCursor(DatabaseConnection& connection) {
  connection_ = &connection;
  return true;
}

void RecordCursor::CloseTable() {
  open_ = false;
  table_.clear();
  field_names_.clear();
  set_ = TableSnapshot();
  deleted_.clear();
  position_ = 0;
  pending_.clear();
  pending_add_ = false;
}

bool RecordCursor::OpenTable(std::string_view table) {
  if (!connection_) return false;
  CloseTable();
  TableStore* store = connection_->Store();
  std::string error = "the database connection is not open";
  const std::string name = GbkToUtf8Lossy(table);
  if (store && store->LoadTable(name, set_, error)) {
    open_ = true;
    table_ = name;
    for (const Column& column : set_.columns) {
      field_names_.push_back(Utf8ToGbkWithReferences(column.name));
    }
    deleted_.assign(set_.row_ids.size(), false);
    return true;
  }
  ShowStoreMessage(error);
  return false;
}

int RecordCursor::RecordCount() {
  if (!open_) return -1;
  return static_cast<int>(std::count(deleted_.begin(), deleted_.end(), false));
}

std::size_t RecordCursor::NextVisible(std::size_t from) const {
  while (from < deleted_.size() && deleted_[from]) ++from;
  return from;
}

bool RecordCursor::MoveToFirst() {
  if (!open_ || !StorePending()) return false;
  position_ = NextVisible(0);
  return position_ < deleted_.size();
}

bool RecordCursor::MoveToNext() {
  if (!open_ || position_ >= deleted_.size() || !StorePending()) return false;
  position_ = NextVisible(position_ + 1);
  return true;
}

bool RecordCursor::FindRecord(std::string_view condition) {
  if (!open_) return false;
  const std::size_t equals = condition.find('=');
  if (equals == std::string_view::npos) return false;
  const int column = FieldIndex(TrimSpaces(condition.substr(0, equals)));
  const std::string_view value = TrimSpaces(condition.substr(equals + 1));
  std::int64_t number = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (column < 0 || value.empty() || ec != std::errc() || end != value.data() + value.size()) {
    return false;
  }
  const ColumnType type = set_.columns[static_cast<std::size_t>(column)].type;
  if (type == ColumnType::kText || type == ColumnType::kBlob || !StorePending()) return false;
  const std::size_t width = set_.columns.size();
  for (std::size_t row = position_; row < deleted_.size(); ++row) {
    const FieldView cell = set_.Cell(row * width + static_cast<std::size_t>(column));
    if (!deleted_[row] && cell.kind == FieldValue::Kind::kInteger && cell.integer == number) {
      position_ = row;
      return true;
    }
  }
  position_ = deleted_.size();
  return false;
}

bool RecordCursor::IsOnRecord() const {
  return open_ && position_ < deleted_.size() && !deleted_[position_];
}

int RecordCursor::FieldIndex(std::string_view field) const {
  for (std::size_t i = 0; i < field_names_.size(); ++i) {
    if (EqualsIgnoringAsciiCase(field_names_[i], field)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<FieldView> RecordCursor::CurrentValue(std::string_view field) const {
  if (!IsOnRecord()) return std::nullopt;
  const int found = FieldIndex(field);
  if (found < 0) return std::nullopt;
  const auto column = static_cast<std::size_t>(found);
  for (const auto& [pending_column, value] : pending_) {
    if (pending_column == column) return ViewOf(value);
  }
  return set_.Cell(position_ * set_.columns.size() + column);
}

GbkText RecordCursor::ReadText(std::string_view field) {
  const std::optional<FieldView> value = CurrentValue(field);
  if (!value) return {};
  switch (value->kind) {
    case FieldValue::Kind::kNull:
      return {};
    case FieldValue::Kind::kInteger:
      return std::to_string(value->integer);
    case FieldValue::Kind::kBlob:
      return BytesToText(value->bytes);
    case FieldValue::Kind::kText:
      if (IsAscii(value->bytes)) return BytesToText(value->bytes);
      return BytesToText(Utf8ToGbkWithReferences(value->bytes));
  }
  return {};
}

std::int32_t RecordCursor::ReadInteger(std::string_view field) {
  const std::optional<FieldView> value = CurrentValue(field);
  if (!value || value->kind != FieldValue::Kind::kInteger ||
      value->integer < std::numeric_limits<std::int32_t>::min() ||
      value->integer > std::numeric_limits<std::int32_t>::max()) {
    return 0;
  }
  return static_cast<std::int32_t>(value->integer);
}

bool RecordCursor::ReadBool(std::string_view field) {
  const std::optional<FieldView> value = CurrentValue(field);
  return value && value->kind == FieldValue::Kind::kInteger && value->integer != 0;
}

bool RecordCursor::SetPending(std::string_view field, FieldValue value) {
  const int found = FieldIndex(field);
  if (!IsOnRecord() || found < 0) return false;
  const auto column = static_cast<std::size_t>(found);
  for (auto& [pending_column, pending_value] : pending_) {
    if (pending_column == column) {
      pending_value = std::move(value);
      return true;
    }
  }
  pending_.emplace_back(column, std::move(value));
  return true;
}

bool RecordCursor::WriteText(std::string_view field, std::string_view text) {
  FieldValue value;
  const int column = FieldIndex(field);
  if (column < 0) return false;
  if (!text.empty()) {
    const std::optional<std::string> utf8 =
        set_.columns[static_cast<std::size_t>(column)].type == ColumnType::kBlob ? std::nullopt
                                                                                 : GbkToUtf8(text);
    value.kind = utf8 ? FieldValue::Kind::kText : FieldValue::Kind::kBlob;
    value.bytes = utf8 ? *utf8 : std::string(text);
  }
  return SetPending(field, std::move(value));
}

bool RecordCursor::WriteBool(std::string_view field, bool value) {
  return SetPending(field, {FieldValue::Kind::kInteger, value ? 1 : 0, {}});
}

bool RecordCursor::AddRecord() {
  if (!open_ || !StorePending()) return false;
  position_before_add_ = position_;
  set_.row_ids.push_back(0);
  for (std::size_t i = 0; i < set_.columns.size(); ++i) set_.AppendCell({});
  deleted_.push_back(false);
  position_ = deleted_.size() - 1;
  pending_add_ = true;
  return true;
}

bool RecordCursor::SaveRecord() {
  if (!open_ || position_ >= deleted_.size()) return false;
  return StorePending();
}

bool RecordCursor::DeleteRecord() {
  if (!IsOnRecord()) return false;
  if (!pending_add_) {
    TableStore* store = connection_->Store();
    std::string error;
    if (!store || !store->DeleteRecord(table_, set_.row_ids[position_], error)) return false;
  }
  deleted_[position_] = true;
  pending_.clear();
  pending_add_ = false;
  return true;
}

bool RecordCursor::StorePending() {
  if (!pending_add_ && pending_.empty()) return true;
  TableStore* store = connection_->Store();
  std::int64_t row_id = set_.row_ids[position_];
  std::vector<FieldValue> stored;
  std::string error;
  const bool ok =
      store &&
      (pending_add_ ? store->InsertRecord(table_, set_.columns, pending_, row_id, stored, error)
                    : store->UpdateRecord(table_, set_.columns, pending_, row_id, stored, error));
  pending_.clear();
  if (!ok) {
    if (pending_add_) DropAddedRecord();
    return false;
  }
  pending_add_ = false;
  set_.row_ids[position_] = row_id;
  const std::size_t width = set_.columns.size();
  for (std::size_t i = 0; i < width && i < stored.size(); ++i) {
    set_.SetCell(position_ * width + i, ViewOf(stored[i]));
  }
  return true;
}

void RecordCursor::DropAddedRecord() {
  set_.row_ids.pop_back();
  set_.TruncateCells(set_.CellCount() - set_.columns.size());
  deleted_.pop_back();
  position_ = position_before_add_;
  pending_add_ = false;
}

}  // namespace qinghe
