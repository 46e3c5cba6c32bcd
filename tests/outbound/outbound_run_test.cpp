#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>

#include "formats/Clock.h"
#include "formats/RunStopped.h"
#include "formats/dbf/DbfTable.h"
#include "formats/files/FileLock.h"
#include "outbound/OutboundRun.h"
#include "support/OutboundFixture.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {

namespace fs = std::filesystem;
using outbound::OutboundRequest;
using outbound::RunOutbound;

// Every teacher and every placed lesson, with the keys of the first matching
// records and each fallback: subject load, class unit, subject per course
// offer, activity code, room, time slot and its minutes.
TEST(OutboundRun, WritesEveryTeacherAndPlacedLessonWithItsKeys) {
  OutboundScene scene;
  const auto result = scene.run();
  EXPECT_EQ(result.resultFile, scene.result);
  EXPECT_EQ(result.teachers, 5u);
  EXPECT_EQ(result.activities, 9u);
  EXPECT_EQ(FlattenDocument(scene.result), ExpectedDocument());
}

TEST(OutboundRun, PythonReadsTheSameDocument) {
  OutboundScene scene;
  scene.run();
  const char* script =
      "import sys, xml.etree.ElementTree as ET\n"
      "root = ET.parse(sys.argv[1]).getroot()\n"
      "out = [root.tag]\n"
      "def flat(node):\n"
      "    for c in node:\n"
      "        if c.tag == 'dato':\n"
      "            out.append(c.get('nombre_dato') + '=' + (c.text or ''))\n"
      "        elif c.tag == 'grupo_datos':\n"
      "            out.append('grupo_datos %s %s' % (c.get('seq', '<none>'), c.get('registros', '<none>')))\n"
      "            flat(c)\n"
      "        else:\n"
      "            out.append(c.tag)\n"
      "            flat(c)\n"
      "flat(root)\n"
      "sys.stdout.buffer.write(('\\n'.join(out) + '\\n').encode('utf-8'))\n";
  const auto python = RunProgram("/usr/bin/python3", {"-c", script, scene.result.string()});
  ASSERT_EQ(python.exitStatus, 0) << python.err;
  std::string expected;
  for (const auto& line : ExpectedDocument()) expected += line + "\n";
  EXPECT_EQ(python.out, expected);
}

TEST(OutboundRun, HeaderKeepsThePrologAndCarriesTheMomentOfWriting) {
  OutboundScene scene;
  WriteBytes(scene.document,
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- exportado -->\n"
             "<SERVICIO modulo=\"EXPORTACION\" fecha=\"ayer\"><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\">"
             "<dato nombre_dato=\"C_ANNO\">2025</dato></grupo_datos></BLOQUE_DATOS></SERVICIO>\n");
  scene.run();
  const std::string written = ReadBytes(scene.result);
  EXPECT_TRUE(written.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- exportado -->")) << written;
  // In the C locale %x is mm/dd/yy and %X hh:mm:ss.
  EXPECT_NE(written.find("<SERVICIO modulo=\"HORARIOS\" tipo=\"I\" autor=\"HORARIOS\" fecha=\"12/24/25 13:45:07\">"),
            std::string::npos)
      << written;
  EXPECT_EQ(written.find("EXPORTACION"), std::string::npos);
  EXPECT_EQ(written.find("ayer"), std::string::npos);
}

TEST(OutboundRun, SchoolYearIsTheFirstFourCharactersOfTheFirstBlock) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">2025/2026</dato></grupo_datos>", "2025"},
      {"<grupo_datos seq=\"ANNO_ACADEMICO\"><dato>20</dato><dato>25</dato><dato>26</dato></grupo_datos>", "2025"},
      {"<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">24</dato></grupo_datos>", "24"},
      {"<grupo_datos seq=\"MATERIAS\"><grupo_datos><dato>M1</dato><dato>Lengua</dato></grupo_datos></grupo_datos>",
       "M1Le"},
      {"\n   <grupo_datos seq=\"ANNO_ACADEMICO\">\n      <dato nombre_dato=\"C_ANNO\">2031</dato>\n   </grupo_datos>",
       "2031"},
      {"<grupo_datos seq=\"ANNO_ACADEMICO\"/>", ""},
  };
  for (const auto& [firstBlock, year] : cases) {
    OutboundScene scene;
    WriteBytes(scene.document, ExchangeDocumentText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", firstBlock));
    scene.run();
    const auto lines = FlattenDocument(scene.result);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "C_ANNO=" + year) << firstBlock;
  }
}

