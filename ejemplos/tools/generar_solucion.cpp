// Writes the timetable solution SOLUC.DBF of the sample school, as the host
// would after timetabling it: the sample document is converted inbound into a
// scratch folder (day plan JORN1), every subject load of ASIGT.DBF gets a
// teacher of PROFT.DBF, and each of its weekly hours is placed on a school day
// and time slot where neither the teacher nor the class unit is busy. Where a
// class unit's loads ask for more hours than its week holds, each load keeps
// its share. Teachers with few hours get guard duties (lessons of the
// activity "Guardia", without class unit). A few lessons stay unplaced
// (DIA 0), some have no room, some carry a task.
//
//   generar_solucion instituto.xml SOLUC.DBF
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "formats/Clock.h"
#include "formats/dbf/DbfTable.h"
#include "inbound/InboundRun.h"
#include "text/Clipper.h"

namespace {

namespace fs = std::filesystem;
using enlazora::formats::DbfTable;
using enlazora::formats::FieldDef;

constexpr const char* kDayPlan = "JORN1";
constexpr int kSchoolDays = 5;
constexpr int kMostHoursPerTeacher = 24;
constexpr int kGuardsBelowHours = 18;  // teachers with fewer hours get guard duties
constexpr int kGuardsPerTeacher = 2;
constexpr int kFreeCellsPerUnit = 2;    // cells of a class unit's week left free
constexpr std::size_t kEveryUnplaced = 61;  // one lesson in so many is left unplaced
constexpr std::size_t kEveryWithoutRoom = 7;
constexpr std::size_t kEveryWithTask = 11;

class FixedDayPlan : public enlazora::inbound::InboundInteraction {
 public:
  std::string chooseDayPlan(const fs::path&) override { return kDayPlan; }
};

struct Load {
  std::string subject;    // CASIG
  std::string classUnit;  // CGRUP
  int hours = 0;
};

struct Lesson {
  std::string teacher;
  int day = 0;
  int slot = 0;
  std::string subject;
  std::string classUnit;
  std::string task;
  std::string room;
};

std::vector<std::string> Column(const fs::path& file, const char* field) {
  auto table = DbfTable::open(file, enlazora::formats::Access::Shared);
  std::vector<std::string> values;
  for (std::size_t row = 0; row < table.size(); ++row) values.push_back(table.text(row, field));
  table.close();
  return values;
}

std::vector<Load> SubjectLoads(const fs::path& folder) {
  auto table = DbfTable::open(folder / "ASIGT.DBF", enlazora::formats::Access::Shared);
  std::vector<Load> loads;
  for (std::size_t row = 0; row < table.size(); ++row)
    loads.push_back({table.text(row, "CASIG"), table.text(row, "CGRUP"),
                     static_cast<int>(std::lround(table.number(row, "HORAS")))});
  table.close();
  return loads;
}

// The teaching slots of a school day: the slot numbers of day 1, breaks left
// out.
std::vector<int> TeachingSlots(const fs::path& folder) {
  auto table = DbfTable::open(folder / "DIASHORAST.DBF", enlazora::formats::Access::Shared);
  std::set<int> slots;
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (table.text(row, "DIA") != "1") continue;
    const std::string label = enlazora::text::UpperAsciiLetters(table.text(row, "TEXTOHOR"));
    if (label.find("RECREO") != std::string::npos) continue;
    slots.insert(std::stoi(table.text(row, "HORA")));
  }
  table.close();
  return {slots.begin(), slots.end()};
}

struct Activities {
  std::string taskKey;    // CODTAREA of the first activity: the task some lessons carry
  std::string guardCode;  // COD of the first activity named "Guardia...", empty when none
};

Activities ActivitiesOf(const fs::path& folder) {
  auto table = DbfTable::open(folder / "ASIGNOMT.DBF", enlazora::formats::Access::Shared);
  Activities activities;
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (!table.logical(row, "ESTAREA")) continue;
    if (activities.taskKey.empty()) activities.taskKey = table.text(row, "CODTAREA");
    const std::string name = enlazora::text::UpperAsciiLetters(table.text(row, "NOMBRE"));
    if (activities.guardCode.empty() && name.starts_with("GUARDIA")) activities.guardCode = table.text(row, "COD");
  }
  table.close();
  return activities;
}

