#pragma once
// A small school's host tables for the outbound tests, written with our own
// table layer, and the written document read back with libxml2. Header only,
// so that the command-line tests can share it.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "formats/Clock.h"
#include "formats/dbf/DbfTable.h"
#include "formats/dbf/FieldDef.h"
#include "outbound/OutboundRun.h"
#include "support/TestSupport.h"

namespace enlazora::testing {

using formats::FieldDef;

// One record: field name -> value as text (numbers in decimal; an empty
// value leaves the field blank).
using TableRow = std::vector<std::pair<std::string, std::string>>;

struct TableContent {
  std::vector<FieldDef> fields;
  std::vector<TableRow> rows;
};

inline void WriteTable(const std::filesystem::path& file, const TableContent& content) {
  formats::DbfTable::create(file, content.fields);
  auto table = formats::DbfTable::open(file);
  for (const auto& row : content.rows) {
    table.append();
    for (const auto& [name, value] : row) {
      char type = 'C';
      for (const auto& field : content.fields)
        if (field.name == name) type = field.type;
      if (type == 'C')
        table.set(name, value);
      else if (!value.empty())
        table.setInteger(name, std::stoll(value));
    }
    table.post();
  }
  table.close();
}

inline std::vector<FieldDef> Characters(std::initializer_list<std::pair<const char*, int>> fields) {
  std::vector<FieldDef> definitions;
  for (const auto& [name, width] : fields) definitions.push_back(FieldDef::character(name, width));
  return definitions;
}

// The host's table folder of a small school: every table of the outbound run,
// with the field lists the inbound conversion writes, and the host's SOLUC.
// Tests change rows before writing.
struct SchoolTables {
  std::map<std::string, TableContent> tables;

