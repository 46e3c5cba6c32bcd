#include "formats/dbf/RowLookups.h"

#include <cstdint>

namespace enlazora::formats::dbf {
namespace {
std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Texts of several fields joined without ambiguity: each one's length, then
// its bytes.
void AppendKeyPart(std::string& key, std::string_view text) {
  const auto length = static_cast<std::uint32_t>(text.size());
  key.append(reinterpret_cast<const char*>(&length), sizeof length);
  key.append(text);
}
}  // namespace

void RowLookups::appendRowKey(std::size_t row, const std::vector<std::size_t>& fields, std::string& key) const {
  for (const auto field : fields) {
    const auto lengthAt = key.size();
    AppendKeyPart(key, {});
    data_.appendText(row, field, key);
    const auto length = static_cast<std::uint32_t>(key.size() - lengthAt - sizeof(std::uint32_t));
    key.replace(lengthAt, sizeof length, reinterpret_cast<const char*>(&length), sizeof length);
  }
}

RowLookups::FirstRowIndex& RowLookups::firstRowIndex(const std::vector<std::size_t>& fields) {
  if (const auto found = firstRowIndexes_.find(fields); found != firstRowIndexes_.end()) return found->second;
  auto& index = firstRowIndexes_[fields];
  index.reserve(data_.rowCount());
  for (std::size_t row = 0; row < data_.rowCount(); ++row) {
    key_.clear();
    appendRowKey(row, fields, key_);
    index.try_emplace(key_, row);
  }
  return index;
}

RowLookups::RowsIndex& RowLookups::rowsIndex(std::size_t field) {
  if (const auto found = rowsIndexes_.find(field); found != rowsIndexes_.end()) return found->second;
  auto& index = rowsIndexes_[field];
  for (std::size_t row = 0; row < data_.rowCount(); ++row) {
    key_.clear();
    data_.appendText(row, field, key_);
    index[key_].push_back(row);
  }
  return index;
}

std::optional<std::size_t> RowLookups::firstRow(const std::vector<std::size_t>& fields,
                                                const std::vector<std::string>& values) {
  const auto& index = firstRowIndex(fields);
  key_.clear();
  for (const auto& value : values) AppendKeyPart(key_, WithoutTrailingBlanks(value));
  const auto found = index.find(key_);
  if (found == index.end()) return std::nullopt;
  return found->second;
}

const std::vector<std::size_t>& RowLookups::rowsWhere(std::size_t field, std::string_view value) {
  static const std::vector<std::size_t> none;
  const auto& index = rowsIndex(field);
  key_.assign(WithoutTrailingBlanks(value));
  const auto found = index.find(key_);
  return found == index.end() ? none : found->second;
}

void RowLookups::rowAppended() {
  const std::size_t row = data_.rowCount() - 1;
  for (auto& [fields, index] : firstRowIndexes_) {
    key_.clear();
    appendRowKey(row, fields, key_);
    index.try_emplace(key_, row);
  }
  for (auto& [field, index] : rowsIndexes_) {
    key_.clear();
    data_.appendText(row, field, key_);
    index[key_].push_back(row);
  }
}

}  // namespace enlazora::formats::dbf
