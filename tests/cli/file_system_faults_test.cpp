// enlazora-cli when the file system is in the way, both ways: the table
// folder missing or read-only, a table held open by another program, the
// result's folder read-only, a folder where a table should be. Each run stops
// with a message naming what is wrong and changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/support/CliScene.h"
#include "support/IndependentReaders.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {
namespace fs = std::filesystem;

const std::string kHeldElsewhere = " está abierta en otro programa (no se puede usar en exclusiva hasta que la cierre)";

void TakeWritePermission(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

TEST(FileSystemFaults, TableFolderMissingOrAFile) {
  CliScene scene;
  for (const fs::path& folder : {scene.place() / "NOHTEMP", scene.document()}) {
    SCOPED_TRACE(folder);
    const std::string message = "No existe la carpeta de las tablas de Horalix: " + folder.string();
    ExpectStop(scene, scene.inbound({}, folder), message);
    ExpectStop(scene, scene.outbound({}, folder), message);
  }
}

TEST(FileSystemFaults, ReadOnlyTableFolder) {
  CliScene scene;
  scene.giveToUnprivilegedUser();
  TakeWritePermission(scene.tables());
  ExpectStop(scene, scene.inbound(),
             "No se puede escribir en la carpeta de las tablas de Horalix: " + scene.tables().string(),
             RunAs::Unprivileged);

  // The outbound run only reads the tables: it completes and leaves them be.
  const auto tables = SnapshotFolder(scene.tables());
  const auto run = scene.run(scene.outbound(), RunAs::Unprivileged);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(fs::exists(scene.result()));
  EXPECT_EQ(ChangedFiles(tables, SnapshotFolder(scene.tables())), "");
}

TEST(FileSystemFaults, UnreadableTableFolder) {
  CliScene scene;
  scene.giveToUnprivilegedUser();
  fs::permissions(scene.tables(), fs::perms::none);
  ExpectStop(scene, scene.inbound(),
             "No se puede escribir en la carpeta de las tablas de Horalix: " + scene.tables().string(),
             RunAs::Unprivileged);
  ExpectStop(scene, scene.outbound(),
             "No se puede leer la carpeta de las tablas de Horalix: " + scene.tables().string(), RunAs::Unprivileged);
}

TEST(FileSystemFaults, ReadOnlyResultFolder) {
  CliScene scene;
  scene.giveToUnprivilegedUser();
  TakeWritePermission(scene.place());
  ExpectStop(scene, scene.outbound(),
             "No se puede guardar el archivo \"" + scene.result().string() + "\": no hay permiso de escritura.",
             RunAs::Unprivileged);
}

// Another program holding a table, for as long as the returned holder lives:
// our own lock taken in another process, or TDbf.
struct Holder {
  const char* by;
  std::function<std::shared_ptr<void>(const fs::path& table, bool& held)> hold;
};

template <typename HeldBy>
std::shared_ptr<void> Hold(const fs::path& table, bool& held) {
  auto holder = std::make_shared<HeldBy>(table);
  held = holder->held();
  return holder;
}

const Holder kHolders[] = {{"another process's lock", Hold<HeldByOtherProcess>}, {"TDbf", Hold<HeldByTDbf>}};

TEST(FileSystemFaults, TableHeldOpenByAnotherProgram) {
  CliScene scene;
  struct Case {
    const char* table;
    bool inbound;
  };
  for (const auto& c : {Case{"PERIODOS.DBF", true}, Case{"ASIGNOMT.DBF", true}, Case{"SOLUC.DBF", false},
                        Case{"DIASHORAST.DBF", false}}) {
    for (const auto& holder : kHolders) {
      SCOPED_TRACE(std::string(c.table) + " held by " + holder.by);
      bool held = false;
      const auto holding = holder.hold(scene.table(c.table), held);
      ASSERT_TRUE(held);
      // (TDbf stamps the table's header when it opens it: the scene is taken
      // after.)
      ExpectStop(scene, c.inbound ? scene.inbound() : scene.outbound(), "La tabla " + std::string(c.table) +
                                                                           kHeldElsewhere);
    }
  }
}

TEST(FileSystemFaults, FolderInPlaceOfATable) {
  CliScene scene;
  struct Case {
    const char* table;
    bool inbound;
    std::string message;
  };
  const std::string notReplaced =
      " en la carpeta de las tablas de Horalix: en su lugar hay una carpeta; las tablas quedan como estaban.";
  for (const auto& c : {Case{"GRUPOST.DBF", true, "No se puede reemplazar GRUPOST.DBF" + notReplaced},
                        Case{"ASIGT.MDX", true, "No se puede reemplazar ASIGT.MDX" + notReplaced},
                        Case{"JORNADAS.DBF", true, "No se puede reemplazar JORNADAS.DBF" + notReplaced},
                        Case{"SOLUC.DBF", false, "No se puede abrir la tabla SOLUC.DBF: en su lugar hay una carpeta"},
                        Case{"PERIODOS.DBF", false,
                             "No se puede abrir la tabla PERIODOS.DBF: en su lugar hay una carpeta"}}) {
    SCOPED_TRACE(c.table);
    const fs::path file = scene.table(c.table);
    const fs::path kept = scene.root() / "guardada";
    if (fs::exists(file)) fs::rename(file, kept);
    fs::create_directory(file);
    WriteBytes(file / "dentro.txt", "lo que el usuario guarda aquí");
    ExpectStop(scene, c.inbound ? scene.inbound() : scene.outbound(), c.message);
    fs::remove_all(file);
    if (fs::exists(kept)) fs::rename(kept, file);
  }
}

}  // namespace
}  // namespace enlazora::testing