  SchoolTables() {
    tables["GRUPOST"] = {Characters({{"ABREV", 10}, {"TURNO", 1}, {"NIVEL", 5}, {"CURSO", 3}, {"GRUPO", 2},
                                     {"CLAVE", 10}, {"CLAVECURSO", 10}, {"DESCRIP", 80}}),
                         {{{"ABREV", "1ESOA"}, {"CLAVE", "U1"}, {"CLAVECURSO", "C10"}},
                          {{"ABREV", "2ESOB"}, {"CLAVE", "U2"}, {"CLAVECURSO", "C20"}},
                          {{"ABREV", "1ESOA"}, {"CLAVE", "U9"}, {"CLAVECURSO", "C90"}}}};
    tables["CURSOST"] = {Characters({{"ABREV", 3}, {"TURNO", 1}, {"NIVEL", 5}, {"CURSO", 3}, {"CLAVE", 10},
                                     {"ESTUD", 80}}),
                         {{{"CLAVE", "C10"}}, {{"CLAVE", "C20"}}}};
    auto teacherFields = Characters({{"ABREV", 10}, {"NOMBRE", 80}, {"DEPART", 40}});
    teacherFields.push_back(FieldDef::integer("DNI"));
    for (auto& field : Characters({{"X_EMPLEADO", 10}, {"F_TOMAPOS", 10}})) teacherFields.push_back(field);
    tables["PROFT"] = {teacherFields,
                       {{{"ABREV", "GLA"}, {"X_EMPLEADO", "E100"}, {"F_TOMAPOS", "01/09/2025"}},
                        {{"ABREV", "MPR"}, {"X_EMPLEADO", "E200"}, {"F_TOMAPOS", "15/09/2025"}},
                        {{"ABREV", "SIN"}, {"X_EMPLEADO", "E300"}, {"F_TOMAPOS", ""}},
                        {{"ABREV", "GLA"}, {"X_EMPLEADO", "E400"}, {"F_TOMAPOS", "01/10/2025"}},
                        {{"ABREV", "CER"}, {"X_EMPLEADO", "E500"}, {"F_TOMAPOS", "01/09/2025"}}}};
    auto roomFields = Characters({{"ABREV", 10}, {"NOMBRE", 80}, {"EDIFICIO", 1}});
    roomFields.push_back(FieldDef::integer("MAXALUM"));
    roomFields.push_back(FieldDef::character("DEPCENTRO", 10));
    tables["AULAT"] = {roomFields, {{{"ABREV", "A1"}, {"DEPCENTRO", "A1"}}}};
    auto subjectFields = Characters({{"COD", 10}, {"CODLARGO", 10}, {"NOMBRE", 80}, {"CODTAREA", 10}});
    subjectFields.push_back(FieldDef::logical("ESTAREA"));
    tables["ASIGNOMT"] = {subjectFields,
                          {{{"COD", "MAT"}, {"CODTAREA", ""}},
                           {{"COD", "LEN"}, {"CODTAREA", "T55"}},
                           {{"COD", "GUA"}, {"CODTAREA", "T77"}},
                           {{"COD", "ING"}},
                           {{"COD", "LEN"}, {"CODTAREA", "T99"}}}};
    auto offeringFields = Characters({{"COD", 10}, {"CODLARGO", 10}, {"NOMBRE", 80}, {"MATERIA", 20},
                                      {"OFERTAMATRI", 20}, {"CODTAREA", 12}});
    offeringFields.push_back(FieldDef::logical("ESTAREA"));
    tables["ASIGNOMT2"] = {offeringFields,
                           {{{"COD", "MAT"}, {"MATERIA", "MX"}, {"OFERTAMATRI", "C11"}},
                            {{"COD", "LEN"}, {"MATERIA", "L2"}, {"OFERTAMATRI", "C20"}},
                            {{"COD", "LEN"}, {"MATERIA", "L3"}, {"OFERTAMATRI", "C20"}},
                            {{"COD", "MAT"}, {"MATERIA", "M20"}, {"OFERTAMATRI", "C20"}}}};
    tables["DIASHORAST"] = {Characters({{"DIHO", 10}, {"CODDIHO", 10}, {"DIA", 20}, {"TEXTODIA", 20}, {"HORA", 8},
                                        {"TEXTOHOR", 15}, {"HORADESDE", 8}, {"HORAHASTA", 8}, {"MINUTOS", 8}}),
                            {{{"DIHO", "11"}, {"CODDIHO", "T1"}, {"DIA", "1"}, {"HORADESDE", "08:30"},
                              {"HORAHASTA", "09:25"}},
                             {{"DIHO", "12"}, {"CODDIHO", "T2"}, {"DIA", "1"}, {"HORADESDE", "9:05"},
                              {"HORAHASTA", "10:00"}},
                             {{"DIHO", "13"}, {"CODDIHO", "T3"}, {"DIA", "1"}},
                             {{"DIHO", "21"}, {"CODDIHO", "T1"}, {"DIA", "2"}, {"HORADESDE", "08:30"},
                              {"HORAHASTA", "09:25"}},
                             {{"DIHO", "11"}, {"CODDIHO", "T9"}, {"DIA", "9"}, {"HORADESDE", "23:00"},
                              {"HORAHASTA", "23:59"}}}};
    auto loadFields = Characters({{"CASIG", 10}, {"CPROF", 10}, {"CGRUP", 10}, {"CAULA", 10}, {"TURNO", 1},
                                  {"NIVEL", 5}, {"CURSO", 3}, {"GRUPO", 2}});
    loadFields.push_back(FieldDef::floating("HORAS"));
    for (auto& field : Characters({{"SESIONES", 20}, {"CLAVE", 10}, {"CLAVECURSO", 10}, {"CTAREA", 10}}))
      loadFields.push_back(field);
    tables["ASIGT"] = {loadFields,
                       {{{"CASIG", "MAT"}, {"CGRUP", "1ESOA"}, {"CLAVE", "M1"}, {"CLAVECURSO", "C11"}},
                        {{"CASIG", "LEN"}, {"CGRUP", "2ESOB"}, {"CLAVE", ""}, {"CLAVECURSO", ""}},
                        {{"CASIG", "ING"}, {"CGRUP", "1ESOA"}, {"CLAVE", "I1"}, {"CLAVECURSO", ""}},
                        {{"CASIG", "MAT"}, {"CGRUP", "1ESOA"}, {"CLAVE", "M9"}, {"CLAVECURSO", "C99"}}}};
    tables["PERIODOS"] = {Characters({{"CJORNADA", 10}, {"JORNADA", 40}, {"FECINI", 10}, {"FECFIN", 10}}),
                          {{{"CJORNADA", "JORN1"}, {"FECINI", "01/09/2025"}, {"FECFIN", "30/06/2026"}},
                           {{"CJORNADA", "JORN2"}, {"FECINI", "01/01/2000"}, {"FECFIN", "02/01/2000"}}}};
    auto solutionFields = Characters({{"PROF", 10}});
    solutionFields.push_back(FieldDef::integer("DIA"));
    solutionFields.push_back(FieldDef::integer("HORA"));
    for (auto& field : Characters({{"ASIG", 10}, {"CODGRUPO", 10}, {"TAREA", 10}, {"AULA", 10}}))
      solutionFields.push_back(field);
    tables["SOLUC"] = {solutionFields, SolutionRows()};
  }

