#pragma once
// The bytes of an open table: the file as read, the records appended since,
// and the rows (records not marked deleted) in table order.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf/TableLayout.h"

namespace enlazora::formats::dbf {

class TableData {
 public:
  // `fileBytes` must already have passed ReadLayout, which gave `layout`.
  TableData(TableLayout layout, std::string fileBytes);

  const TableLayout& layout() const { return layout_; }
  std::size_t rowCount() const { return rows_.size(); }

  // One field's bytes in one row; the row must exist.
  std::string_view fieldBytes(std::size_t row, std::size_t field) const;
  // The read-back text of a field, appended to `out`.
  void appendText(std::size_t row, std::size_t field, std::string& out) const;

  // A record of the layout's length; it becomes the last row.
  void appendRecord(std::string_view record);
  bool hasAppendedRecords() const { return !appended_.empty(); }

  // The whole file with the appended records, stamped with `date`.
  std::string fileWithAppendedRecords(const std::tm& date) const;

 private:
  const char* record(std::uint32_t number) const;

  TableLayout layout_;
  std::string fileBytes_;
  std::string appended_;
  std::size_t appendedCount_ = 0;
  std::vector<std::uint32_t> rows_;  // record number of each row
};

}  // namespace enlazora::formats::dbf
