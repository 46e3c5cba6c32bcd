// Any bytes as the exchange document: the whole inbound run into a scratch
// table folder either stops with an exception or completes with tables that
// read back as reported, never anything worse.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "formats/dbf/DbfTable.h"
#include "formats/xml/ExchangeDocument.h"
#include "inbound/InboundRun.h"
#include "support/FuzzSupport.h"

using namespace enlazora;

namespace {

// The first day plan of the document, as the command line answers without
// --plantilla.
class FirstPlan : public inbound::InboundInteraction {
 public:
  std::string chooseDayPlan(const std::filesystem::path& document) override {
    const auto plans = formats::ExchangeDocument::load(document).records("JORNADAS_ESCOLARES");
    return plans.empty() ? std::string() : plans.front().value(0);
  }
};

struct LevelRow {
  long long key;
  const char* level;
  const char* studies;
};

const std::filesystem::path& LevelTable() {
  static const std::filesystem::path file = [] {
    auto path = fuzzing::ScratchFolder() / "NIVELLARI.DBF";
    formats::DbfTable::create(path, {formats::FieldDef::integer("X_OFERTAMATRIG"),
                                     formats::FieldDef::character("NIVEL_ABREV", 10),
                                     formats::FieldDef::character("ESTUDIO", 100)});
    auto table = formats::DbfTable::open(path);
    for (const LevelRow& row : {LevelRow{10, "ESO", "Educaci\xF3n Secundaria Obligatoria"},
                                LevelRow{5401, "ESO", "Educaci\xF3n Secundaria Obligatoria"},
                                LevelRow{5402, "", "Bachillerato"}}) {
      table.append();
      table.setInteger("X_OFERTAMATRIG", row.key);
      table.set("NIVEL_ABREV", row.level);
      table.set("ESTUDIO", row.studies);
      table.post();
    }
    table.close();
    return path;
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& level = LevelTable();
  const auto tables = fuzzing::ScratchFolder() / "HTEMP";
  std::filesystem::create_directories(tables);
  fuzzing::EmptyFolder(tables);
  const auto document = fuzzing::ScratchFolder() / "documento.xml";
  fuzzing::WriteFile(document, data, size);
  FirstPlan interaction;
  inbound::InboundResult result;
  try {
    result = inbound::RunInbound({document, tables, level}, interaction);
  } catch (const std::exception&) {
    return 0;
  }
  // A completed run leaves tables that read back with the rows it reports.
  for (const auto& written : result.tables) {
    const auto table = formats::DbfTable::open(tables / written.table, formats::Access::Shared);
    if (table.size() != written.rows) {
      std::fprintf(stderr, "%s holds %zu rows, reported %zu\n", written.table.c_str(), table.size(), written.rows);
      std::abort();
    }
  }
  return 0;
}
