// Values that look like paths stay values. Keys, names and codes holding
// "..", "/", "\" or NUL travel from the document into the tables and from the
// tables into the result document as text, and never make enlazora-cli write
// anywhere but the table folder's own tables and the result file beside the
// chosen document.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cli/support/CliScene.h"
#include "formats/dbf/DbfTable.h"
#include "outbound/support/OutboundFixture.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {
namespace fs = std::filesystem;

// Relative values climb out of whatever folder they might be joined to; the
// absolute ones point into the scene, where a stray file would be seen.
const std::string kRoomKey = "../../x";
const std::string kTeacherKey = "E/1";
const std::string kPlanCode = "..\\J1";
const std::string kSlotLabel = "../../../../v";

std::string Record(const std::vector<std::string>& values) {
  std::string record = "<grupo_datos>";
  for (const auto& value : values) record += "<dato>" + value + "</dato>";
  return record + "</grupo_datos>";
}

std::string Block(const std::string& seq, const std::vector<std::vector<std::string>>& records) {
  std::string block = "<grupo_datos seq=\"" + seq + "\">";
  for (const auto& record : records) block += Record(record);
  return block + "</grupo_datos>";
}

// A school whose every step meets a value made to look like a path.
std::string PathLikeSchool(const fs::path& inside) {
  const std::string absolute = (inside / "fuera.txt").string();
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO><BLOQUE_DATOS>" +
         Block("MATERIAS", {{"5401", "/etc/passwd", "../../Matem\xC3\xA1ticas"}, {"5401", "..\\M2", absolute}}) +
         Block("ACTIVIDADES", {{"0", "A/1", "..\\..\\Guardia"}}) +
         Block("EMPLEADOS", {{kTeacherKey, "../09/2025", "x", "/tmp", "..", "a\\b"}}) +
         Block("DEPENDENCIAS", {{kRoomKey, absolute}, {"/", "\\\\servidor\\aula"}}) +
         Block("CURSOS_DEL_CENTRO", {{"5401", "1/ ESO"}}) +
         Block("UNIDADES", {{"U/1", "1\xC2\xBA ESO ../../A", "5401"}}) +
         Block("JORNADAS_ESCOLARES", {{kPlanCode, "/ordinaria", "16/09/2024", "20/06/2025"}, {"J/2", "..", "", ""}}) +
         Block("TRAMOS_HORARIOS", {{"7101", kSlotLabel, "480", "540", kPlanCode}, {"7102", "/", "540", "600", kPlanCode}}) +
         "</BLOQUE_DATOS></SERVICIO>\n";
}

std::set<std::string> NamesIn(const std::map<std::string, std::string>& snapshot) {
  std::set<std::string> names;
  for (const auto& [name, bytes] : snapshot) names.insert(name);
  return names;
}

std::string FirstWhere(const fs::path& table, const std::string& field) {
  const auto opened = formats::DbfTable::open(table, formats::Access::Shared);
  return opened.size() == 0 ? "<none>" : opened.text(0, field);
}

// Nothing named after a relative value beside any folder it might be joined to.
void ExpectNothingAt(const CliScene& scene, const std::vector<std::string>& values) {
  for (const auto& value : values)
    for (const fs::path& folder : {scene.tables(), scene.place(), fs::current_path()})
      EXPECT_FALSE(fs::exists(folder / value)) << folder / value;
}

TEST(PathValues, DocumentValuesBecomeTableTextOnly) {
  CliScene scene;
  const fs::path document = scene.place() / "centro.xml";
  WriteBytes(document, PathLikeSchool(scene.root()));
  const auto before = SnapshotFolder(scene.root());

  auto arguments = scene.inbound(document);
  arguments.insert(arguments.end(), {"--plantilla", kPlanCode});
  const auto run = scene.run(arguments);
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  const auto after = SnapshotFolder(scene.root());
  EXPECT_EQ(NamesIn(after), NamesIn(before));  // no file added or removed anywhere
  for (const auto& [name, bytes] : after) {
    if (before.at(name) != bytes) {
      EXPECT_NE(name.find("/HTEMP/"), std::string::npos) << name;
    }
  }
  ExpectNothingAt(scene, {kRoomKey, kSlotLabel, "../../Matem\xC3\xA1ticas", "..\\M2"});

  EXPECT_EQ(FirstWhere(scene.table("AULAT.DBF"), "DEPCENTRO"), kRoomKey);
  EXPECT_EQ(FirstWhere(scene.table("PROFT.DBF"), "X_EMPLEADO"), kTeacherKey);
  EXPECT_EQ(FirstWhere(scene.table("PERIODOS.DBF"), "CJORNADA"), kPlanCode);
  EXPECT_EQ(FirstWhere(scene.table("DIASHORAST.DBF"), "TEXTOHOR"), kSlotLabel);
  EXPECT_EQ(FirstWhere(scene.table("ASIGNOMT2.DBF"), "MATERIA"), "/etc/passwd");
}

TEST(PathValues, NulInADocumentValueStopsTheRun) {
  CliScene scene;
  const fs::path document = scene.place() / "centro.xml";
  WriteBytes(document, "<SERVICIO><BLOQUE_DATOS>" + Block("DEPENDENCIAS", {{"A&#0;/../x", "Aula"}}) +
                           "</BLOQUE_DATOS></SERVICIO>");
  const std::string message = "El archivo \"" + document.string() +
                              "\" no es un documento XML válido (línea 1, columna 81): contiene un carácter que el XML "
                              "no admite.";
  ExpectStop(scene, scene.inbound(document), message);
  ExpectStop(scene, scene.outbound(document), message);
}

TEST(PathValues, TableValuesBecomeResultTextOnly) {
  CliScene scene;
  // The small school of the outbound tests, its teacher GLA renamed to a
  // path, with path-like keys, a room and a NUL.
  const std::string teacher = "../../x";
  const std::string employee = std::string("a/b\\c\0d", 7);
  const std::string room = "../../../y";
  SchoolTables school;
  for (auto& [name, content] : school.tables)
    for (auto& row : content.rows)
      for (auto& [field, value] : row)
        if ((field == "ABREV" || field == "PROF") && value == "GLA") value = teacher;
  school.tables["PROFT"].rows[0] = {{"ABREV", teacher}, {"X_EMPLEADO", employee}, {"F_TOMAPOS", "..\\..\\z"}};
  school.tables["SOLUC"].rows[0] = SchoolTables::Lesson(teacher, "1", "1", "MAT", "1ESOA", "/T", room);
  school.tables["AULAT"].rows[0] = {{"ABREV", room}, {"DEPCENTRO", "/q"}};
  for (const auto& entry : fs::directory_iterator(scene.tables())) fs::remove(entry.path());
  school.write(scene.tables());
  const auto before = SnapshotFolder(scene.root());

  const auto run = scene.run(scene.outbound());
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  auto after = SnapshotFolder(scene.root());
  const std::string result = fs::relative(scene.result(), scene.root()).generic_string();
  ASSERT_TRUE(after.contains(result));
  after.erase(result);
  EXPECT_EQ(ChangedFiles(before, after), "");  // the result file and nothing else
  ExpectNothingAt(scene, {teacher, room, "..\\..\\z"});

  const auto lines = FlattenDocument(scene.result());
  const std::vector<std::string> expected = {"X_EMPLEADO=a/b\\cd", "F_TOMAPOS=..\\..\\z", "X_DEPENDENCIA=" + room};
  for (const auto& line : expected) EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

}  // namespace
}  // namespace enlazora::testing
