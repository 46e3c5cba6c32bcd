#pragma once
// The layout of a dBase data file: which flavour wrote it, where its records
// start, how long they are, and where each field lies inside a record.
// Reading a layout checks it against the file's real size, so that nothing
// later reads outside the file's bytes.
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf/FieldDef.h"

namespace enlazora::formats::dbf {

// dBase III/IV/V and FoxBase (32-byte descriptors), dBase level 7 (68-byte
// header, 48-byte descriptors), FoxPro and Visual FoxPro (32-byte descriptors,
// little-endian binary numbers).
enum class Flavour { DBase, Level7, FoxPro };

// How a field's bytes are understood; a type this layer does not know, or a
// binary type of an unexpected length, is Unreadable and reads as blank.
enum class FieldKind {
  Character,     // C: text, blank-padded
  Numeric,       // N, F: decimal text, right-aligned
  Date,          // D: YYYYMMDD
  Logical,       // L: T/F (t Y y, f N n), blank otherwise
  Level7Long,    // I at level 7: big-endian of value XOR 0x80000000, zero = blank
  Level7Double,  // O: big-endian double with the sort transform, zero = blank
  FoxLong,       // I in FoxPro: little-endian 32-bit
  FoxDouble,     // B in FoxPro: little-endian double
  Unreadable
};

struct FieldLayout {
  FieldDef def;
  FieldKind kind = FieldKind::Unreadable;
  std::size_t offset = 0;  // from the record's start, after the deletion flag
};

struct TableLayout {
  Flavour flavour = Flavour::DBase;
  std::size_t headerLength = 0;  // offset of the first record
  std::size_t recordLength = 0;  // including the deletion flag
  std::size_t recordCount = 0;   // records the file really holds
  std::vector<FieldLayout> fields;
};

// Reads and checks the header of a file's bytes; damage raises TableError
// naming `table`.
TableLayout ReadLayout(std::string_view bytes, std::string_view table);

// Lays out the fields of a new level-7 table; bad definitions raise TableError.
TableLayout PlanLevel7Layout(const std::vector<FieldDef>& fields, std::string_view table);

// The header bytes of a level-7 table (language driver DBWINUS0, no index).
std::string Level7Header(const TableLayout& layout, const std::tm& date, std::size_t recordCount);

// Puts the date of last update and the record count into a header.
void StampHeader(std::string& header, const std::tm& date, std::size_t recordCount);

FieldKind KindOf(Flavour flavour, char type, int length);

}  // namespace enlazora::formats::dbf
