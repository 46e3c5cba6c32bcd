// Step 3: the staff of "EMPLEADOS" becomes PROFT.DBF, one teacher per record,
// each with a unique code made of the initials of the three parts of the name.
#include "formats/CodeList.h"
#include "formats/dbf/DbfTable.h"
#include "inbound/InboundTables.h"
#include "inbound/Steps.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using text::Izquierda;
using text::QuitaEspacios;

constexpr std::size_t kMinValues = 2;

struct Teacher {
  std::string key;        // X_EMPLEADO
  std::string dateText;   // F_TOMAPOS
  std::string name;       // first surname, second surname, given name
  std::string candidate;  // the first letters of the three parts, untrimmed
};

// "García López, Ana": the separators stay whatever the parts hold.
std::string FullName(const formats::Record& record) {
  return QuitaEspacios(record.value(3)) + " " + QuitaEspacios(record.value(4)) + ", " +
         QuitaEspacios(record.value(5));
}

// The first character of each part as the document gives it: a part that
// begins with a blank gives a blank.
std::string Initials(const formats::Record& record) {
  return Izquierda(record.value(3), 1) + Izquierda(record.value(4), 1) + Izquierda(record.value(5), 1);
}

Teacher ReadTeacher(const formats::Record& record) {
  return {QuitaEspacios(record.value(0)), QuitaEspacios(record.value(1)), FullName(record), Initials(record)};
}

void AppendTeacher(formats::DbfTable& table, const Teacher& teacher, const std::string& code) {
  table.append();
  table.set("ABREV", code);
  table.set("NOMBRE", teacher.name);
  table.set("DEPART", "");
  table.set("X_EMPLEADO", teacher.key);
  table.set("F_TOMAPOS", teacher.dateText);
  table.post();
}

}  // namespace

void TeachersStep(StepContext& context) {
  const auto file = context.tables.recreate(tables::kProft, tables::ProftFields());
  formats::CodeList codes(formats::LetterCase::Ignored, formats::LongCodes::Shortened);
  const auto& records = context.document.records("EMPLEADOS");
  auto table = formats::DbfTable::open(file);
  std::size_t rows = 0;
  for (const auto& record : records) {
    if (record.size() < kMinValues) continue;
    const Teacher teacher = ReadTeacher(record);
    AppendTeacher(table, teacher, codes.makeUnique(teacher.candidate));
    ++rows;
  }
  table.close();
  context.noteRows(tables::kProft, rows);
}

}  // namespace enlazora::inbound
