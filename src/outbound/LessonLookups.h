#pragma once
// The lookups that give a lesson its platform keys. Each table is read once
// into a map keyed by the texts a lesson looks up; where several records share
// a key the first in table order is kept, so every lookup answers what a walk
// from the first record would find. Keys compare exactly: whole read-back
// text, same letter case.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "outbound/OutboundTables.h"

namespace enlazora::outbound {

// ASIGT.DBF: the subject load of one subject in one class unit.
struct SubjectLoadKeys {
  std::string subjectKey;      // CLAVE
  std::string courseOfferKey;  // CLAVECURSO
};

// DIASHORAST.DBF: one time slot of the week.
struct TimeSlot {
  std::string day;        // DIA
  std::string slotKey;    // CODDIHO
  std::string startTime;  // HORADESDE
  std::string endTime;    // HORAHASTA
};

// GRUPOST.DBF: one class unit.
struct ClassUnitKeys {
  std::string classUnitKey;    // CLAVE
  std::string courseOfferKey;  // CLAVECURSO
};

class LessonLookups {
 public:
  explicit LessonLookups(const OutboundTables& tables);

  // ASIGT.DBF by CASIG and CGRUP.
  const SubjectLoadKeys* subjectLoad(const std::string& subject, const std::string& classUnit) const;
  // CODTAREA of ASIGNOMT.DBF by COD.
  const std::string* subjectTask(const std::string& subject) const;
  // DIASHORAST.DBF by DIHO.
  const TimeSlot* timeSlot(const std::string& dayAndSlot) const;
  // GRUPOST.DBF by ABREV.
  const ClassUnitKeys* classUnit(const std::string& classUnit) const;
  // MATERIA of ASIGNOMT2.DBF by COD and OFERTAMATRI.
  const std::string* subjectOffering(const std::string& subject, const std::string& courseOfferKey) const;
  // The rows of SOLUC.DBF whose PROF is the teacher's code, in table order.
  const std::vector<std::size_t>& lessonsOf(const std::string& teacher) const;

 private:
  std::unordered_map<std::string, SubjectLoadKeys> subjectLoad_;
  std::unordered_map<std::string, std::string> subjectTask_;
  std::unordered_map<std::string, TimeSlot> timeSlots_;
  std::unordered_map<std::string, ClassUnitKeys> classUnits_;
  std::unordered_map<std::string, std::string> subjectOfferings_;
  std::unordered_map<std::string, std::vector<std::size_t>> lessonsByTeacher_;
};

}  // namespace enlazora::outbound
