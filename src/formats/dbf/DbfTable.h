#pragma once
// dBase tables: the host's working tables and the level reference table.
// Tables are written at dBase level 7 (version byte 0x04, 48-byte field
// descriptors, language driver DBWINUS0) so that 11-letter field names such as
// OFERTAMATRI are stored whole. Reading accepts dBase III, IV, V, level 7 and
// FoxPro tables. A table is held in memory while open; an exclusive open holds
// a lock on the file until the table is closed or destroyed.
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf/FieldDef.h"

namespace enlazora::formats {

// Raised by every table operation that fails; the message is the Spanish text
// shown to the user and names the table.
class TableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Access { Exclusive, Shared };

class DbfTable {
 public:
  // Writes a new empty level-7 table with these fields, replacing a table of
  // the same name. Fails if the existing file is held open elsewhere. The
  // sizes of I, O, L and D fields may be left 0. A name without extension
  // gets ".DBF" (here and in open).
  static void create(const std::filesystem::path& file, const std::vector<FieldDef>& fields);

  // Opens a table. Exclusive access fails, naming the table, when another
  // handle or process holds it; a missing or damaged file fails too.
  static DbfTable open(const std::filesystem::path& file, Access access = Access::Exclusive);

  DbfTable(DbfTable&&) noexcept;
  DbfTable& operator=(DbfTable&&) noexcept;
  ~DbfTable();  // releases the lock; writes nothing

  // The table's file name, as shown in messages ("AULAT.DBF").
  const std::string& name() const;
  const std::vector<FieldDef>& fields() const;
  bool hasField(std::string_view field) const;

  // Records in table order, deleted ones left out; rows count from 0.
  std::size_t size() const;

  // Reading a value back. Character fields without trailing blanks; numbers
  // from numeric, float, integer and double fields. A text that is no number
  // where a number is read raises "'%s' no es un valor entero válido".
  // integer() takes an optional sign and digits, with a fraction of zeros
  // only ("3.00" reads 3); number() also fractions and exponents. A blank
  // value reads 0 for both, and false for logical() (true: T, t, Y, y).
  std::string text(std::size_t row, std::string_view field) const;
  long long integer(std::size_t row, std::string_view field) const;
  double number(std::size_t row, std::string_view field) const;
  bool logical(std::size_t row, std::string_view field) const;
  bool isBlank(std::size_t row, std::string_view field) const;

  // Appending: a blank record, fields set by name (texts silently cut to the
  // field's width), then post. Unset fields stay blank. Appending again
  // before post posts the record in hand. A value that a field cannot hold
  // (a number too wide, text that is no number for a numeric field) raises.
  void append();
  void set(std::string_view field, std::string_view text);
  void setInteger(std::string_view field, long long value);
  void setNumber(std::string_view field, double value);
  void setLogical(std::string_view field, bool value);
  void post();

  // Writes the posted records to the file if any were appended, then releases
  // the table. A table that is destroyed without close writes nothing. The
  // file is written anew beside the table and renamed over it, so a failed
  // write leaves the old table whole. Closing twice does nothing; any other
  // call on a closed table raises.
  void close();

  // First row, in table order, whose fields equal the values exactly (whole
  // text, same letter case). Blanks at the end of a sought value do not count,
  // since the stored value cannot hold them. Amortised constant time.
  std::optional<std::size_t> locate(const std::vector<std::string>& fields,
                                    const std::vector<std::string>& values) const;

  // Every row whose field equals the value (same comparison as locate), in
  // table order: the filter of the outbound run, and walks that visit every
  // match. The reference stays valid until the next post().
  const std::vector<std::size_t>& rowsWhere(std::string_view field, std::string_view value) const;

  // Every row in ascending order of a numeric field; equal keys in table order.
  std::vector<std::size_t> rowsInOrderOf(std::string_view field) const;

 private:
  struct State;
  explicit DbfTable(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace enlazora::formats
