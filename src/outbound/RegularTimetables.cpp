#include "outbound/RegularTimetables.h"

#include <string>
#include <vector>

#include "outbound/ActivityValues.h"
#include "outbound/DocumentValues.h"
#include "outbound/LessonLookups.h"
#include "outbound/SolutionLesson.h"

namespace enlazora::outbound {
namespace {

using Element = formats::StreamElement;

void AppendActivity(Element teacherRecord, std::size_t number, const ActivityValues& values) {
  Element activity = teacherRecord.appendElement("grupo_datos");
  activity.setAttribute("seq", "ACTIVIDAD_" + std::to_string(number));
  AppendValue(activity, "N_DIASEMANA", values.day);
  AppendValue(activity, "X_TRAMO", values.slotKey);
  AppendValue(activity, "X_DEPENDENCIA", values.room);
  AppendValue(activity, "X_UNIDAD", values.classUnitKey);
  AppendValue(activity, "X_OFERTAMATRIG", values.courseOfferKey);
  AppendValue(activity, "X_MATERIAOMG", values.subjectKey);
  AppendValue(activity, "F_INICIO", values.periodStart);
  AppendValue(activity, "F_FIN", values.periodEnd);
  AppendValue(activity, "N_HORINI", values.startMinutes);
  AppendValue(activity, "N_HORFIN", values.endMinutes);
  AppendValue(activity, "X_ACTIVIDAD", values.activityCode);
}

// The teacher's lessons that were placed: those whose DIA is not 0.
std::vector<std::size_t> PlacedLessons(const formats::DbfTable& solution, const std::vector<std::size_t>& rows) {
  std::vector<std::size_t> placed;
  for (std::size_t row : rows)
    if (SolutionDay(solution, row) != 0) placed.push_back(row);
  return placed;
}

// One teacher record with its activities; answers how many it holds.
std::size_t AppendTeacher(Element block, std::size_t teacherNumber, std::size_t teacherRow,
                          const OutboundTables& tables, const LessonLookups& lookups, const PeriodDates& periods) {
  const auto& teachers = tables.teachers;
  Element teacherRecord = block.appendElement("grupo_datos");
  teacherRecord.setAttribute("seq", "HORARIO_REGULAR_PROFESOR_" + std::to_string(teacherNumber));
  const auto placed = PlacedLessons(tables.solution, lookups.lessonsOf(teachers.text(teacherRow, "ABREV")));
  teacherRecord.setAttribute("registros", std::to_string(placed.size()));
  AppendValue(teacherRecord, "X_EMPLEADO", teachers.text(teacherRow, "X_EMPLEADO"));
  AppendValue(teacherRecord, "F_TOMAPOS", teachers.text(teacherRow, "F_TOMAPOS"));
  std::size_t activityNumber = 1;
  for (std::size_t row : placed) {
    const SolutionLesson lesson = ReadSolutionLesson(tables.solution, row);
    AppendActivity(teacherRecord, activityNumber++, BuildActivityValues(lesson, lookups, periods));
  }
  return placed.size();
}

}  // namespace

TimetableCounts AppendRegularTimetables(Element dataContainer, const OutboundTables& tables,
                                        const PeriodDates& periods) {
  const LessonLookups lookups(tables);
  Element block = dataContainer.appendElement("grupo_datos");
  block.setAttribute("seq", "HORARIOS_REGULARES");
  block.setAttribute("registros", std::to_string(tables.teachers.size()));
  TimetableCounts counts;
  for (std::size_t row = 0; row < tables.teachers.size(); ++row) {
    counts.activities += AppendTeacher(block, row + 1, row, tables, lookups, periods);
    ++counts.teachers;
  }
  return counts;
}

}  // namespace enlazora::outbound
