// Any bytes as the host's SOLUC.DBF: the whole outbound run over a fixed table
// set either completes or stops with an exception, never anything worse.
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "formats/dbf/DbfTable.h"
#include "outbound/OutboundRun.h"
#include "support/FuzzSupport.h"

using namespace enlazora;
using formats::FieldDef;

namespace {

using Row = std::vector<std::pair<std::string, std::string>>;

void WriteTable(const std::filesystem::path& file, const std::vector<FieldDef>& fields, const std::vector<Row>& rows) {
  formats::DbfTable::create(file, fields);
  auto table = formats::DbfTable::open(file);
  for (const auto& row : rows) {
    table.append();
    for (const auto& [field, value] : row) table.set(field, value);
    table.post();
  }
  table.close();
}

std::vector<FieldDef> Characters(std::initializer_list<const char*> names) {
  std::vector<FieldDef> fields;
  for (const char* name : names) fields.push_back(FieldDef::character(name, 20));
  return fields;
}

// The fixed tables of a tiny school, written once.
const std::filesystem::path& TableFolder() {
  static const std::filesystem::path folder = [] {
    auto path = fuzzing::ScratchFolder() / "HTEMP";
    std::filesystem::create_directories(path);
    WriteTable(path / "GRUPOST.DBF", Characters({"ABREV", "CLAVE", "CLAVECURSO"}),
               {{{"ABREV", "1ESOA"}, {"CLAVE", "U1"}, {"CLAVECURSO", "10"}}});
    WriteTable(path / "CURSOST.DBF", Characters({"CLAVE"}), {});
    WriteTable(path / "PROFT.DBF", Characters({"ABREV", "X_EMPLEADO", "F_TOMAPOS"}),
               {{{"ABREV", "GLA"}, {"X_EMPLEADO", "E1"}, {"F_TOMAPOS", "01/09/2026"}},
                {{"ABREV", "MPR"}, {"X_EMPLEADO", "E2"}, {"F_TOMAPOS", "01/09/2026"}}});
    WriteTable(path / "AULAT.DBF", Characters({"ABREV"}), {});
    WriteTable(path / "ASIGNOMT.DBF", Characters({"COD", "CODTAREA"}), {{{"COD", "Matem\xE1"}}});
    WriteTable(path / "ASIGNOMT2.DBF", Characters({"COD", "MATERIA", "OFERTAMATRI"}),
               {{{"COD", "Matem\xE1"}, {"MATERIA", "1"}, {"OFERTAMATRI", "10"}}});
    WriteTable(path / "DIASHORAST.DBF", Characters({"DIHO", "CODDIHO", "DIA", "HORADESDE", "HORAHASTA"}),
               {{{"DIHO", "11"}, {"CODDIHO", "T1"}, {"DIA", "1"}, {"HORADESDE", "08:30"}, {"HORAHASTA", "09:25"}}});
    WriteTable(path / "ASIGT.DBF", Characters({"CASIG", "CGRUP", "CLAVE", "CLAVECURSO"}),
               {{{"CASIG", "Matem\xE1"}, {"CGRUP", "1ESOA"}, {"CLAVE", "1"}, {"CLAVECURSO", "10"}}});
    WriteTable(path / "PERIODOS.DBF", Characters({"FECINI", "FECFIN"}),
               {{{"FECINI", "01/09/2026"}, {"FECFIN", "30/06/2027"}}});
    return path;
  }();
  return folder;
}

const std::filesystem::path& Document() {
  static const std::filesystem::path file = [] {
    auto path = fuzzing::ScratchFolder() / "centro.xml";
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"ANNO\"><dato nombre_dato=\"C_ANNO\">2026</dato></grupo_datos>"
        "</BLOQUE_DATOS></SERVICIO>";
    fuzzing::WriteFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return path;
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& tables = TableFolder();
  fuzzing::WriteFile(tables / "SOLUC.DBF", data, size);
  try {
    outbound::RunOutbound({Document(), tables, fuzzing::ScratchFolder() / "resultado.xml"});
  } catch (const std::exception&) {
  }
  return 0;
}
