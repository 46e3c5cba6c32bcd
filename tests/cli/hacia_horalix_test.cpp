// enlazora-cli hacia-horalix: the sample school's tables as TDbf reads them,
// the day plan from --plantilla, the defaults, and the stops.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/IndependentReaders.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {
namespace fs = std::filesystem;

const std::vector<std::string> kEnvironment = {"ENLAZORA_RELOJ=2025-09-01 08:00:00", "LC_ALL=C.UTF-8"};

fs::path SampleDocument() { return fs::path(ENLAZORA_SOURCE_DIR) / "ejemplos" / "instituto.xml"; }
fs::path SampleLevels() { return fs::path(ENLAZORA_BUILD_DIR) / "ejemplos" / "NIVELLARI.DBF"; }

// The field lines of the ten tables as the host's table layer must see them:
// name, type, width, decimals, in column order.
const std::map<std::string, std::string> kStructures = {
    {"ASIGNOMT.DBF",
     "field COD C 10 0\nfield CODLARGO C 10 0\nfield NOMBRE C 80 0\nfield CODTAREA C 10 0\nfield ESTAREA L 1 0\n"},
    {"ASIGNOMT2.DBF",
     "field COD C 10 0\nfield CODLARGO C 10 0\nfield NOMBRE C 80 0\nfield MATERIA C 20 0\n"
     "field OFERTAMATRI C 20 0\nfield CODTAREA C 12 0\nfield ESTAREA L 1 0\n"},
    {"PROFT.DBF",
     "field ABREV C 10 0\nfield NOMBRE C 80 0\nfield DEPART C 40 0\nfield DNI I 4 0\nfield X_EMPLEADO C 10 0\n"
     "field F_TOMAPOS C 10 0\n"},
    {"AULAT.DBF",
     "field ABREV C 10 0\nfield NOMBRE C 80 0\nfield EDIFICIO C 1 0\nfield MAXALUM I 4 0\nfield DEPCENTRO C 10 0\n"},
    {"CURSOST.DBF",
     "field ABREV C 3 0\nfield TURNO C 1 0\nfield NIVEL C 5 0\nfield CURSO C 3 0\nfield CLAVE C 10 0\n"
     "field ESTUD C 80 0\n"},
    {"GRUPOST.DBF",
     "field ABREV C 10 0\nfield TURNO C 1 0\nfield NIVEL C 5 0\nfield CURSO C 3 0\nfield GRUPO C 2 0\n"
     "field CLAVE C 10 0\nfield CLAVECURSO C 10 0\nfield DESCRIP C 80 0\n"},
    {"ASIGT.DBF",
     "field CASIG C 10 0\nfield CPROF C 10 0\nfield CGRUP C 10 0\nfield CAULA C 10 0\nfield TURNO C 1 0\n"
     "field NIVEL C 5 0\nfield CURSO C 3 0\nfield GRUPO C 2 0\nfield HORAS O 8 0\nfield SESIONES C 20 0\n"
     "field CLAVE C 10 0\nfield CLAVECURSO C 10 0\nfield CTAREA C 10 0\n"},
    {"DIASHORAST.DBF",
     "field DIHO C 10 0\nfield CODDIHO C 10 0\nfield DIA C 20 0\nfield TEXTODIA C 20 0\nfield HORA C 8 0\n"
     "field TEXTOHOR C 15 0\nfield HORADESDE C 8 0\nfield HORAHASTA C 8 0\nfield MINUTOS C 8 0\n"},
    {"DIASHORAST2.DBF",
     "field DIHO C 10 0\nfield CODDIHO C 10 0\nfield DIA C 20 0\nfield TEXTODIA C 20 0\nfield HORA C 8 0\n"
     "field TEXTOHOR C 15 0\nfield HORADESDE C 8 0\nfield HORAHASTA C 8 0\nfield MINUTOS C 8 0\n"
     "field ORDEN I 4 0\n"},
    {"PERIODOS.DBF", "field CJORNADA C 10 0\nfield JORNADA C 40 0\nfield FECINI C 10 0\nfield FECFIN C 10 0\n"},
};

