#include "formats/dbf/TableData.h"

#include "formats/dbf/FieldValues.h"

namespace enlazora::formats::dbf {
namespace {
constexpr char kDeletedFlag = '*';
constexpr char kEndOfFile = 0x1A;
}  // namespace

TableData::TableData(TableLayout layout, std::string fileBytes)
    : layout_(std::move(layout)), fileBytes_(std::move(fileBytes)) {
  rows_.reserve(layout_.recordCount);
  const char* first = fileBytes_.data() + layout_.headerLength;
  for (std::size_t number = 0; number < layout_.recordCount; ++number)
    if (first[number * layout_.recordLength] != kDeletedFlag) rows_.push_back(static_cast<std::uint32_t>(number));
}

const char* TableData::record(std::uint32_t number) const {
  if (number < layout_.recordCount)
    return fileBytes_.data() + layout_.headerLength + std::size_t{number} * layout_.recordLength;
  return appended_.data() + (number - layout_.recordCount) * layout_.recordLength;
}

std::string_view TableData::fieldBytes(std::size_t row, std::size_t field) const {
  const auto& slot = layout_.fields[field];
  return {record(rows_[row]) + slot.offset, static_cast<std::size_t>(slot.def.length)};
}

void TableData::appendText(std::size_t row, std::size_t field, std::string& out) const {
  AppendText(layout_.fields[field], fieldBytes(row, field), out);
}

void TableData::appendRecord(std::string_view record) {
  appended_.append(record);
  rows_.push_back(static_cast<std::uint32_t>(layout_.recordCount + appendedCount_));
  ++appendedCount_;
}

std::string TableData::fileWithAppendedRecords(const std::tm& date) const {
  const std::size_t storedBytes = layout_.recordCount * layout_.recordLength;
  std::string file;
  file.reserve(layout_.headerLength + storedBytes + appended_.size() + 1);
  file.append(fileBytes_, 0, layout_.headerLength);
  StampHeader(file, date, layout_.recordCount + appendedCount_);
  file.append(fileBytes_, layout_.headerLength, storedBytes);
  file.append(appended_);
  file.push_back(kEndOfFile);
  return file;
}

}  // namespace enlazora::formats::dbf
