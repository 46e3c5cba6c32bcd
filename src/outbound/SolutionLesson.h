#pragma once
// One placed lesson of the host's timetable solution SOLUC.DBF, read in
// whatever dBase flavour the host wrote it: DIA and HORA may be stored as
// numbers or as characters.
#include <cstddef>
#include <string>

#include "formats/dbf/DbfTable.h"

namespace enlazora::outbound {

struct SolutionLesson {
  std::string dayText;    // DIA as text
  long long slot = 0;     // HORA
  std::string subject;    // ASIG
  std::string classUnit;  // CODGRUPO
  std::string task;       // TAREA
  std::string room;       // AULA
};

// DIA as a whole number; a lesson whose day is 0 was not placed. A blank
// numeric field reads as 0; a character field that holds no whole number
// raises the table's conversion error.
long long SolutionDay(const formats::DbfTable& solution, std::size_t row);

// The lesson's values. DIA as text: a numeric field gives its whole number in
// decimal (" 1" stored in N(2,0) gives "1"); a character field gives its
// stored text without blanks at either end ("01" stays "01").
SolutionLesson ReadSolutionLesson(const formats::DbfTable& solution, std::size_t row);

// The key of the lesson's time slot in DIASHORAST.DBF: DIA as text followed
// directly by HORA in decimal (day 1 and slot 3 give "13").
std::string DayAndSlotKey(const SolutionLesson& lesson);

}  // namespace enlazora::outbound