struct Dump {
  std::string header;                                    // "level N" and the field lines
  std::vector<std::map<std::string, std::string>> rows;  // Windows-1252 values
};

Dump ReadWithTDbf(const fs::path& table) {
  Dump dump;
  std::istringstream lines(DumpWithTDbf(table));
  std::string line;
  while (std::getline(lines, line)) {
    if (line == "record") {
      dump.rows.emplace_back();
    } else if (dump.rows.empty()) {
      dump.header += line + "\n";
    } else {
      const auto equals = line.find('=');
      dump.rows.back()[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return dump;
}

std::size_t CountWhere(const Dump& dump, const std::string& field, const std::string& value) {
  std::size_t count = 0;
  for (const auto& row : dump.rows) count += row.at(field) == value;
  return count;
}

// A copy of the sample school and an empty table folder.
struct SampleRun {
  TempFolder folder;
  fs::path document = folder / "instituto.xml";
  fs::path tables = folder / "HTEMP";
  SampleRun() {
    fs::create_directories(tables);
    fs::copy_file(SampleDocument(), document);
  }
  ProcessResult run(std::vector<std::string> options, const std::vector<std::string>& environment = kEnvironment) {
    std::vector<std::string> arguments = {"hacia-horalix", document.string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunProgram(ENLAZORA_CLI, arguments, environment);
  }
};

TEST(HaciaHoralix, SampleSchoolTablesAsTDbfReadsThem) {
  ASSERT_TRUE(fs::exists(SampleLevels())) << "build the target niveles_ejemplo first";
  SampleRun sample;
  const auto result =
      sample.run({"--tablas", sample.tables.string(), "--niveles", SampleLevels().string(), "--plantilla", "JORN1"});
  ASSERT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_TRUE(result.out.starts_with("Proceso finalizado\n")) << result.out;

  std::map<std::string, Dump> dumps;
  for (const auto& [table, fields] : kStructures) {
    dumps[table] = ReadWithTDbf(sample.tables / table);
    EXPECT_EQ(dumps[table].header, "level 7\n" + fields) << table;
    const auto rows = dumps[table].rows.size();
    EXPECT_NE(result.out.find(table + ": " + std::to_string(rows) + (rows == 1 ? " registro\n" : " registros\n")),
              std::string::npos)
        << table << "\n" << result.out;
  }
  EXPECT_EQ(ReadBytes(sample.document), ReadBytes(SampleDocument()));

  // 41 staff, 20 rooms, 6 course offers, 12 class units, 59 subject records.
  EXPECT_EQ(dumps["PROFT.DBF"].rows.size(), 41u);
  EXPECT_EQ(dumps["AULAT.DBF"].rows.size(), 20u);
  EXPECT_EQ(dumps["CURSOST.DBF"].rows.size(), 6u);
  EXPECT_EQ(dumps["GRUPOST.DBF"].rows.size(), 12u);
  EXPECT_EQ(dumps["ASIGNOMT2.DBF"].rows.size(), 59u);
  // "Educación Física" has the long code "Educación " (ending in a blank): it
  // is found again for each of the five offers that teach it.
  EXPECT_EQ(CountWhere(dumps["ASIGNOMT2.DBF"], "COD", "EF"), 5u);
  EXPECT_EQ(CountWhere(dumps["ASIGNOMT.DBF"], "COD", "EF"), 1u);

  const auto& firstUnit = dumps["GRUPOST.DBF"].rows.at(0);
  EXPECT_EQ(firstUnit.at("ABREV"), "1\xBA" "ESOA");
  EXPECT_EQ(firstUnit.at("DESCRIP"), "(1\xBA ESO A) Educaci\xF3n Secundaria Obligatoria");
  const auto& firstLoad = dumps["ASIGT.DBF"].rows.at(0);
  EXPECT_EQ(firstLoad.at("HORAS"), "4");
  EXPECT_EQ(firstLoad.at("SESIONES"), "1111");
  EXPECT_EQ(firstLoad.at("CTAREA"), "1");

  // JORN1: seven slots on seven days.
  EXPECT_EQ(dumps["DIASHORAST.DBF"].rows.size(), 49u);
  EXPECT_EQ(dumps["DIASHORAST.DBF"].rows.at(0).at("DIHO"), "11");
  EXPECT_EQ(dumps["DIASHORAST.DBF"].rows.at(0).at("HORADESDE"), "08:00");
  ASSERT_EQ(dumps["PERIODOS.DBF"].rows.size(), 1u);
  EXPECT_EQ(dumps["PERIODOS.DBF"].rows[0].at("CJORNADA"), "JORN1");
  EXPECT_EQ(dumps["PERIODOS.DBF"].rows[0].at("FECINI"), "16/09/2024");
}

TEST(HaciaHoralix, DayPlanFromTheOptionTrimmedOrTheFirstOne) {
  struct Case {
    std::vector<std::string> plan;
    std::string chosen;
    std::size_t gridRows;
  };
  for (const Case& c : {Case{{}, "JORN1", 49}, Case{{"--plantilla", " JORN2\t"}, "JORN2", 42},
                        Case{{"--plantilla", "jorn2"}, "jorn2", 0}}) {
    SampleRun sample;
    std::vector<std::string> options = {"--tablas", sample.tables.string(), "--niveles", SampleLevels().string()};
    options.insert(options.end(), c.plan.begin(), c.plan.end());
    const auto result = sample.run(options);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.out.find("Plantilla horaria: " + c.chosen + "\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("DIASHORAST.DBF: " + std::to_string(c.gridRows) + " registros"), std::string::npos)
        << result.out;
  }
}

TEST(HaciaHoralix, DefaultFoldersAreTheHostsAndTheProgramsOwn) {
  // A copy of the program, so that its own folder can hold a level table or not.
  TempFolder program;
  const fs::path cli = program / "enlazora-cli";
  fs::copy_file(ENLAZORA_CLI, cli);
  SampleRun sample;
  const std::vector<std::string> environment = {"ENLAZORA_RELOJ=2025-09-01 08:00:00", "LC_ALL=C.UTF-8",
                                                "ENLAZORA_TABLAS=" + sample.tables.string()};

  auto result = RunProgram(cli.string(), {"hacia-horalix", sample.document.string()}, environment);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err, "ATENCIÓN - NIVELLARI.DBF No encontrado - Reinstale ENLAZORA\n");
  EXPECT_TRUE(SnapshotFolder(sample.tables).empty());

  fs::copy_file(SampleLevels(), program / "NIVELLARI.DBF");
  result = RunProgram(cli.string(), {"hacia-horalix", sample.document.string()}, environment);
  ASSERT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_TRUE(fs::exists(sample.tables / "GRUPOST.DBF"));
}

TEST(HaciaHoralix, StopsExitWithOneAndLeaveTheFolderAsItWas) {
  SampleRun sample;
  const std::vector<std::string> options = {"--tablas", sample.tables.string(), "--niveles", SampleLevels().string()};
  ASSERT_EQ(sample.run(options).exitStatus, 0);
  WriteBytes(sample.tables / "JORNADAS.DBF", "jornadas de otro tiempo");
  auto before = SnapshotFolder(sample.tables);

  auto result = RunProgram(ENLAZORA_CLI, {"hacia-horalix", (sample.folder / "falta.xml").string(), "--tablas",
                                          sample.tables.string(), "--niveles", SampleLevels().string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err, "No existe archivo\n");
  EXPECT_TRUE(result.out.empty());
  EXPECT_EQ(ChangedFiles(before, SnapshotFolder(sample.tables)), "");

  {
    HeldByTDbf host(sample.tables / "GRUPOST.DBF");  // another program has the table open
    ASSERT_TRUE(host.held()) << host.refusal();
    before = SnapshotFolder(sample.tables);  // TDbf stamps the header when it opens the table
    result = sample.run(options);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find("GRUPOST.DBF"), std::string::npos) << result.err;
    EXPECT_EQ(ChangedFiles(before, SnapshotFolder(sample.tables)), "");
  }

  result = sample.run({"--tablas", (sample.folder / "NOHTEMP").string(), "--niveles", SampleLevels().string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("NOHTEMP"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(sample.folder / "NOHTEMP"));
}

}  // namespace
}  // namespace enlazora::testing
