#pragma once
// dBase readers and writers that are not ours, for checking our tables from
// outside: the Free Pascal TDbf component (tests/tools/*.pas) and python3-dbf
// (tests/tools/pydbf_write.py).
//
// Tables are described in one text form, both for dumping and for writing:
//   field NAME TYPE LENGTH DECIMALS      one line per field, in order
//   record                               starts a record
//   NAME=value                           "<blank>" for an empty value
//   delete                               (writing only) marks the record just
//                                        written deleted
// Texts are Windows-1252 bytes; numbers use "."; dates are YYYYMMDD; logicals
// T or F.
#include <filesystem>
#include <string>

namespace enlazora::testing {

// The table as TDbf reads it: a first line "level N", then the field lines,
// then every record it shows (deleted ones are hidden) with a line per field.
std::string DumpWithTDbf(const std::filesystem::path& table);

// Writes the described table with TDbf at a table level (3, 4 or 7).
void WriteWithTDbf(const std::filesystem::path& table, int level, const std::string& description);

// Writes the described table with python3-dbf: flavour "db3" (dBase III/IV,
// version 0x03, or 0x83 with a memo field), "fp" (FoxPro, needs a memo field:
// 0xF5) or "vfp" (Visual FoxPro 0x30). `versionByte`, when not 0, then
// overwrites the first byte, to present the table as another flavour.
void WriteWithPythonDbf(const std::filesystem::path& table, const std::string& flavour,
                        const std::string& description, int versionByte = 0);

// Another program holding a table open exclusively through TDbf, from
// construction (which waits until the table is open) until destruction.
// `held()` is false, with TDbf's message in `refusal()`, when TDbf could not
// open it.
class HeldByTDbf {
 public:
  explicit HeldByTDbf(const std::filesystem::path& table);
  ~HeldByTDbf();
  HeldByTDbf(const HeldByTDbf&) = delete;
  HeldByTDbf& operator=(const HeldByTDbf&) = delete;

  bool held() const { return held_; }
  const std::string& refusal() const { return refusal_; }

 private:
  int pid_ = -1;
  int input_ = -1;
  bool held_ = false;
  std::string refusal_;
};

}  // namespace enlazora::testing
