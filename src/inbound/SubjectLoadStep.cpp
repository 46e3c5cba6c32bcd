// Step 6: the subject load. Each record of "MATERIAS" gives one ASIGT.DBF row
// per class unit of its course offer, with the subject's short code found by
// name in ASIGNOMT.DBF and a fixed weekly load.
#include <unordered_map>

#include "formats/dbf/DbfTable.h"
#include "inbound/InboundTables.h"
#include "inbound/Steps.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using formats::DbfTable;
using text::QuitaEspacios;

constexpr std::size_t kMinValues = 2;
constexpr long long kNombreWidth = 80;
constexpr int kWeeklyLoadMinutes = 240;

// The weekly load in whole hours, rounded up.
int WeeklyHours(int minutes) { return (minutes + 59) / 60; }

// One "1" per weekly hour.
std::string Sessions(int hours) { return std::string(static_cast<std::size_t>(hours), '1'); }

// Names compare upper-cased (only a to z) and trimmed.
std::string NameKey(std::string_view name) { return text::UpperAsciiLetters(QuitaEspacios(name)); }

// The short codes of ASIGNOMT.DBF by name: the first record in table order
// with a name decides, even when its code is empty.
class SubjectCodesByName {
 public:
  explicit SubjectCodesByName(const DbfTable& subjects) {
    for (std::size_t row = 0; row < subjects.size(); ++row)
      codes_.try_emplace(NameKey(subjects.text(row, "NOMBRE")), subjects.text(row, "COD"));
  }

  std::string find(const std::string& name) const {
    const auto found = codes_.find(NameKey(text::Izquierda(name, kNombreWidth)));
    return found == codes_.end() ? std::string() : found->second;
  }

 private:
  std::unordered_map<std::string, std::string> codes_;
};

struct SubjectOffer {
  std::string courseKey;   // position 0
  std::string subjectKey;  // position 1
  std::string name;        // position 2
};

void AppendLoad(DbfTable& load, const SubjectOffer& offer, const std::string& code, const DbfTable& units,
                std::size_t unit) {
  const int hours = WeeklyHours(kWeeklyLoadMinutes);
  load.append();
  load.set("CASIG", code);
  load.set("CGRUP", units.text(unit, "ABREV"));
  load.set("CAULA", "");
  load.set("TURNO", "");
  load.set("NIVEL", units.text(unit, "NIVEL"));
  load.set("CURSO", units.text(unit, "CURSO"));
  load.set("GRUPO", units.text(unit, "GRUPO"));
  load.setNumber("HORAS", hours);
  load.set("SESIONES", Sessions(hours));
  load.set("CLAVE", offer.subjectKey);
  load.set("CLAVECURSO", offer.courseKey);
  load.set("CTAREA", "1");
  load.post();
}

}  // namespace

void SubjectLoadStep(StepContext& context) {
  const auto loadFile = context.tables.recreate(tables::kAsigt, tables::AsigtFields());
  auto load = DbfTable::open(loadFile);
  const auto units = DbfTable::open(context.tables.staged(tables::kGrupost));
  const auto subjects = DbfTable::open(context.tables.staged(tables::kAsignomt));
  const SubjectCodesByName codes(subjects);

  std::size_t rows = 0;
  for (const auto& record : context.document.records("MATERIAS")) {
    if (record.size() < kMinValues) continue;
    const SubjectOffer offer{QuitaEspacios(record.value(0)), QuitaEspacios(record.value(1)),
                             QuitaEspacios(record.value(2))};
    const std::string code = codes.find(offer.name);
    if (code.empty()) continue;
    // Every class unit of the offer, in table order.
    for (const std::size_t unit : units.rowsWhere("CLAVECURSO", offer.courseKey)) {
      AppendLoad(load, offer, code, units, unit);
      ++rows;
    }
  }
  load.close();
  context.noteRows(tables::kAsigt, rows);
}

}  // namespace enlazora::inbound
