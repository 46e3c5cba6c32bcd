#include "support/TableSetGenerator.h"

#include <fstream>
#include <string>
#include <vector>

#include "formats/dbf/DbfTable.h"

namespace enlazora::bench {
namespace {

using formats::DbfTable;
using formats::FieldDef;

constexpr std::size_t kDays = 5;
constexpr std::size_t kSlotsPerDay = 6;
constexpr std::size_t kSubjectsPerUnit = 10;

std::vector<FieldDef> Characters(std::initializer_list<std::pair<const char*, int>> fields) {
  std::vector<FieldDef> definitions;
  for (const auto& [name, width] : fields) definitions.push_back(FieldDef::character(name, width));
  return definitions;
}

std::string Code(const char* prefix, std::size_t number) { return prefix + std::to_string(number); }

// Offer keys: one course offer per four class units.
std::string OfferOfUnit(std::size_t unit) { return Code("O", unit / 4); }

void WriteClassUnits(const std::filesystem::path& folder, const TableSetSize& size) {
  DbfTable::create(folder / "GRUPOST.DBF", Characters({{"ABREV", 10}, {"TURNO", 1}, {"NIVEL", 5}, {"CURSO", 3},
                                                        {"GRUPO", 2}, {"CLAVE", 10}, {"CLAVECURSO", 10},
                                                        {"DESCRIP", 80}}));
  auto table = DbfTable::open(folder / "GRUPOST.DBF");
  for (std::size_t unit = 0; unit < size.classUnits; ++unit) {
    table.append();
    table.set("ABREV", Code("G", unit));
    table.set("CLAVE", Code("U", unit));
    table.set("CLAVECURSO", OfferOfUnit(unit));
    table.set("DESCRIP", "Unidad " + std::to_string(unit));
    table.post();
  }
  table.close();

  DbfTable::create(folder / "CURSOST.DBF", Characters({{"ABREV", 3}, {"TURNO", 1}, {"NIVEL", 5}, {"CURSO", 3},
                                                        {"CLAVE", 10}, {"ESTUD", 80}}));
  auto courses = DbfTable::open(folder / "CURSOST.DBF");
  for (std::size_t offer = 0; offer * 4 < size.classUnits; ++offer) {
    courses.append();
    courses.set("CLAVE", Code("O", offer));
    courses.post();
  }
  courses.close();
}

void WriteTeachers(const std::filesystem::path& folder, const TableSetSize& size) {
  auto fields = Characters({{"ABREV", 10}, {"NOMBRE", 80}, {"DEPART", 40}});
  fields.push_back(FieldDef::integer("DNI"));
  for (const auto& field : Characters({{"X_EMPLEADO", 10}, {"F_TOMAPOS", 10}})) fields.push_back(field);
  DbfTable::create(folder / "PROFT.DBF", fields);
  auto table = DbfTable::open(folder / "PROFT.DBF");
  for (std::size_t teacher = 0; teacher < size.teachers; ++teacher) {
    table.append();
    table.set("ABREV", Code("P", teacher));
    table.set("NOMBRE", "Apellido " + std::to_string(teacher) + ", Nombre");
    table.set("X_EMPLEADO", Code("E", 10000 + teacher));
    table.set("F_TOMAPOS", "01/09/2025");
    table.post();
  }
  table.close();
}

void WriteRooms(const std::filesystem::path& folder, const TableSetSize& size) {
  auto fields = Characters({{"ABREV", 10}, {"NOMBRE", 80}, {"EDIFICIO", 1}});
  fields.push_back(FieldDef::integer("MAXALUM"));
  fields.push_back(FieldDef::character("DEPCENTRO", 10));
  DbfTable::create(folder / "AULAT.DBF", fields);
  auto table = DbfTable::open(folder / "AULAT.DBF");
  for (std::size_t room = 0; room < size.rooms; ++room) {
    table.append();
    table.set("ABREV", Code("A", room));
    table.set("DEPCENTRO", Code("A", room));
    table.post();
  }
  table.close();
}

// Subjects, and four activities whose lessons carry no class unit.
void WriteSubjects(const std::filesystem::path& folder, const TableSetSize& size) {
  auto fields = Characters({{"COD", 10}, {"CODLARGO", 10}, {"NOMBRE", 80}, {"CODTAREA", 10}});
  fields.push_back(FieldDef::logical("ESTAREA"));
  DbfTable::create(folder / "ASIGNOMT.DBF", fields);
  auto table = DbfTable::open(folder / "ASIGNOMT.DBF");
  for (std::size_t subject = 0; subject < size.subjects; ++subject) {
    table.append();
    table.set("COD", Code("S", subject));
    table.set("NOMBRE", "Materia " + std::to_string(subject));
    table.setLogical("ESTAREA", false);
    table.post();
  }
  for (std::size_t activity = 0; activity < 4; ++activity) {
    table.append();
    table.set("COD", Code("ACT", activity));
    table.set("CODTAREA", Code("T", activity));
    table.setLogical("ESTAREA", true);
    table.post();
  }
  table.close();

  auto offeringFields = Characters({{"COD", 10}, {"CODLARGO", 10}, {"NOMBRE", 80}, {"MATERIA", 20},
                                    {"OFERTAMATRI", 20}, {"CODTAREA", 12}});
  offeringFields.push_back(FieldDef::logical("ESTAREA"));
  DbfTable::create(folder / "ASIGNOMT2.DBF", offeringFields);
  auto offerings = DbfTable::open(folder / "ASIGNOMT2.DBF");
  for (std::size_t unit = 0; unit < size.classUnits; unit += 4)
    for (std::size_t k = 0; k < kSubjectsPerUnit; ++k) {
      const std::size_t subject = (unit + k) % size.subjects;
      offerings.append();
      offerings.set("COD", Code("S", subject));
      offerings.set("MATERIA", Code("M", subject));
      offerings.set("OFERTAMATRI", OfferOfUnit(unit));
      offerings.post();
    }
  offerings.close();
}

void WriteTimeSlots(const std::filesystem::path& folder) {
  DbfTable::create(folder / "DIASHORAST.DBF",
                   Characters({{"DIHO", 10}, {"CODDIHO", 10}, {"DIA", 20}, {"TEXTODIA", 20}, {"HORA", 8},
                               {"TEXTOHOR", 15}, {"HORADESDE", 8}, {"HORAHASTA", 8}, {"MINUTOS", 8}}));
  auto table = DbfTable::open(folder / "DIASHORAST.DBF");
  for (std::size_t day = 1; day <= 7; ++day)
    for (std::size_t slot = 1; slot <= kSlotsPerDay; ++slot) {
      const std::size_t start = 480 + (slot - 1) * 60;
      auto clock = [](std::size_t minutes) {
        const std::string hours = std::to_string(minutes / 60), rest = std::to_string(minutes % 60);
        return (hours.size() < 2 ? "0" + hours : hours) + ":" + (rest.size() < 2 ? "0" + rest : rest);
      };
      table.append();
      table.set("DIHO", std::to_string(day) + std::to_string(slot));
      table.set("CODDIHO", Code("T", slot));
      table.set("DIA", std::to_string(day));
      table.set("HORA", std::to_string(slot));
      table.set("HORADESDE", clock(start));
      table.set("HORAHASTA", clock(start + 55));
      table.set("MINUTOS", "55");
      table.post();
    }
  table.close();
}

// Every class unit takes kSubjectsPerUnit subjects; one load in seven leaves
// its keys blank, so that the class unit and ASIGNOMT2.DBF supply them.
void WriteSubjectLoad(const std::filesystem::path& folder, const TableSetSize& size) {
  auto fields = Characters({{"CASIG", 10}, {"CPROF", 10}, {"CGRUP", 10}, {"CAULA", 10}, {"TURNO", 1},
                            {"NIVEL", 5}, {"CURSO", 3}, {"GRUPO", 2}});
  fields.push_back(FieldDef::floating("HORAS"));
  for (const auto& field : Characters({{"SESIONES", 20}, {"CLAVE", 10}, {"CLAVECURSO", 10}, {"CTAREA", 10}}))
    fields.push_back(field);
  DbfTable::create(folder / "ASIGT.DBF", fields);
  auto table = DbfTable::open(folder / "ASIGT.DBF");
  std::size_t row = 0;
  for (std::size_t unit = 0; unit < size.classUnits; ++unit)
    for (std::size_t k = 0; k < kSubjectsPerUnit; ++k, ++row) {
      const std::size_t subject = ((unit / 4) * 4 + k) % size.subjects;
      table.append();
      table.set("CASIG", Code("S", subject));
      table.set("CGRUP", Code("G", unit));
      table.setNumber("HORAS", 3);
      table.set("SESIONES", "111");
      if (row % 7 != 0) {
        table.set("CLAVE", Code("M", subject));
        table.set("CLAVECURSO", OfferOfUnit(unit));
      }
      table.set("CTAREA", "1");
      table.post();
    }
  table.close();
}

void WritePeriods(const std::filesystem::path& folder) {
  DbfTable::create(folder / "PERIODOS.DBF",
                   Characters({{"CJORNADA", 10}, {"JORNADA", 40}, {"FECINI", 10}, {"FECFIN", 10}}));
  auto table = DbfTable::open(folder / "PERIODOS.DBF");
  table.append();
  table.set("CJORNADA", "JORN1");
  table.set("JORNADA", "Jornada ordinaria");
  table.set("FECINI", "01/09/2025");
  table.set("FECFIN", "30/06/2026");
  table.post();
  table.close();
}

// Thirty lessons per teacher spread over the week; one in fifty unplaced,
// one in twenty an activity without class unit, some without room or with a
// task of their own.
void WriteSolution(const std::filesystem::path& folder, const TableSetSize& size) {
  auto fields = Characters({{"PROF", 10}});
  fields.push_back({"DIA", 'N', 2, 0});
  fields.push_back({"HORA", 'N', 2, 0});
  for (const auto& field : Characters({{"ASIG", 10}, {"CODGRUPO", 10}, {"TAREA", 10}, {"AULA", 10}}))
    fields.push_back(field);
  DbfTable::create(folder / "SOLUC.DBF", fields);
  auto table = DbfTable::open(folder / "SOLUC.DBF");
  for (std::size_t lesson = 0; lesson < size.lessons; ++lesson) {
    const std::size_t teacher = lesson % size.teachers;
    const std::size_t nth = lesson / size.teachers;
    const std::size_t cell = (nth + teacher) % (kDays * kSlotsPerDay);
    const std::size_t unit = (teacher * 3 + nth / 10) % size.classUnits;
    const std::size_t k = nth % kSubjectsPerUnit;
    table.append();
    table.set("PROF", Code("P", teacher));
    table.setInteger("DIA", lesson % 50 == 0 ? 0 : static_cast<long long>(cell / kSlotsPerDay + 1));
    table.setInteger("HORA", static_cast<long long>(cell % kSlotsPerDay + 1));
    if (lesson % 20 == 0) {
      table.set("ASIG", Code("ACT", lesson % 4));
    } else {
      table.set("ASIG", Code("S", ((unit / 4) * 4 + k) % size.subjects));
      table.set("CODGRUPO", Code("G", unit));
    }
    if (lesson % 13 == 0) table.set("TAREA", "TX");
    if (lesson % 9 != 0) table.set("AULA", Code("A", (teacher + nth) % size.rooms));
    table.post();
  }
  table.close();
}

}  // namespace

TableSetSize SizeAtScale(std::size_t scale) {
  TableSetSize size;
  size.teachers = 150 * scale;
  size.classUnits = 40 * scale;
  size.subjects = 60 * scale;
  size.rooms = 50 * scale;
  size.lessons = 4500 * scale;
  return size;
}

TableSetSize WriteTableSet(const std::filesystem::path& folder, std::size_t scale) {
  const TableSetSize size = SizeAtScale(scale);
  std::filesystem::create_directories(folder);
  WriteClassUnits(folder, size);
  WriteTeachers(folder, size);
  WriteRooms(folder, size);
  WriteSubjects(folder, size);
  WriteTimeSlots(folder);
  WriteSubjectLoad(folder, size);
  WritePeriods(folder);
  WriteSolution(folder, size);
  return size;
}

void WriteExchangeDocument(const std::filesystem::path& file) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
         "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">2025</dato>"
         "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n";
}

}  // namespace enlazora::bench
