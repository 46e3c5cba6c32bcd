// The inbound run as a whole: preconditions, the ten tables and the files it
// deletes, all or nothing when it stops, and repeated runs.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "formats/Messages.h"
#include "formats/RunStopped.h"
#include "formats/files/FileLock.h"
#include "inbound/support/InboundFixture.h"

using namespace enlazora::testing;
using enlazora::RunStopped;
using enlazora::StopReason;
using enlazora::inbound::RunInbound;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kTenTables = {"ASIGNOMT.DBF", "ASIGNOMT2.DBF", "PROFT.DBF",      "AULAT.DBF",
                                             "CURSOST.DBF",  "GRUPOST.DBF",   "ASIGT.DBF",      "DIASHORAST.DBF",
                                             "DIASHORAST2.DBF", "PERIODOS.DBF"};

std::set<std::string> FileNames(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// A table folder as the host leaves it after an earlier run: the tables, an
// index file beside some, the periods index, JORNADAS.DBF and the host's own
// files.
void FillWithEarlierRun(InboundBench& bench) {
  bench.run(SmallSchool());
  for (const char* name : {"AULAT.MDX", "DIASHORAST2.MDX", "PERIODOS.MDX", "JORNADAS.DBF", "SOLUC.DBF", "OTRA.MDX"})
    WriteBytes(bench.table(name), std::string("contenido de ") + name);
}

std::string StopMessage(InboundBench& bench, const std::function<void()>& prepare = {}) {
  if (prepare) prepare();
  FixedDayPlan dayPlan("J1");
  try {
    RunInbound(bench.request(), dayPlan);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "(completed)";
}

}  // namespace

TEST(InboundRun, PreconditionsStopBeforeAnythingIsTouched) {
  InboundBench bench;
  FillWithEarlierRun(bench);
  const auto before = SnapshotFolder(bench.tables());
  FixedDayPlan dayPlan;

  for (const fs::path& document : {fs::path(), bench.document().parent_path() / "no-existe.xml", bench.tables()}) {
    auto request = bench.request();
    request.document = document;
    try {
      RunInbound(request, dayPlan);
      ADD_FAILURE() << document;
    } catch (const RunStopped& stopped) {
      EXPECT_EQ(stopped.reason(), StopReason::MissingDocument);
      EXPECT_STREQ(stopped.what(), enlazora::messages::kNoExisteArchivo);
    }
  }

  SmallSchool().write(bench.document());
  fs::remove(bench.levelTable());
  try {
    RunInbound(bench.request(), dayPlan);
    ADD_FAILURE();
  } catch (const RunStopped& stopped) {
    EXPECT_EQ(stopped.reason(), StopReason::MissingPrerequisite);
    EXPECT_STREQ(stopped.what(), "ATENCIÓN - NIVELLARI.DBF No encontrado - Reinstale ENLAZORA");
  }
  EXPECT_EQ(ChangedFiles(before, SnapshotFolder(bench.tables())), "");
}

TEST(InboundRun, ReplacesTheTenTablesAndDeletesWhatTheStepsDelete) {
  InboundBench bench;
  FillWithEarlierRun(bench);
  WriteBytes(bench.table("asigt.mdx"), "índice de otro tiempo");  // the host's file system ignores case
  WriteBytes(bench.table("cursost.dbf"), "tabla en minúsculas");

  const auto result = bench.run(SmallSchool());

  std::set<std::string> expected(kTenTables.begin(), kTenTables.end());
  expected.insert({"PERIODOS.MDX", "SOLUC.DBF", "OTRA.MDX"});  // the periods index is not deleted
  EXPECT_EQ(FileNames(bench.tables()), expected);
  EXPECT_EQ(ReadBytes(bench.table("SOLUC.DBF")), "contenido de SOLUC.DBF");

  std::vector<std::string> written;
  for (const auto& table : result.tables) written.push_back(table.table);
  EXPECT_EQ(written, kTenTables);
  const std::vector<std::size_t> rows = {3, 3, 1, 2, 2, 3, 5, 14, 14, 1};
  for (std::size_t i = 0; i < rows.size() && i < result.tables.size(); ++i)
    EXPECT_EQ(result.tables[i].rows, rows[i]) << result.tables[i].table;
  EXPECT_EQ(result.chosenPlan, "J1");
}

TEST(InboundRun, AStoppedRunLeavesTheFolderByteForByte) {
  struct Case {
    std::string name;
    std::function<void(InboundBench&)> prepare;
    std::string messagePart;
  };
  std::optional<enlazora::formats::FileLock> held;
  const std::vector<Case> cases = {
      {"course key",
       [](InboundBench& bench) {
         auto document = SmallSchool();
         document.block("CURSOS_DEL_CENTRO", {{"1A", "1º"}});
         document.write(bench.document());
       },
       "'1A' no es un valor entero válido"},
      {"slot start",
       [](InboundBench& bench) {
         auto document = SmallSchool();
         document.block("TRAMOS_HORARIOS", {{"T9", "9ª", "8:00", "540", "J1"}});
         document.write(bench.document());
       },
       "'8:00' no es un valor entero válido"},
      {"slot without start",
       [](InboundBench& bench) {
         DocumentBuilder document;  // one plan without values: its code is empty
         document.block("JORNADAS_ESCOLARES", {{}}).block("TRAMOS_HORARIOS", {{"T1", "1ª"}});
         document.write(bench.document());
       },
       "'' no es un valor entero válido"},
      {"no day plan",
       [](InboundBench& bench) {
         DocumentBuilder document;
         document.block("MATERIAS", {{"100", "1", "Lengua"}}).block("JORNADAS_ESCOLARES", {});
         document.write(bench.document());
       },
       "JORNADAS_ESCOLARES"},
      {"damaged document",
       [](InboundBench& bench) {
         WriteBytes(bench.document(), "<?xml version=\"1.0\"?>\n<SERVICIO>\n<BLOQUE_DATOS>\n</SERVICIO>\n");
       },
       "entrada.xml"},
      {"table held open",
       [&held](InboundBench& bench) {
         SmallSchool().write(bench.document());
         held = enlazora::formats::FileLock::tryExclusive(bench.table("AULAT.DBF"));
         ASSERT_TRUE(held);
       },
       "AULAT.DBF"},
      {"deleted file held open",
       [&held](InboundBench& bench) {
         SmallSchool().write(bench.document());
         held = enlazora::formats::FileLock::tryExclusive(bench.table("JORNADAS.DBF"));
         ASSERT_TRUE(held);
       },
       "JORNADAS.DBF"},
      {"damaged level table",
       [](InboundBench& bench) {
         SmallSchool().write(bench.document());
         WriteBytes(bench.levelTable(), "esto no es una tabla");
       },
       "NIVELLARI.DBF"},
  };
  for (const auto& c : cases) {
    InboundBench bench;
    FillWithEarlierRun(bench);
    const auto before = SnapshotFolder(bench.tables());
    const std::string message = StopMessage(bench, [&] { c.prepare(bench); });
    held.reset();
    EXPECT_NE(message.find(c.messagePart), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(ChangedFiles(before, SnapshotFolder(bench.tables())), "") << c.name;
  }
}

TEST(InboundRun, AMissingTableFolderIsNamedAndNotCreated) {
  InboundBench bench;
  SmallSchool().write(bench.document());
  auto request = bench.request();
  request.tableFolder = bench.tables() / "HTEMP-que-no-existe";
  FixedDayPlan dayPlan;
  try {
    RunInbound(request, dayPlan);
    FAIL();
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("No existe la carpeta de las tablas de Horalix"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("HTEMP-que-no-existe"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(request.tableFolder));
  EXPECT_TRUE(FileNames(bench.tables()).empty());
}

TEST(InboundRun, EachRunStartsAfresh) {
  InboundBench bench;
  auto document = SmallSchool();
  document.block("MATERIAS", {{"100", "3", "Lengua Catalana"}, {"100", "4", "Lengua Cooficial"}});

  auto stopping = document;
  stopping.block("CURSOS_DEL_CENTRO", {{"no", "x"}});  // stops after the subject lists are filled
  EXPECT_NE(StopMessage(bench, [&] { stopping.write(bench.document()); }).find("'no'"), std::string::npos);

  for (int run = 0; run < 2; ++run) {
    bench.run(document);
    EXPECT_EQ(ReadRows(bench.table("ASIGNOMT.DBF"), {"COD"}),
              (std::vector<Values>{{"Lengua"}, {"Matemá"}, {"LC"}, {"LC1"}, {"A1"}}))
        << run;
    EXPECT_EQ(ReadRows(bench.table("CURSOST.DBF"), {"NIVEL"}), (std::vector<Values>{{"ESO"}, {"ESO"}})) << run;
  }
}
