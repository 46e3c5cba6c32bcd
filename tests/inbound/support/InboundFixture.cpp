#include "inbound/support/InboundFixture.h"

#include <algorithm>
#include <cstdio>

#include "formats/dbf/DbfTable.h"
#include "text/Windows1252.h"

namespace enlazora::testing {
namespace fs = std::filesystem;
using formats::DbfTable;
using formats::FieldDef;

namespace {
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}
}  // namespace

DocumentBuilder& DocumentBuilder::block(const std::string& seq, const std::vector<Values>& records) {
  blocks_.emplace_back(seq, records);
  return *this;
}

std::string DocumentBuilder::xml() const {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO modulo=\"SENECA\">\n <BLOQUE_DATOS>\n";
  for (const auto& [seq, records] : blocks_) {
    xml += "  <grupo_datos seq=\"" + seq + "\">\n";
    int n = 0;
    for (const auto& values : records) {
      xml += "   <grupo_datos seq=\"R" + std::to_string(++n) + "\">";
      int k = 0;
      for (const auto& value : values)
        xml += "<dato nombre_dato=\"D" + std::to_string(k++) + "\">" + Escaped(value) + "</dato>";
      xml += "</grupo_datos>\n";
    }
    xml += "  </grupo_datos>\n";
  }
  return xml + " </BLOQUE_DATOS>\n</SERVICIO>\n";
}

void DocumentBuilder::write(const fs::path& file) const { WriteBytes(file, xml()); }

void WriteLevelTable(const fs::path& file, const std::vector<LevelRow>& rows) {
  DbfTable::create(file, {FieldDef::integer("X_OFERTAMATRIG"), FieldDef::character("NIVEL_ABREV", 10),
                          FieldDef::character("ESTUDIO", 100)});
  auto table = DbfTable::open(file);
  for (const auto& row : rows) {
    table.append();
    table.setInteger("X_OFERTAMATRIG", row.key);
    table.set("NIVEL_ABREV", text::Utf8ToAnsi(row.level));
    table.set("ESTUDIO", text::Utf8ToAnsi(row.studies));
    table.post();
  }
  table.close();
}

std::vector<Values> ReadRows(const fs::path& file, const std::vector<std::string>& fields) {
  const auto table = DbfTable::open(file, formats::Access::Shared);
  std::vector<Values> rows;
  for (std::size_t row = 0; row < table.size(); ++row) {
    Values values;
    for (const auto& field : fields) {
      const auto def = std::find_if(table.fields().begin(), table.fields().end(),
                                    [&](const FieldDef& f) { return f.name == field; });
      if (def == table.fields().end()) throw std::runtime_error("no field " + field + " in " + file.string());
      if (def->type == 'C') {
        values.push_back(text::AnsiToUtf8(table.text(row, field)));
      } else if (table.isBlank(row, field)) {
        values.emplace_back();
      } else if (def->type == 'L') {
        values.emplace_back(table.logical(row, field) ? "T" : "F");
      } else if (def->type == 'I') {
        values.push_back(std::to_string(table.integer(row, field)));
      } else {
        char number[64];
        std::snprintf(number, sizeof number, "%g", table.number(row, field));
        values.emplace_back(number);
      }
    }
    rows.push_back(std::move(values));
  }
  return rows;
}

std::string FixedDayPlan::chooseDayPlan(const fs::path& document) {
  ++questions;
  askedAbout = document;
  return answer_;
}

InboundBench::InboundBench() {
  fs::create_directories(tables());
  WriteLevelTable(levelTable(), SmallSchoolLevels());
}

inbound::InboundResult InboundBench::run(const DocumentBuilder& document, const std::string& plan) {
  document.write(this->document());
  FixedDayPlan dayPlan(plan);
  return inbound::RunInbound(request(), dayPlan);
}

DocumentBuilder WithOneDayPlan() {
  DocumentBuilder document;
  document.block("JORNADAS_ESCOLARES", {{"J1", "Jornada", "01/09/2024", "30/06/2025"}});
  return document;
}

DocumentBuilder SmallSchool() {
  DocumentBuilder document;
  document.block("MATERIAS", {{"100", "1", "Lengua"}, {"100", "2", "Matemáticas"}, {"200", "1", "Lengua"}})
      .block("ACTIVIDADES", {{"0", "A1", "Guardia"}})
      .block("EMPLEADOS", {{"E1", "01/09/2020", "x", "García", "López", "Ana"}})
      .block("DEPENDENCIAS", {{"1001", "Aula 1"}, {"", "Laboratorio"}})
      .block("CURSOS_DEL_CENTRO", {{"100", "1º ESO"}, {"200", "2º ESO"}})
      .block("UNIDADES", {{"U1", "1º ESO A", "100"}, {"U2", "1º ESO B", "100"}, {"U3", "2º ESO A", "200"}})
      .block("JORNADAS_ESCOLARES", {{"J1", "Jornada de mañana", "15/09/2024", "22/06/2025"}})
      .block("TRAMOS_HORARIOS", {{"T1", "1ª", "480", "540", "J1"}, {"T2", "2ª", "540", "600", "J1"}});
  return document;
}

std::vector<LevelRow> SmallSchoolLevels() {
  return {{100, "ESO", "Educación Secundaria Obligatoria"}, {200, "ESO", "Educación Secundaria Obligatoria"}};
}

}  // namespace enlazora::testing
