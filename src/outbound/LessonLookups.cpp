#include "outbound/LessonLookups.h"

namespace enlazora::outbound {
namespace {

// One key of two texts, neither of which can run into the other.
std::string PairKey(const std::string& first, const std::string& second) {
  return std::to_string(first.size()) + ':' + first + second;
}

template <typename Value>
const Value* Find(const std::unordered_map<std::string, Value>& map, const std::string& key) {
  const auto found = map.find(key);
  return found == map.end() ? nullptr : &found->second;
}

}  // namespace

LessonLookups::LessonLookups(const OutboundTables& tables) {
  // try_emplace keeps the first record of every key.
  const auto& load = tables.subjectLoad;
  for (std::size_t row = 0; row < load.size(); ++row)
    subjectLoad_.try_emplace(PairKey(load.text(row, "CASIG"), load.text(row, "CGRUP")),
                             SubjectLoadKeys{load.text(row, "CLAVE"), load.text(row, "CLAVECURSO")});

  const auto& subjects = tables.subjects;
  for (std::size_t row = 0; row < subjects.size(); ++row)
    subjectTask_.try_emplace(subjects.text(row, "COD"), subjects.text(row, "CODTAREA"));

  const auto& slots = tables.timeSlots;
  for (std::size_t row = 0; row < slots.size(); ++row)
    timeSlots_.try_emplace(slots.text(row, "DIHO"),
                           TimeSlot{slots.text(row, "DIA"), slots.text(row, "CODDIHO"), slots.text(row, "HORADESDE"),
                                    slots.text(row, "HORAHASTA")});

  const auto& units = tables.classUnits;
  for (std::size_t row = 0; row < units.size(); ++row)
    classUnits_.try_emplace(units.text(row, "ABREV"),
                            ClassUnitKeys{units.text(row, "CLAVE"), units.text(row, "CLAVECURSO")});

  const auto& offerings = tables.subjectOfferings;
  for (std::size_t row = 0; row < offerings.size(); ++row)
    subjectOfferings_.try_emplace(PairKey(offerings.text(row, "COD"), offerings.text(row, "OFERTAMATRI")),
                                  offerings.text(row, "MATERIA"));

  const auto& solution = tables.solution;
  for (std::size_t row = 0; row < solution.size(); ++row) lessonsByTeacher_[solution.text(row, "PROF")].push_back(row);
}

const SubjectLoadKeys* LessonLookups::subjectLoad(const std::string& subject, const std::string& classUnit) const {
  return Find(subjectLoad_, PairKey(subject, classUnit));
}

const std::string* LessonLookups::subjectTask(const std::string& subject) const { return Find(subjectTask_, subject); }

const TimeSlot* LessonLookups::timeSlot(const std::string& dayAndSlot) const { return Find(timeSlots_, dayAndSlot); }

const ClassUnitKeys* LessonLookups::classUnit(const std::string& classUnit) const {
  return Find(classUnits_, classUnit);
}

const std::string* LessonLookups::subjectOffering(const std::string& subject, const std::string& courseOfferKey) const {
  return Find(subjectOfferings_, PairKey(subject, courseOfferKey));
}

const std::vector<std::size_t>& LessonLookups::lessonsOf(const std::string& teacher) const {
  static const std::vector<std::size_t> none;
  const auto found = lessonsByTeacher_.find(teacher);
  return found == lessonsByTeacher_.end() ? none : found->second;
}

}  // namespace enlazora::outbound