  // The host's placed lessons, in table order.
  static std::vector<TableRow> SolutionRows() {
    return {
        Lesson("GLA", "1", "1", "MAT", "1ESOA", "", "A1"),
        Lesson("MPR", "1", "2", "LEN", "2ESOB", "", "   "),
        Lesson("GLA", "0", "3", "MAT", "1ESOA", "", "A1"),
        Lesson("GLA", "2", "1", "ING", "1ESOA", "TX1", ""),
        Lesson("MPR", "3", "9", "XXX", "9ZZZ", "", " B2"),
        Lesson("CER", "0", "1", "MAT", "1ESOA", "", ""),
        Lesson("GLA", "1", "3", "GUA", "", "", ""),
        Lesson("MPR", "2", "1", "MAT", "2ESOB", "", "A1"),
    };
  }

  static TableRow Lesson(const std::string& teacher, const std::string& day, const std::string& slot,
                         const std::string& subject, const std::string& classUnit, const std::string& task,
                         const std::string& room) {
    return {{"PROF", teacher}, {"DIA", day},       {"HORA", slot}, {"ASIG", subject},
            {"CODGRUPO", classUnit}, {"TAREA", task}, {"AULA", room}};
  }

  void write(const std::filesystem::path& folder) const {
    std::filesystem::create_directories(folder);
    for (const auto& [name, content] : tables) WriteTable(folder / (name + ".DBF"), content);
  }
};

// A small exchange document as the platform exports it.
inline std::string ExchangeDocumentText(const std::string& declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                                        const std::string& firstBlock =
                                            "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">"
                                            "2025</dato></grupo_datos>") {
  return declaration + "\n<SERVICIO modulo=\"EXPORTACION\"><BLOQUE_DATOS>" + firstBlock +
         "<grupo_datos seq=\"EMPLEADOS\"><grupo_datos><dato nombre_dato=\"X_EMPLEADO\">E100</dato></grupo_datos>"
         "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n";
}

// The written document read back by libxml2, flattened to one line per
// element in document order: "grupo_datos seq registros" for records and
// blocks, "NAME=text" for values.
struct XmlDocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocDeleter>;

inline XmlDocPtr ParseWithLibxml2(const std::filesystem::path& file) {
  XmlDocPtr doc(xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS));
  if (!doc) throw std::runtime_error("libxml2 cannot read " + file.string());
  return doc;
}

