#pragma once
// A synthetic school's host tables and timetable solution, as the outbound
// conversion reads them. Scale factor 1 is 150 teachers and 4,500 placed
// lessons; every count grows with the scale.
#include <cstddef>
#include <filesystem>

namespace enlazora::bench {

struct TableSetSize {
  std::size_t teachers = 0;
  std::size_t classUnits = 0;
  std::size_t subjects = 0;
  std::size_t rooms = 0;
  std::size_t lessons = 0;  // rows of SOLUC.DBF
};

TableSetSize SizeAtScale(std::size_t scale);

// Writes GRUPOST, CURSOST, PROFT, AULAT, ASIGNOMT, ASIGNOMT2, DIASHORAST,
// ASIGT, PERIODOS and SOLUC into the folder, the same for the same scale.
// Some lessons are unplaced (DIA 0) and some keys are left blank so that the
// fallbacks of the conversion are taken too.
TableSetSize WriteTableSet(const std::filesystem::path& folder, std::size_t scale);

// A small exchange document to convert against the table set.
void WriteExchangeDocument(const std::filesystem::path& file);

}  // namespace enlazora::bench
