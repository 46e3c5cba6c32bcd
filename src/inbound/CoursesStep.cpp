// Step 5: the course offers of "CURSOS_DEL_CENTRO" become CURSOST.DBF, with
// level and studies from the level reference table NIVELLARI.DBF; the class
// units of "UNIDADES" become GRUPOST.DBF, each with a unique short code and
// the level, course number and studies of its course.
#include <unordered_map>

#include "formats/CodeList.h"
#include "formats/dbf/DbfTable.h"
#include "inbound/InboundError.h"
#include "inbound/InboundTables.h"
#include "inbound/IntegerText.h"
#include "inbound/Steps.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using formats::DbfTable;
using text::QuitaEspacios;

constexpr std::size_t kMinValues = 2;
constexpr std::size_t kClassUnitCodeLength = 10;
constexpr const char* kLevelWhenUnknown = "Niv";

struct Level {
  std::string level;    // NIVEL_ABREV
  std::string studies;  // ESTUDIO
};

// The level reference table, looked up by the course offer's key as a number:
// the first record in table order with that key.
class LevelReference {
 public:
  explicit LevelReference(const std::filesystem::path& file) {
    const auto table = DbfTable::open(file, formats::Access::Shared);
    for (const char* field : {"X_OFERTAMATRIG", "NIVEL_ABREV", "ESTUDIO"})
      if (!table.hasField(field))
        throw InboundError(std::string("La tabla de niveles NIVELLARI.DBF no tiene el campo ") + field +
                           " - Reinstale ENLAZORA");
    for (std::size_t row = 0; row < table.size(); ++row) {
      if (table.isBlank(row, "X_OFERTAMATRIG")) continue;
      levels_.try_emplace(table.integer(row, "X_OFERTAMATRIG"),
                          Level{table.text(row, "NIVEL_ABREV"), table.text(row, "ESTUDIO")});
    }
  }

  // "Niv" and no studies for a key the table lacks; "Niv" with the studies
  // for a record whose level is empty.
  Level find(long long key) const {
    const auto found = levels_.find(key);
    Level level = found == levels_.end() ? Level{} : found->second;
    if (level.level.empty()) level.level = kLevelWhenUnknown;
    return level;
  }

 private:
  std::unordered_map<long long, Level> levels_;
};

void AppendCourse(DbfTable& table, const std::string& key, const Level& level, const std::string& courseNumber) {
  table.append();
  table.set("CLAVE", key);
  table.set("NIVEL", level.level);
  table.set("CURSO", courseNumber);
  table.set("ESTUD", level.studies);
  table.post();
}

std::size_t WriteCourses(StepContext& context, DbfTable& courses) {
  const auto& records = context.document.records("CURSOS_DEL_CENTRO");
  const LevelReference levels(context.levelTable);
  std::size_t rows = 0;
  for (const auto& record : records) {
    if (record.size() < kMinValues) continue;
    const std::string key = QuitaEspacios(record.value(0));
    const Level level = levels.find(ParseInteger(key));
    AppendCourse(courses, key, level, text::Izquierda(QuitaEspacios(record.value(1)), 1));
    ++rows;
  }
  return rows;
}

struct ClassUnit {
  std::string key;        // position 0
  std::string name;       // position 1
  std::string courseKey;  // position 2
};

// What a class unit takes from its course: empty when no course matches.
struct CourseOfUnit {
  std::string level;
  std::string courseNumber;
  std::string studies;
};

// The first course, in table order, whose CLAVE equals the course key.
CourseOfUnit FindCourse(const DbfTable& courses, const std::string& courseKey) {
  const auto row = courses.locate({"CLAVE"}, {courseKey});
  if (!row) return {};
  return {courses.text(*row, "NIVEL"), courses.text(*row, "CURSO"), courses.text(*row, "ESTUD")};
}

// The name's first ten characters that are not blanks; when there are ten,
// the tenth becomes the name's last character.
std::string ClassUnitCandidate(const std::string& name) {
  std::string code;
  for (char c : name) {
    if (c == ' ') continue;
    code += c;
    if (code.size() == kClassUnitCodeLength) break;
  }
  if (code.size() == kClassUnitCodeLength) code.back() = name.back();
  return code;
}

// "(1º ESO A) Educación Secundaria Obligatoria"; without studies, blanks
// between level, course number and group letter: " ESO 1 A".
std::string Description(const ClassUnit& unit, const CourseOfUnit& course, const std::string& group) {
  if (course.studies.empty()) return " " + course.level + " " + course.courseNumber + " " + group;
  return "(" + unit.name + ") " + course.studies;
}

void AppendClassUnit(DbfTable& table, const ClassUnit& unit, const CourseOfUnit& course, const std::string& code) {
  const std::string group = text::Derecha(unit.name, 1);
  table.append();
  table.set("ABREV", code);
  table.set("TURNO", "");
  table.set("NIVEL", course.level);
  table.set("CURSO", course.courseNumber);
  table.set("GRUPO", group);
  table.set("CLAVE", unit.key);
  table.set("CLAVECURSO", unit.courseKey);
  table.set("DESCRIP", Description(unit, course, group));
  table.post();
}

std::size_t WriteClassUnits(StepContext& context, const DbfTable& courses, DbfTable& units) {
  formats::CodeList codes(formats::LetterCase::Ignored, formats::LongCodes::Shortened);
  const auto& records = context.document.records("UNIDADES");
  std::size_t rows = 0;
  for (const auto& record : records) {
    if (record.size() < kMinValues) continue;
    const ClassUnit unit{QuitaEspacios(record.value(0)), QuitaEspacios(record.value(1)),
                         QuitaEspacios(record.value(2))};
    const CourseOfUnit course = FindCourse(courses, unit.courseKey);
    AppendClassUnit(units, unit, course, codes.makeUnique(ClassUnitCandidate(unit.name)));
    ++rows;
  }
  return rows;
}

}  // namespace

void CoursesAndClassUnitsStep(StepContext& context) {
  const auto coursesFile = context.tables.recreate(tables::kCursost, tables::CursostFields());
  const auto unitsFile = context.tables.recreate(tables::kGrupost, tables::GrupostFields());

  auto courses = DbfTable::open(coursesFile);
  const std::size_t courseRows = WriteCourses(context, courses);
  auto units = DbfTable::open(unitsFile);
  const std::size_t unitRows = WriteClassUnits(context, courses, units);
  units.close();
  courses.close();
  context.noteRows(tables::kCursost, courseRows);
  context.noteRows(tables::kGrupost, unitRows);
}

}  // namespace enlazora::inbound