inline std::string Attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  if (!value) return "<none>";
  std::string text(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

inline std::string Content(const xmlNode* node) {
  xmlChar* value = xmlNodeGetContent(node);
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

inline void Flatten(const xmlNode* node, std::vector<std::string>& lines) {
  for (const xmlNode* child = node->children; child; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    const std::string name = reinterpret_cast<const char*>(child->name);
    if (name == "dato") {
      lines.push_back(Attribute(child, "nombre_dato") + "=" + Content(child));
    } else if (name == "grupo_datos") {
      lines.push_back(name + " " + Attribute(child, "seq") + " " + Attribute(child, "registros"));
      Flatten(child, lines);
    } else {
      lines.push_back(name);
      Flatten(child, lines);
    }
  }
}

inline std::vector<std::string> FlattenDocument(const std::filesystem::path& file) {
  const auto doc = ParseWithLibxml2(file);
  std::vector<std::string> lines;
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  lines.push_back(std::string(reinterpret_cast<const char*>(root->name)));
  Flatten(root, lines);
  return lines;
}

// The document that the scene's tables give, flattened as FlattenDocument does.
inline std::tm FixedMoment() { return *formats::ParseMoment("2025-12-24 13:45:07"); }

// A scratch folder with the school's tables in HTEMP and the chosen document
// centro.xml beside it.
struct OutboundScene {
  TempFolder folder;
  std::filesystem::path tables = folder / "HTEMP";
  std::filesystem::path document = folder / "centro.xml";
  std::filesystem::path result = folder / "ResultadoHoralixcentro.xml";
  SchoolTables school;

  OutboundScene() {
    formats::SetFixedClock(FixedMoment());
    WriteBytes(document, ExchangeDocumentText());
  }
  outbound::OutboundResult run() {
    school.write(tables);
    return outbound::RunOutbound({document, tables, std::nullopt});
  }
};

inline std::vector<std::string> Activity(int number, std::vector<std::string> values) {
  static const char* const names[] = {"N_DIASEMANA", "X_TRAMO",  "X_DEPENDENCIA", "X_UNIDAD",
                                      "X_OFERTAMATRIG", "X_MATERIAOMG", "F_INICIO", "F_FIN",
                                      "N_HORINI", "N_HORFIN", "X_ACTIVIDAD"};
  std::vector<std::string> lines{"grupo_datos ACTIVIDAD_" + std::to_string(number) + " <none>"};
  for (std::size_t i = 0; i < values.size(); ++i) lines.push_back(std::string(names[i]) + "=" + values[i]);
  return lines;
}

inline std::vector<std::string> Teacher(int number, int activities, const std::string& employee, const std::string& since) {
  return {"grupo_datos HORARIO_REGULAR_PROFESOR_" + std::to_string(number) + " " + std::to_string(activities),
          "X_EMPLEADO=" + employee, "F_TOMAPOS=" + since};
}

inline std::vector<std::string> Concatenated(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The lessons of GLA, written for each of the two teachers with that code.
inline std::vector<std::string> GlaActivities() {
  return Concatenated({
      Activity(1, {"1", "T1", "A1", "U1", "C11", "M1", "01/09/2025", "30/06/2026", "510", "565", "1"}),
      Activity(2, {"2", "T1", "", "U1", "C10", "I1", "01/09/2025", "30/06/2026", "510", "565", "TX1"}),
      Activity(3, {"1", "T3", "", "", "", "", "01/09/2025", "30/06/2026", "0", "0", "T77"}),
  });
}

inline std::vector<std::string> ExpectedDocument() {
  return Concatenated({
      {"SERVICIO", "BLOQUE_DATOS", "grupo_datos ANNO_ACADEMICO <none>", "C_ANNO=2025",
       "grupo_datos HORARIOS_REGULARES 5"},
      Teacher(1, 3, "E100", "01/09/2025"),
      GlaActivities(),
      Teacher(2, 3, "E200", "15/09/2025"),
      Activity(1, {"1", "T2", "", "U2", "C20", "L2", "01/09/2025", "30/06/2026", "545", "600", "T55"}),
      Activity(2, {"", "", " B2", "", "", "", "01/09/2025", "30/06/2026", "0", "0", "1"}),
      Activity(3, {"2", "T1", "A1", "U2", "C20", "M20", "01/09/2025", "30/06/2026", "510", "565", "1"}),
      Teacher(3, 0, "E300", ""),
      Teacher(4, 3, "E400", "01/10/2025"),
      GlaActivities(),
      Teacher(5, 0, "E500", "01/09/2025"),
  });
}

}  // namespace enlazora::testing
