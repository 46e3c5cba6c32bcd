#include "support/SchoolTables.h"

#include "support/FuzzSupport.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "formats/dbf/DbfTable.h"

namespace enlazora::fuzzing {
namespace {

using formats::FieldDef;
using Row = std::vector<std::pair<std::string, std::string>>;

void WriteTable(const std::filesystem::path& file, const std::vector<FieldDef>& fields, const std::vector<Row>& rows) {
  formats::DbfTable::create(file, fields);
  auto table = formats::DbfTable::open(file);
  for (const auto& row : rows) {
    table.append();
    for (const auto& [field, value] : row) {
      if (field == "DIA" || field == "HORA")
        table.setInteger(field, std::stoll(value));
      else
        table.set(field, value);
    }
    table.post();
  }
  table.close();
}

std::vector<FieldDef> Characters(std::initializer_list<const char*> names) {
  std::vector<FieldDef> fields;
  for (const char* name : names) fields.push_back(FieldDef::character(name, 20));
  return fields;
}

// Windows-1252: an ampersand, a less-than sign, a quote and the euro sign
// (0x80), which Latin-1 and ASCII cannot hold.
constexpr const char* kFirstEmployee = "E1&<\"\x80";

[[noreturn]] void Fail(const char* what, const std::filesystem::path& file) {
  std::fprintf(stderr, "written result %s: %s\n", what, file.c_str());
  std::abort();
}

// The first dato element with that nombre_dato, depth first in document order.
const xmlNode* FirstValueNamed(const xmlNode* node, const char* wanted) {
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    if (xmlStrEqual(node->name, BAD_CAST "dato")) {
      xmlChar* name = xmlGetProp(node, BAD_CAST "nombre_dato");
      const bool same = name != nullptr && xmlStrEqual(name, BAD_CAST wanted);
      xmlFree(name);
      if (same) return node;
    }
    if (const xmlNode* found = FirstValueNamed(node->children, wanted)) return found;
  }
  return nullptr;
}

}  // namespace

void WriteSchoolTables(const std::filesystem::path& folder) {
  WriteTable(folder / "GRUPOST.DBF", Characters({"ABREV", "CLAVE", "CLAVECURSO"}),
             {{{"ABREV", "1ESOA"}, {"CLAVE", "U1"}, {"CLAVECURSO", "10"}}});
  WriteTable(folder / "CURSOST.DBF", Characters({"CLAVE"}), {});
  // The second key holds an o-e ligature (0x9C), a control character that no
  // XML document can carry, and the end of a CDATA section.
  WriteTable(folder / "PROFT.DBF", Characters({"ABREV", "X_EMPLEADO", "F_TOMAPOS"}),
             {{{"ABREV", "GLA"}, {"X_EMPLEADO", kFirstEmployee}, {"F_TOMAPOS", "01/09/2026"}},
              {{"ABREV", "MPR"}, {"X_EMPLEADO", "\x9C\x01]]>"}, {"F_TOMAPOS", "01/09/2026"}}});
  WriteTable(folder / "AULAT.DBF", Characters({"ABREV"}), {});
  WriteTable(folder / "ASIGNOMT.DBF", Characters({"COD", "CODTAREA"}), {{{"COD", "Matem\xE1"}}});
  WriteTable(folder / "ASIGNOMT2.DBF", Characters({"COD", "MATERIA", "OFERTAMATRI"}),
             {{{"COD", "Matem\xE1"}, {"MATERIA", "1"}, {"OFERTAMATRI", "10"}}});
  WriteTable(folder / "DIASHORAST.DBF", Characters({"DIHO", "CODDIHO", "DIA", "HORADESDE", "HORAHASTA"}),
             {{{"DIHO", "11"}, {"CODDIHO", "T1"}, {"DIA", "1"}, {"HORADESDE", "08:30"}, {"HORAHASTA", "09:25"}}});
  WriteTable(folder / "ASIGT.DBF", Characters({"CASIG", "CGRUP", "CLAVE", "CLAVECURSO"}),
             {{{"CASIG", "Matem\xE1"}, {"CGRUP", "1ESOA"}, {"CLAVE", "1"}, {"CLAVECURSO", "10"}}});
  WriteTable(folder / "PERIODOS.DBF", Characters({"FECINI", "FECFIN"}),
             {{{"FECINI", "01/09/2026"}, {"FECFIN", "30/06/2027"}}});
  std::vector<FieldDef> solution = Characters({"PROF", "ASIG", "CODGRUPO", "TAREA", "AULA"});
  solution.push_back(FieldDef{"DIA", 'N', 2, 0});
  solution.push_back(FieldDef{"HORA", 'N', 2, 0});
  WriteTable(folder / "SOLUC.DBF", solution,
             {{{"PROF", "GLA"}, {"DIA", "1"}, {"HORA", "1"}, {"ASIG", "Matem\xE1"}, {"CODGRUPO", "1ESOA"},
               {"AULA", "A&1"}},
              {{"PROF", "MPR"}, {"DIA", "1"}, {"HORA", "1"}, {"ASIG", "Matem\xE1"}, {"CODGRUPO", "1ESOA"},
               {"TAREA", "\x80"}}});
}

const std::string& FirstEmployeeUtf8() {
  static const std::string utf8 = "E1&<\"\xE2\x82\xAC";
  return utf8;
}

void RequireReadableResult(const std::filesystem::path& file) {
  xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr) Fail("is not well-formed XML", file);
  const xmlNode* value = FirstValueNamed(xmlDocGetRootElement(doc), "X_EMPLEADO");
  xmlChar* content = value != nullptr ? xmlNodeGetContent(value) : nullptr;
  const std::string employee = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  const bool found = value != nullptr;
  xmlFree(content);
  xmlFreeDoc(doc);
  if (!found) Fail("has no X_EMPLEADO", file);
  if (employee != FirstEmployeeUtf8()) Fail("reads back another X_EMPLEADO", file);
}

const std::filesystem::path& SchoolTableFolder() {
  static const std::filesystem::path folder = [] {
    auto path = ScratchFolder() / "HTEMP";
    std::filesystem::create_directories(path);
    WriteSchoolTables(path);
    return path;
  }();
  return folder;
}

}  // namespace enlazora::fuzzing