TEST(OutboundRun, EmptyTablesGiveEmptyBlocksAndEmptyDates) {
  OutboundScene scene;
  scene.school.tables["PROFT"].rows.clear();
  scene.school.tables["PERIODOS"].rows.clear();
  const auto result = scene.run();
  EXPECT_EQ(result.teachers, 0u);
  EXPECT_EQ(result.activities, 0u);
  EXPECT_EQ(FlattenDocument(scene.result),
            (std::vector<std::string>{"SERVICIO", "BLOQUE_DATOS", "grupo_datos ANNO_ACADEMICO <none>", "C_ANNO=2025",
                                      "grupo_datos HORARIOS_REGULARES 0"}));

  OutboundScene noPeriods;
  noPeriods.school.tables["PERIODOS"].rows.clear();
  noPeriods.run();
  const auto lines = FlattenDocument(noPeriods.result);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "F_INICIO="), 9);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "F_FIN="), 9);
}

TEST(OutboundRun, EightBitDeclarationGivesTheSameDeclarationAndEncoding) {
  OutboundScene scene;
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
  WriteBytes(scene.document, ExchangeDocumentText(declaration,
                                                  "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">"
                                                  "2025</dato></grupo_datos><grupo_datos seq=\"A\">Espa\xF1"
                                                  "a</grupo_datos>"));
  scene.school.tables["PROFT"].rows[0] = {{"ABREV", "GLA"}, {"X_EMPLEADO", "Pe\xF1" "a"}, {"F_TOMAPOS", "\xE9t\xE9"}};
  scene.run();
  const std::string written = ReadBytes(scene.result);
  EXPECT_TRUE(written.starts_with(declaration)) << written.substr(0, 80);
  EXPECT_NE(written.find("Pe\xF1" "a"), std::string::npos);
  EXPECT_EQ(written.find("Pe\xC3\xB1" "a"), std::string::npos);
  const auto python =
      RunProgram("/usr/bin/python3",
                 {"-c",
                  "import sys, xml.etree.ElementTree as ET\n"
                  "r = ET.parse(sys.argv[1]).getroot()\n"
                  "v = [d.text for d in r.iter('dato') if d.get('nombre_dato') in ('X_EMPLEADO', 'F_TOMAPOS')]\n"
                  "sys.stdout.buffer.write('|'.join(v[:2]).encode('utf-8'))\n",
                  scene.result.string()});
  ASSERT_EQ(python.exitStatus, 0) << python.err;
  EXPECT_EQ(python.out, "Pe\xC3\xB1" "a|\xC3\xA9t\xC3\xA9");
}

TEST(OutboundRun, ResultIsNamedAfterTheChosenFileBesideIt) {
  EXPECT_EQ(outbound::ResultFileFor("/datos/centro.xml"), fs::path("/datos/ResultadoHoralixcentro.xml"));
  EXPECT_EQ(outbound::ResultFileFor("a.xml"), fs::path("ResultadoHoralixa.xml"));

  OutboundScene scene;
  WriteBytes(scene.result, "old result");
  const std::string chosen = ReadBytes(scene.document);
  scene.run();
  EXPECT_NE(ReadBytes(scene.result), "old result");
  EXPECT_EQ(ReadBytes(scene.document), chosen);

  const fs::path elsewhere = scene.folder / "otra" / "salida.xml";
  fs::create_directories(elsewhere.parent_path());
  const auto result = RunOutbound({scene.document, scene.tables, elsewhere});
  EXPECT_EQ(result.resultFile, elsewhere);
  EXPECT_EQ(FlattenDocument(elsewhere), ExpectedDocument());
}

