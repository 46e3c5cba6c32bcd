// SOLUC.DBF is the host's file: whatever dBase flavour it comes in, and
// whether DIA and HORA are stored as numbers or as characters, the lessons
// read the same.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/dbf/DbfTable.h"
#include "outbound/OutboundRun.h"
#include "support/OutboundFixture.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {

namespace fs = std::filesystem;

// The scene's lessons written by python3-dbf as a dBase III table with
// numeric DIA and HORA, as a host of that kind writes them.
void WriteSolutionWithPythonDbf(const fs::path& file, const std::vector<TableRow>& rows) {
  std::string tuples;
  for (const auto& row : rows) {
    tuples += "(";
    for (const auto& [field, value] : row) {
      if (field == "DIA" || field == "HORA")
        tuples += (value.empty() ? std::string("None") : value) + ", ";
      else
        tuples += "'" + value + "', ";
    }
    tuples += "),\n";
  }
  const std::string script =
      "import sys, dbf\n"
      "t = dbf.Table(sys.argv[1], 'PROF C(10); DIA N(2,0); HORA N(2,0); ASIG C(10); CODGRUPO C(10); "
      "TAREA C(10); AULA C(10)', dbf_type='db3', codepage='cp1252')\n"
      "t.open(dbf.READ_WRITE)\n"
      "for r in [\n" + tuples + "]:\n"
      "    t.append(r)\n"
      "t.close()\n";
  const auto python = RunProgram("/usr/bin/python3", {"-c", script, file.string()});
  ASSERT_EQ(python.exitStatus, 0) << python.err;
  ASSERT_EQ(static_cast<unsigned char>(ReadBytes(file).at(0)), 0x03);  // dBase III without memo
}

// python3-dbf stores character values without their leading blanks: the room
// " B2" comes back as "B2".
std::vector<std::string> ExpectedFromPythonDbf() {
  auto lines = ExpectedDocument();
  std::replace(lines.begin(), lines.end(), std::string("X_DEPENDENCIA= B2"), std::string("X_DEPENDENCIA=B2"));
  return lines;
}

TEST(SolutionFlavours, DBaseThreeWithNumericDayAndSlot) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  WriteSolutionWithPythonDbf(scene.tables / "SOLUC.DBF", SchoolTables::SolutionRows());
  outbound::RunOutbound({scene.document, scene.tables, std::nullopt});
  EXPECT_EQ(FlattenDocument(scene.result), ExpectedFromPythonDbf());
}

TEST(SolutionFlavours, BlankNumericDayIsAnUnplacedLesson) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  auto rows = SchoolTables::SolutionRows();
  rows.push_back(SchoolTables::Lesson("SIN", "", "1", "MAT", "1ESOA", "", ""));
  WriteSolutionWithPythonDbf(scene.tables / "SOLUC.DBF", rows);
  outbound::RunOutbound({scene.document, scene.tables, std::nullopt});
  EXPECT_EQ(FlattenDocument(scene.result), ExpectedFromPythonDbf());
}

// DIA stored as characters: its text without blanks at either end makes the
// time-slot key, so " 1" finds slot 11 and "01" finds none; HORA as
// characters reads as its number.
TEST(SolutionFlavours, CharacterDayAndSlot) {
  OutboundScene scene;
  auto& solution = scene.school.tables["SOLUC"];
  solution.fields = Characters({{"PROF", 10}, {"DIA", 2}, {"HORA", 3}, {"ASIG", 10}, {"CODGRUPO", 10}, {"TAREA", 10},
                                {"AULA", 10}});
  solution.rows = {SchoolTables::Lesson("GLA", " 1", "1", "MAT", "1ESOA", "", "A1"),
                   SchoolTables::Lesson("GLA", "01", " 02", "MAT", "1ESOA", "", "A1"),
                   SchoolTables::Lesson("GLA", " 0", "x", "MAT", "1ESOA", "", "A1")};
  scene.school.tables["PROFT"].rows.resize(1);
  scene.run();
  EXPECT_EQ(FlattenDocument(scene.result),
            Concatenated({{"SERVICIO", "BLOQUE_DATOS", "grupo_datos ANNO_ACADEMICO <none>", "C_ANNO=2025",
                           "grupo_datos HORARIOS_REGULARES 1"},
                          Teacher(1, 2, "E100", "01/09/2025"),
                          Activity(1, {"1", "T1", "A1", "U1", "C11", "M1", "01/09/2025", "30/06/2026", "510", "565", "1"}),
                          Activity(2, {"", "", "A1", "U1", "C11", "M1", "01/09/2025", "30/06/2026", "0", "0", "1"})}));
}

TEST(SolutionFlavours, DayThatIsNoNumberStopsTheRun) {
  OutboundScene scene;
  auto& solution = scene.school.tables["SOLUC"];
  solution.fields = Characters({{"PROF", 10}, {"DIA", 2}, {"HORA", 2}, {"ASIG", 10}, {"CODGRUPO", 10}, {"TAREA", 10},
                                {"AULA", 10}});
  solution.rows = {SchoolTables::Lesson("MPR", "L", "1", "MAT", "1ESOA", "", "")};
  try {
    scene.run();
    ADD_FAILURE() << "the run did not stop";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("'L' no es un valor entero válido"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(fs::exists(scene.result));
}

}  // namespace
}  // namespace enlazora::testing
