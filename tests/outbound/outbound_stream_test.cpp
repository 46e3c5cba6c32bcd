// The result is written while it is built: a run that stops late, with much
// of its result already on disk, still leaves nothing of it; and of the chosen
// document only what the result keeps is read, however large the rest.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "formats/files/FileLock.h"
#include "outbound/OutboundRun.h"
#include "support/OutboundFixture.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {

namespace fs = std::filesystem;
using outbound::RunOutbound;

// Every file below a folder with the size of its content: enough to show the
// folder unchanged without printing a megabyte when it is not.
std::map<std::string, std::size_t> FileSizes(const fs::path& folder) {
  std::map<std::string, std::size_t> sizes;
  for (const auto& [name, bytes] : SnapshotFolder(folder)) sizes[name] = bytes.size();
  return sizes;
}

TEST(OutboundStream, RunStoppedLateLeavesNothingOfItsResult) {
  OutboundScene scene;
  // Three thousand teachers with a lesson each, about a megabyte of result,
  // and last a teacher whose lesson lies in a slot whose start is no time.
  auto& teachers = scene.school.tables["PROFT"].rows;
  auto& lessons = scene.school.tables["SOLUC"].rows;
  for (int k = 0; k < 3000; ++k) {
    const std::string code = "P" + std::to_string(k);
    teachers.push_back({{"ABREV", code}, {"X_EMPLEADO", "E" + std::to_string(k)}, {"F_TOMAPOS", "01/09/2025"}});
    lessons.push_back(SchoolTables::Lesson(code, "1", "1", "MAT", "1ESOA", "", "A1"));
  }
  teachers.push_back({{"ABREV", "ULT"}, {"X_EMPLEADO", "E9999"}, {"F_TOMAPOS", "01/09/2025"}});
  lessons.push_back(SchoolTables::Lesson("ULT", "1", "4", "MAT", "1ESOA", "", "A1"));
  scene.school.tables["DIASHORAST"].rows.push_back(
      {{"DIHO", "14"}, {"CODDIHO", "T4"}, {"DIA", "1"}, {"HORADESDE", "ab:05"}, {"HORAHASTA", "12:00"}});
  scene.school.write(scene.tables);
  WriteBytes(scene.result, "resultado anterior");
  const auto before = FileSizes(scene.folder.path());

  try {
    RunOutbound({scene.document, scene.tables, std::nullopt});
    ADD_FAILURE() << "the run did not stop";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "'ab' no es un valor entero válido");
  }
  EXPECT_EQ(FileSizes(scene.folder.path()), before);
  EXPECT_EQ(ReadBytes(scene.result), "resultado anterior");
  for (const auto& entry : fs::directory_iterator(scene.tables))
    EXPECT_TRUE(formats::FileLock::tryExclusive(entry.path()).has_value()) << entry.path();

  // Mended, the same run writes all of it.
  scene.school.tables["DIASHORAST"].rows.back() = {
      {"DIHO", "14"}, {"CODDIHO", "T4"}, {"DIA", "1"}, {"HORADESDE", "11:05"}, {"HORAHASTA", "12:00"}};
  const auto result = scene.run();
  EXPECT_EQ(result.teachers, 3006u);
  const auto lines = FlattenDocument(scene.result);
  ASSERT_GE(lines.size(), 15u);
  EXPECT_EQ(lines.back(), "X_ACTIVIDAD=1");
  EXPECT_EQ(std::vector<std::string>(lines.end() - 15, lines.end() - 11),
            (std::vector<std::string>{"grupo_datos HORARIO_REGULAR_PROFESOR_3006 1", "X_EMPLEADO=E9999",
                                      "F_TOMAPOS=01/09/2025", "grupo_datos ACTIVIDAD_1 <none>"}));
}

TEST(OutboundStream, OnlyThePrologAndTheSchoolYearOfTheChosenDocumentCount) {
  OutboundScene scene;
  // A whole school's export: large blocks after the school year, and nodes on
  // both sides of its root, which the result keeps ahead of its own root.
  std::string blocks;
  for (int k = 0; k < 20000; ++k)
    blocks += "<grupo_datos><dato nombre_dato=\"X_EMPLEADO\">" + std::to_string(k) +
              "</dato><dato>Apellido &amp; Nombre</dato></grupo_datos>";
  WriteBytes(scene.document,
             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- exportado -->\n"
             "<SERVICIO modulo=\"EXPORTACION\"><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\">"
             "<dato nombre_dato=\"C_ANNO\">2025</dato></grupo_datos><grupo_datos seq=\"EMPLEADOS\">" +
                 blocks + "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n<!-- fin de la exportaci\xF3n -->\n");
  scene.run();
  const std::string written = ReadBytes(scene.result);
  EXPECT_TRUE(written.starts_with("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- exportado -->\n"
                                  "<!-- fin de la exportaci\xF3n -->\n<SERVICIO modulo=\"HORARIOS\""))
      << written.substr(0, 200);
  EXPECT_EQ(written.find("Apellido"), std::string::npos);
  EXPECT_EQ(FlattenDocument(scene.result), ExpectedDocument());
}

}  // namespace
}  // namespace enlazora::testing
