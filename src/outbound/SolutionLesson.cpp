#include "outbound/SolutionLesson.h"

#include <string_view>

#include "text/Clipper.h"

namespace enlazora::outbound {
namespace {

using formats::DbfTable;

bool StoredAsCharacters(const DbfTable& table, std::string_view field) {
  for (const auto& definition : table.fields())
    if (definition.name == field) return definition.type == 'C';
  return false;
}

// A whole number from a field stored as characters or as a number.
long long WholeNumberField(const DbfTable& table, std::size_t row, std::string_view field) {
  if (!StoredAsCharacters(table, field) && table.isBlank(row, field)) return 0;
  return table.integer(row, field);
}

std::string DayAsText(const DbfTable& solution, std::size_t row) {
  if (StoredAsCharacters(solution, "DIA")) return text::QuitaEspacios(solution.text(row, "DIA"));
  return std::to_string(WholeNumberField(solution, row, "DIA"));
}

}  // namespace

long long SolutionDay(const DbfTable& solution, std::size_t row) { return WholeNumberField(solution, row, "DIA"); }

SolutionLesson ReadSolutionLesson(const DbfTable& solution, std::size_t row) {
  SolutionLesson lesson;
  lesson.dayText = DayAsText(solution, row);
  lesson.slot = WholeNumberField(solution, row, "HORA");
  lesson.subject = solution.text(row, "ASIG");
  lesson.classUnit = solution.text(row, "CODGRUPO");
  lesson.task = solution.text(row, "TAREA");
  lesson.room = solution.text(row, "AULA");
  return lesson;
}

std::string DayAndSlotKey(const SolutionLesson& lesson) { return lesson.dayText + std::to_string(lesson.slot); }

}  // namespace enlazora::outbound
