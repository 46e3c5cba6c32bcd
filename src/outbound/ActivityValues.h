#pragma once
// The eleven values of one activity of a teacher's regular timetable: the
// platform's keys of a placed lesson, found through the lookups, with the
// fallbacks that fill a key the first table leaves blank.
#include <string>

#include "outbound/LessonLookups.h"
#include "outbound/PeriodDates.h"
#include "outbound/SolutionLesson.h"

namespace enlazora::outbound {

struct ActivityValues {
  std::string day;             // N_DIASEMANA
  std::string slotKey;         // X_TRAMO
  std::string room;            // X_DEPENDENCIA
  std::string classUnitKey;    // X_UNIDAD
  std::string courseOfferKey;  // X_OFERTAMATRIG
  std::string subjectKey;      // X_MATERIAOMG
  std::string periodStart;     // F_INICIO
  std::string periodEnd;       // F_FIN
  std::string startMinutes;    // N_HORINI
  std::string endMinutes;      // N_HORFIN
  std::string activityCode;    // X_ACTIVIDAD
};

// A text that is empty once blanks at both ends are removed.
bool IsBlank(const std::string& text);

// AULA when it holds anything but blanks, else empty.
std::string RoomValue(const std::string& room);

// The lesson's TAREA; when blank, CODTAREA of its subject in ASIGNOMT.DBF
// (when the subject is there); when still blank, "1".
std::string ActivityCodeOf(const SolutionLesson& lesson, const LessonLookups& lookups);

// Subject key and course-offer key: those of the lesson's subject load; a
// blank course-offer key falls back to the class unit's, then a blank subject
// key to MATERIA of the subject for that course offer in ASIGNOMT2.DBF.
struct LessonKeys {
  std::string classUnitKey;
  std::string courseOfferKey;
  std::string subjectKey;
};
LessonKeys LessonKeysOf(const SolutionLesson& lesson, const LessonLookups& lookups);

// All eleven values. A time text that is no time raises OutboundError.
ActivityValues BuildActivityValues(const SolutionLesson& lesson, const LessonLookups& lookups,
                                   const PeriodDates& periods);

}  // namespace enlazora::outbound
