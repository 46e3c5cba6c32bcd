#include "outbound/ActivityValues.h"

#include "outbound/TimeMinutes.h"
#include "text/Clipper.h"

namespace enlazora::outbound {

bool IsBlank(const std::string& text) { return text::QuitaEspacios(text).empty(); }

std::string RoomValue(const std::string& room) { return IsBlank(room) ? std::string() : room; }

std::string ActivityCodeOf(const SolutionLesson& lesson, const LessonLookups& lookups) {
  std::string code = lesson.task;
  if (IsBlank(code))
    if (const std::string* subjectTask = lookups.subjectTask(lesson.subject)) code = *subjectTask;
  if (IsBlank(code)) code = "1";
  return code;
}

LessonKeys LessonKeysOf(const SolutionLesson& lesson, const LessonLookups& lookups) {
  LessonKeys keys;
  if (const SubjectLoadKeys* load = lookups.subjectLoad(lesson.subject, lesson.classUnit)) {
    keys.subjectKey = load->subjectKey;
    keys.courseOfferKey = load->courseOfferKey;
  }
  if (const ClassUnitKeys* unit = lookups.classUnit(lesson.classUnit)) {
    keys.classUnitKey = unit->classUnitKey;
    if (IsBlank(keys.courseOfferKey)) keys.courseOfferKey = unit->courseOfferKey;
  }
  if (IsBlank(keys.subjectKey))
    if (const std::string* subject = lookups.subjectOffering(lesson.subject, keys.courseOfferKey))
      keys.subjectKey = *subject;
  return keys;
}

ActivityValues BuildActivityValues(const SolutionLesson& lesson, const LessonLookups& lookups,
                                   const PeriodDates& periods) {
  ActivityValues values;
  std::string startTime, endTime;  // empty when no time slot matches: 0 minutes
  if (const TimeSlot* slot = lookups.timeSlot(DayAndSlotKey(lesson))) {
    values.day = slot->day;
    values.slotKey = slot->slotKey;
    startTime = slot->startTime;
    endTime = slot->endTime;
  }
  values.room = RoomValue(lesson.room);
  LessonKeys keys = LessonKeysOf(lesson, lookups);
  values.classUnitKey = std::move(keys.classUnitKey);
  values.courseOfferKey = std::move(keys.courseOfferKey);
  values.subjectKey = std::move(keys.subjectKey);
  values.periodStart = periods.start;
  values.periodEnd = periods.end;
  values.startMinutes = MinutesText(startTime);
  values.endMinutes = MinutesText(endTime);
  values.activityCode = ActivityCodeOf(lesson, lookups);
  return values;
}

}  // namespace enlazora::outbound
