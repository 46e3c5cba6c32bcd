// Step 2: the activities of "ACTIVIDADES" are added to ASIGNOMT.DBF as tasks.
#include "formats/dbf/DbfTable.h"
#include "inbound/InboundTables.h"
#include "inbound/Steps.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using text::QuitaEspacios;

constexpr long long kCodLargoWidth = 10;
constexpr std::size_t kMinValues = 2;

// An activity row: its code as COD and CODTAREA, its name, the name's first
// 10 characters as long code, ESTAREA true. Activities are not compared with
// the subjects or with each other.
void AppendActivity(formats::DbfTable& table, const std::string& code, const std::string& name) {
  table.append();
  table.set("COD", code);
  table.set("CODLARGO", text::Izquierda(name, kCodLargoWidth));
  table.set("NOMBRE", name);
  table.set("CODTAREA", code);
  table.setLogical("ESTAREA", true);
  table.post();
}

}  // namespace

void ActivitiesStep(StepContext& context) {
  const auto& records = context.document.records("ACTIVIDADES");
  auto table = formats::DbfTable::open(context.tables.staged(tables::kAsignomt));
  std::size_t rows = 0;
  for (const auto& record : records) {
    if (record.size() < kMinValues) continue;
    AppendActivity(table, QuitaEspacios(record.value(1)), QuitaEspacios(record.value(2)));
    ++rows;
  }
  table.close();
  context.noteRows(tables::kAsignomt, rows);
  context.subjectLists.reset();
}

}  // namespace enlazora::inbound
