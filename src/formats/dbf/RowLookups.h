#pragma once
// The lookups of an open table, each answered from an index built on first
// use and kept up to date as rows are appended: the first row whose fields
// hold given values, and every row whose field holds a value.
//
// Comparison is on read-back texts (character fields without trailing
// blanks), whole and case-sensitive; the sought value's trailing blanks do not
// count, since a stored value cannot hold them.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formats/dbf/TableData.h"

namespace enlazora::formats::dbf {

class RowLookups {
 public:
  explicit RowLookups(const TableData& data) : data_(data) {}

  std::optional<std::size_t> firstRow(const std::vector<std::size_t>& fields, const std::vector<std::string>& values);
  const std::vector<std::size_t>& rowsWhere(std::size_t field, std::string_view value);

  // Keeps the built indexes up to date with the table's last row.
  void rowAppended();

 private:
  using FirstRowIndex = std::unordered_map<std::string, std::size_t>;
  using RowsIndex = std::unordered_map<std::string, std::vector<std::size_t>>;

  void appendRowKey(std::size_t row, const std::vector<std::size_t>& fields, std::string& key) const;
  FirstRowIndex& firstRowIndex(const std::vector<std::size_t>& fields);
  RowsIndex& rowsIndex(std::size_t field);

  const TableData& data_;
  std::map<std::vector<std::size_t>, FirstRowIndex> firstRowIndexes_;
  std::map<std::size_t, RowsIndex> rowsIndexes_;
  std::string key_;  // reused, to spare an allocation per lookup
};

}  // namespace enlazora::formats::dbf