// Where a class unit's loads ask for more hours than its week holds, every
// load of the unit keeps its share of the week (one hour at least), and the
// hours left over go one each to the unit's first loads.
void FitLoadsToTheWeek(std::vector<Load>& loads, int cellsPerWeek) {
  const int available = cellsPerWeek - kFreeCellsPerUnit;
  std::map<std::string, int> asked, given;
  for (const Load& load : loads) asked[load.classUnit] += load.hours;
  for (Load& load : loads) {
    if (asked[load.classUnit] <= available) continue;
    load.hours = std::max(1, load.hours * available / asked[load.classUnit]);
    given[load.classUnit] += load.hours;
  }
  for (Load& load : loads) {
    if (asked[load.classUnit] <= available || given[load.classUnit] >= available) continue;
    ++load.hours;
    ++given[load.classUnit];
  }
}

class Week {
 public:
  Week(std::vector<std::string> teachers, std::vector<int> slots)
      : teachers_(std::move(teachers)), slots_(std::move(slots)) {}

  // Places every hour of every load; a load goes to the first teacher, from a
  // turning start, who still has the hours free.
  std::vector<Lesson> place(const std::vector<Load>& loads) {
    std::vector<Lesson> lessons;
    std::size_t start = 0;
    for (std::size_t index = 0; index < loads.size(); ++index) {
      const Load& load = loads[index];
      const std::string teacher = teacherFor(load, start);
      start = (start + 1) % teachers_.size();
      std::set<int> daysTaken;
      for (int hour = 0; hour < load.hours; ++hour) {
        Lesson lesson{teacher, 0, 0, load.subject, load.classUnit, "", ""};
        if ((lessonsSoFar_++ % kEveryUnplaced) != kEveryUnplaced - 1) placeOnFreeCell(lesson, daysTaken, index + hour);
        lessons.push_back(lesson);
      }
    }
    return lessons;
  }

  // Guard duties for the teachers with few hours: lessons of the activity
  // without class unit.
  std::vector<Lesson> placeGuards(const std::string& guardCode) {
    std::vector<Lesson> lessons;
    if (guardCode.empty()) return lessons;
    for (std::size_t index = 0; index < teachers_.size(); ++index) {
      const std::string& teacher = teachers_[index];
      if (hours_[teacher] >= kGuardsBelowHours) continue;
      std::set<int> daysTaken;
      for (int guard = 0; guard < kGuardsPerTeacher; ++guard) {
        Lesson lesson{teacher, 0, 0, guardCode, "", "", ""};
        placeOnFreeCell(lesson, daysTaken, index * 3 + static_cast<std::size_t>(guard));
        lessons.push_back(lesson);
      }
    }
    return lessons;
  }

  int cellsPerWeek() const { return kSchoolDays * static_cast<int>(slots_.size()); }

 private:
  std::string teacherFor(const Load& load, std::size_t start) {
    for (std::size_t k = 0; k < teachers_.size(); ++k) {
      const std::string& teacher = teachers_[(start + k) % teachers_.size()];
      if (hours_[teacher] + load.hours <= kMostHoursPerTeacher) {
        hours_[teacher] += load.hours;
        return teacher;
      }
    }
    return teachers_[start];
  }

  bool busy(const std::string& who, int day, int slot) const { return taken_.contains({who, day * 100 + slot}); }

  // The first cell, from a turning start, where teacher and class unit are
  // both free, on a day that the load does not use yet if there is one.
  void placeOnFreeCell(Lesson& lesson, std::set<int>& daysTaken, std::size_t turn) {
    const int cells = kSchoolDays * static_cast<int>(slots_.size());
    for (bool newDayOnly : {true, false})
      for (int k = 0; k < cells; ++k) {
        const int cell = static_cast<int>((turn * 7 + static_cast<std::size_t>(k)) % static_cast<std::size_t>(cells));
        const int day = cell % kSchoolDays + 1;
        const int slot = slots_[static_cast<std::size_t>(cell / kSchoolDays)];
        if (newDayOnly && daysTaken.contains(day)) continue;
        if (busy(lesson.teacher, day, slot)) continue;
        if (!lesson.classUnit.empty() && busy("#" + lesson.classUnit, day, slot)) continue;
        taken_.insert({lesson.teacher, day * 100 + slot});
        taken_.insert({"#" + lesson.classUnit, day * 100 + slot});
        daysTaken.insert(day);
        lesson.day = day;
        lesson.slot = slot;
        return;
      }
  }