// Every table of the run can be locked exclusively again: the run let go of
// them all.
void ExpectTablesReleased(const fs::path& tables) {
  for (const char* table : {"SOLUC", "GRUPOST", "CURSOST", "PROFT", "AULAT", "ASIGNOMT", "ASIGNOMT2", "DIASHORAST",
                            "ASIGT", "PERIODOS"}) {
    const fs::path file = tables / (std::string(table) + ".DBF");
    if (!fs::exists(file)) continue;
    EXPECT_TRUE(formats::FileLock::tryExclusive(file).has_value()) << table;
  }
}

struct StopCase {
  std::string name;
  std::function<void(OutboundScene&)> prepare;  // after the tables are written
  std::string message;                          // a part of the message
};

// A run that stops writes nothing: an existing result stays as it was, the
// chosen document and the tables are untouched, no scratch file is left and
// every table is released.
TEST(OutboundRun, StoppedRunLeavesEverythingAsItWas) {
  const std::vector<StopCase> cases = {
      {"documento que no existe", [](OutboundScene& s) { fs::remove(s.document); }, "No existe archivo"},
      {"sin PERIODOS.DBF", [](OutboundScene& s) { fs::remove(s.tables / "PERIODOS.DBF"); },
       "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de QUIRENDA."},
      {"hora que no es un número",
       [](OutboundScene& s) {
         auto slots = s.school.tables["DIASHORAST"];
         slots.rows[1] = {{"DIHO", "12"}, {"CODDIHO", "T2"}, {"DIA", "1"}, {"HORADESDE", "ab:05"},
                          {"HORAHASTA", "10:00"}};
         WriteTable(s.tables / "DIASHORAST.DBF", slots);
       },
       "'ab' no es un valor entero válido"},
      {"XML mal formado", [](OutboundScene& s) { WriteBytes(s.document, "<SERVICIO><BLOQUE_DATOS>"); },
       "centro.xml"},
      {"sin BLOQUE_DATOS", [](OutboundScene& s) { WriteBytes(s.document, "<SERVICIO><OTRO>2025</OTRO></SERVICIO>"); },
       "BLOQUE_DATOS"},
      {"BLOQUE_DATOS vacío",
       [](OutboundScene& s) { WriteBytes(s.document, "<SERVICIO><BLOQUE_DATOS/></SERVICIO>"); }, "BLOQUE_DATOS"},
      {"falta ASIGT.DBF", [](OutboundScene& s) { fs::remove(s.tables / "ASIGT.DBF"); }, "ASIGT.DBF"},
      {"GRUPOST.DBF dañada",
       [](OutboundScene& s) {
         const auto bytes = ReadBytes(s.tables / "GRUPOST.DBF");
         WriteBytes(s.tables / "GRUPOST.DBF", bytes.substr(0, bytes.size() - 40));
       },
       "GRUPOST.DBF"},
      {"SOLUC.DBF sin AULA",
       [](OutboundScene& s) {
         auto solution = s.school.tables["SOLUC"];
         solution.fields.pop_back();
         for (auto& row : solution.rows) row.pop_back();
         WriteTable(s.tables / "SOLUC.DBF", solution);
       },
       "AULA"},
  };
  for (const auto& stop : cases) {
    SCOPED_TRACE(stop.name);
    OutboundScene scene;
    scene.school.write(scene.tables);
    WriteBytes(scene.result, "resultado anterior");
    stop.prepare(scene);
    const auto before = SnapshotFolder(scene.folder.path());
    try {
      RunOutbound({scene.document, scene.tables, std::nullopt});
      ADD_FAILURE() << "the run did not stop";
    } catch (const std::exception& error) {
      EXPECT_NE(std::string(error.what()).find(stop.message), std::string::npos) << error.what();
    }
    EXPECT_EQ(SnapshotFolder(scene.folder.path()), before);
    ExpectTablesReleased(scene.tables);
  }
}

