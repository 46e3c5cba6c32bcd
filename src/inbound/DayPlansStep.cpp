// Step 7: school days, time slots and periods. One day plan is chosen (the
// person is asked when the document holds more than one); its time slots are
// copied to the seven days of the week in DIASHORAST2.DBF, numbered by start
// time into DIASHORAST.DBF, and the plan itself goes to PERIODOS.DBF.
// JORNADAS.DBF is deleted.
#include "formats/dbf/DbfTable.h"
#include "inbound/DayPlanRules.h"
#include "inbound/InboundError.h"
#include "inbound/InboundTables.h"
#include "inbound/IntegerText.h"
#include "inbound/Steps.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using formats::DbfTable;
using text::QuitaEspacios;

constexpr std::size_t kMinSlotValues = 2;
constexpr int kDaysOfWeek = 7;

// With one day plan (or none to choose from) its code; with more, the one
// the person picks.
std::string ChooseDayPlan(StepContext& context, const std::vector<formats::Record>& plans) {
  if (plans.empty())
    throw InboundError(
        "El documento no contiene ninguna jornada escolar (bloque JORNADAS_ESCOLARES): no hay plantilla "
        "horaria que aplicar.");
  if (plans.size() == 1) return QuitaEspacios(plans.front().value(0));
  return text::TrimControlAndBlanks(context.interaction.chooseDayPlan(context.documentPath));
}

struct TimeSlot {
  std::string code;      // position 0
  std::string label;     // position 1
  std::string start;     // position 2, minutes after midnight
  std::string end;       // position 3
  std::string planCode;  // position 4
};

TimeSlot ReadTimeSlot(const formats::Record& record) {
  return {QuitaEspacios(record.value(0)), QuitaEspacios(record.value(1)), QuitaEspacios(record.value(2)),
          QuitaEspacios(record.value(3)), QuitaEspacios(record.value(4))};
}

void AppendPropagatedSlot(DbfTable& table, const TimeSlot& slot, int day, int counter, int start, int end) {
  table.append();
  table.set("DIHO", std::to_string(day) + std::to_string(counter));
  table.set("CODDIHO", slot.code);
  table.set("DIA", std::to_string(day));
  table.set("HORA", std::to_string(counter));
  table.set("TEXTOHOR", slot.label);
  table.set("HORADESDE", ClockText(start));
  table.set("HORAHASTA", ClockText(end));
  table.set("MINUTOS", std::to_string(static_cast<long long>(end) - start));
  table.setInteger("ORDEN", start);
  table.post();
}

// First pass: every slot of the chosen plan, once for each day of the week,
// numbered by the slot counter (which every slot record advances).
std::size_t PropagateOverWeek(StepContext& context, DbfTable& propagated) {
  std::size_t rows = 0;
  int counter = 1;
  for (const auto& record : context.document.records("TRAMOS_HORARIOS")) {
    if (record.size() < kMinSlotValues) continue;
    const TimeSlot slot = ReadTimeSlot(record);
    if (slot.planCode == context.PlantillaElegida) {
      const int start = ParseInteger(slot.start);
      const int end = ParseInteger(slot.end);
      for (int day = 1; day <= kDaysOfWeek; ++day) {
        AppendPropagatedSlot(propagated, slot, day, counter, start, end);
        ++rows;
      }
    }
    ++counter;
  }
  return rows;
}

// Second pass: the propagated rows by start minute; slots with the same start
// share their number.
std::size_t NumberByStartTime(const DbfTable& propagated, DbfTable& grid) {
  const auto order = propagated.rowsInOrderOf("ORDEN");
  SlotNumbering numbering;
  for (const std::size_t row : order) {
    const long long slotNumber = numbering.next(propagated.integer(row, "ORDEN"));
    const std::string day = propagated.text(row, "DIA");
    grid.append();
    grid.set("DIHO", day + std::to_string(slotNumber));
    grid.set("CODDIHO", propagated.text(row, "CODDIHO"));
    grid.set("DIA", day);
    grid.set("HORA", std::to_string(slotNumber));
    grid.set("TEXTOHOR", propagated.text(row, "TEXTOHOR"));
    grid.set("HORADESDE", propagated.text(row, "HORADESDE"));
    grid.set("HORAHASTA", propagated.text(row, "HORAHASTA"));
    grid.set("MINUTOS", propagated.text(row, "MINUTOS"));
    grid.post();
  }
  return order.size();
}

// Every day-plan record with the chosen code, in document order.
std::size_t WritePeriods(StepContext& context, const std::vector<formats::Record>& plans, DbfTable& periods) {
  std::size_t rows = 0;
  for (const auto& plan : plans) {
    if (QuitaEspacios(plan.value(0)) != context.PlantillaElegida) continue;
    periods.append();
    periods.set("CJORNADA", QuitaEspacios(plan.value(0)));
    periods.set("JORNADA", QuitaEspacios(plan.value(1)));
    periods.set("FECINI", QuitaEspacios(plan.value(2)));
    periods.set("FECFIN", QuitaEspacios(plan.value(3)));
    periods.post();
    ++rows;
  }
  return rows;
}

}  // namespace

void DayPlansStep(StepContext& context) {
  const auto gridFile = context.tables.recreate(tables::kDiashorast, tables::DiashorastFields());
  const auto propagatedFile = context.tables.recreate(tables::kDiashorast2, tables::Diashorast2Fields());
  // PERIODOS.DBF is replaced without its index file being deleted.
  const auto periodsFile =
      context.tables.recreate(tables::kPeriodos, tables::PeriodosFields(), StagedTables::OldIndex::Kept);
  context.tables.deleteOnCommit(tables::kJornadas);

  const auto& plans = context.document.records("JORNADAS_ESCOLARES");
  context.PlantillaElegida = ChooseDayPlan(context, plans);

  auto propagated = DbfTable::open(propagatedFile);
  const std::size_t propagatedRows = PropagateOverWeek(context, propagated);
  auto grid = DbfTable::open(gridFile);
  const std::size_t gridRows = NumberByStartTime(propagated, grid);
  propagated.close();
  grid.close();

  auto periods = DbfTable::open(periodsFile);
  const std::size_t periodRows = WritePeriods(context, plans, periods);
  periods.close();

  context.noteRows(tables::kDiashorast, gridRows);
  context.noteRows(tables::kDiashorast2, propagatedRows);
  context.noteRows(tables::kPeriodos, periodRows);
}

}  // namespace enlazora::inbound
