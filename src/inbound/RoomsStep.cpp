// Step 4: the rooms of "DEPENDENCIAS" become AULAT.DBF, each with a short code
// of at most four characters.
#include "formats/CodeList.h"
#include "formats/dbf/DbfTable.h"
#include "inbound/InboundTables.h"
#include "inbound/Steps.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using text::QuitaEspacios;

constexpr std::size_t kMinValues = 2;
constexpr long long kCodeFromName = 6;
constexpr long long kAbrevLength = 4;

// The room's key, or the first 6 characters of its name when it has no key.
std::string RoomCandidate(const std::string& key, const std::string& name) {
  return key.empty() ? text::Izquierda(name, kCodeFromName) : key;
}

void AppendRoom(formats::DbfTable& table, const std::string& code, const std::string& name, const std::string& key) {
  table.append();
  // The last four characters of the unique code; ABREV itself is not made
  // unique again.
  table.set("ABREV", text::Derecha(code, kAbrevLength));
  table.set("NOMBRE", name);
  table.set("DEPCENTRO", key);
  table.post();
}

}  // namespace

void RoomsStep(StepContext& context) {
  const auto file = context.tables.recreate(tables::kAulat, tables::AulatFields());
  // The full codes, never shortened.
  formats::CodeList codes(formats::LetterCase::Ignored, formats::LongCodes::KeptWhole);
  const auto& records = context.document.records("DEPENDENCIAS");
  auto table = formats::DbfTable::open(file);
  std::size_t rows = 0;
  for (const auto& record : records) {
    if (record.size() < kMinValues) continue;
    const std::string key = QuitaEspacios(record.value(0));
    const std::string name = QuitaEspacios(record.value(1));
    AppendRoom(table, codes.makeUnique(RoomCandidate(key, name)), name, key);
    ++rows;
  }
  table.close();
  context.noteRows(tables::kAulat, rows);
}

}  // namespace enlazora::inbound