// The result is written to a scratch file beside it and moved into place only
// when complete: a save that fails leaves nothing behind.
TEST(OutboundRun, SaveThatFailsLeavesNothingBehind) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  fs::create_directories(scene.folder / "carpeta");
  WriteBytes(scene.folder / "carpeta" / "dentro.txt", "x");
  const auto before = SnapshotFolder(scene.folder.path());
  for (const fs::path& target : {scene.folder / "carpeta", scene.folder / "no-existe" / "resultado.xml"}) {
    EXPECT_ANY_THROW(RunOutbound({scene.document, scene.tables, target})) << target;
    EXPECT_EQ(SnapshotFolder(scene.folder.path()), before) << target;
  }
  ExpectTablesReleased(scene.tables);
}

TEST(OutboundRun, StopsOfTheirOwnKind) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  fs::remove(scene.tables / "PERIODOS.DBF");
  try {
    RunOutbound({scene.document, scene.tables, std::nullopt});
    ADD_FAILURE() << "the run did not stop";
  } catch (const RunStopped& stopped) {
    EXPECT_EQ(stopped.reason(), StopReason::MissingPrerequisite);
  }
  try {
    RunOutbound({scene.folder / "nada.xml", scene.tables, std::nullopt});
    ADD_FAILURE() << "the run did not stop";
  } catch (const RunStopped& stopped) {
    EXPECT_EQ(stopped.reason(), StopReason::MissingDocument);
    EXPECT_STREQ(stopped.what(), "No existe archivo");
  }
  EXPECT_THROW(RunOutbound({scene.folder.path(), scene.tables, std::nullopt}), RunStopped);  // a folder
  EXPECT_THROW(RunOutbound({"", scene.tables, std::nullopt}), RunStopped);
}

// A host under a case-sensitive file system may have written its solution as
// soluc.dbf: it is the same table.
TEST(OutboundRun, TableFileNamesInAnyLetterCase) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  fs::rename(scene.tables / "SOLUC.DBF", scene.tables / "soluc.dbf");
  fs::rename(scene.tables / "PERIODOS.DBF", scene.tables / "Periodos.Dbf");
  RunOutbound({scene.document, scene.tables, std::nullopt});
  EXPECT_EQ(FlattenDocument(scene.result), ExpectedDocument());
}

TEST(OutboundRun, RefusesToWriteOverTheChosenDocument) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  const std::string chosen = ReadBytes(scene.document);
  for (const fs::path& target : {scene.document, scene.folder / "." / "centro.xml"}) {
    try {
      RunOutbound({scene.document, scene.tables, target});
      ADD_FAILURE() << "the run wrote over " << target;
    } catch (const std::exception& error) {
      EXPECT_NE(std::string(error.what()).find("documento elegido"), std::string::npos) << error.what();
    }
  }
  fs::create_symlink(scene.document, scene.folder / "enlace.xml");
  EXPECT_ANY_THROW(RunOutbound({scene.document, scene.tables, scene.folder / "enlace.xml"}));
  EXPECT_EQ(ReadBytes(scene.document), chosen);
}

TEST(OutboundRun, TableHeldElsewhereStopsNamingIt) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  auto held = formats::DbfTable::open(scene.tables / "PROFT.DBF");
  try {
    RunOutbound({scene.document, scene.tables, std::nullopt});
    ADD_FAILURE() << "the run did not stop";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("PROFT.DBF"), std::string::npos) << error.what();
  }
  held.close();
  EXPECT_FALSE(fs::exists(scene.result));
  ExpectTablesReleased(scene.tables);
}

}  // namespace
}  // namespace enlazora::testing
