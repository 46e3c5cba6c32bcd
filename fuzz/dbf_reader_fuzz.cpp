// Any bytes as a .DBF: opening and reading every value either works or raises
// a TableError, never anything worse.
#include <cstdint>

#include "formats/dbf/DbfTable.h"
#include "support/FuzzSupport.h"

using namespace enlazora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzzing::ScratchFolder() / "FUZZ.DBF";
  fuzzing::WriteFile(file, data, size);
  try {
    auto table = formats::DbfTable::open(file, formats::Access::Shared);
    for (std::size_t row = 0; row < table.size() && row < 1000; ++row) {
      for (const auto& field : table.fields()) {
        (void)table.text(row, field.name);
        (void)table.isBlank(row, field.name);
        try {
          (void)table.integer(row, field.name);
        } catch (const formats::TableError&) {
        }
        try {
          (void)table.number(row, field.name);
        } catch (const formats::TableError&) {
        }
      }
    }
    if (!table.fields().empty()) {
      const auto& first = table.fields().front().name;
      (void)table.locate({first}, {"A"});
      (void)table.rowsWhere(first, "A");
      (void)table.rowsInOrderOf(first);
    }
  } catch (const formats::TableError&) {
  }
  return 0;
}