  std::vector<std::string> teachers_;
  std::vector<int> slots_;
  std::map<std::string, int> hours_;
  std::set<std::pair<std::string, int>> taken_;
  std::size_t lessonsSoFar_ = 0;
};

void WriteSolution(const fs::path& file, const std::vector<Lesson>& lessons) {
  std::vector<FieldDef> fields{FieldDef::character("PROF", 10), FieldDef{"DIA", 'N', 2, 0}, FieldDef{"HORA", 'N', 2, 0},
                               FieldDef::character("ASIG", 10), FieldDef::character("CODGRUPO", 10),
                               FieldDef::character("TAREA", 10), FieldDef::character("AULA", 10)};
  DbfTable::create(file, fields);
  auto table = DbfTable::open(file);
  for (const Lesson& lesson : lessons) {
    table.append();
    table.set("PROF", lesson.teacher);
    table.setInteger("DIA", lesson.day);
    table.setInteger("HORA", lesson.slot);
    table.set("ASIG", lesson.subject);
    table.set("CODGRUPO", lesson.classUnit);
    table.set("TAREA", lesson.task);
    table.set("AULA", lesson.room);
    table.post();
  }
  table.close();
}

// An empty level reference table: the courses' levels play no part in the
// solution.
fs::path WriteEmptyLevelTable(const fs::path& folder) {
  const fs::path file = folder / "NIVELLARI.DBF";
  DbfTable::create(file, {FieldDef::integer("X_OFERTAMATRIG"), FieldDef::character("NIVEL_ABREV", 10),
                          FieldDef::character("ESTUDIO", 80)});
  return file;
}

int Generate(const fs::path& document, const fs::path& output) {
  enlazora::formats::SetFixedClock(enlazora::formats::ParseMoment("2025-09-01 08:00:00"));
  const fs::path scratch = output.parent_path() / "generar_solucion.tmp";
  fs::remove_all(scratch);
  fs::create_directories(scratch / "HTEMP");
  const fs::path tables = scratch / "HTEMP";
  FixedDayPlan plan;
  enlazora::inbound::RunInbound({document, tables, WriteEmptyLevelTable(scratch)}, plan);

  const auto teachers = Column(tables / "PROFT.DBF", "ABREV");
  const auto rooms = Column(tables / "AULAT.DBF", "ABREV");
  const auto units = Column(tables / "GRUPOST.DBF", "ABREV");
  const auto slots = TeachingSlots(tables);
  if (teachers.empty() || slots.empty()) throw std::runtime_error("la muestra no tiene profesores o tramos");
  Week week(teachers, slots);
  auto loads = SubjectLoads(tables);
  FitLoadsToTheWeek(loads, week.cellsPerWeek());
  auto lessons = week.place(loads);
  const Activities activities = ActivitiesOf(tables);
  for (std::size_t index = 0; index < lessons.size(); ++index) {
    Lesson& lesson = lessons[index];
    const auto unit = std::find(units.begin(), units.end(), lesson.classUnit) - units.begin();
    if (!rooms.empty() && index % kEveryWithoutRoom != 0)
      lesson.room = rooms[static_cast<std::size_t>(unit) % rooms.size()];
    if (index % kEveryWithTask == 0) lesson.task = activities.taskKey;
  }
  for (const Lesson& guard : week.placeGuards(activities.guardCode)) lessons.push_back(guard);
  WriteSolution(output, lessons);
  fs::remove_all(scratch);
  std::size_t placed = 0;
  for (const Lesson& lesson : lessons) placed += lesson.day != 0;
  std::cout << output.string() << ": " << lessons.size() << " sesiones, " << placed << " colocadas\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "Uso: generar_solucion DOCUMENTO.xml SOLUC.DBF\n";
    return 2;
  }
  try {
    return Generate(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
}
