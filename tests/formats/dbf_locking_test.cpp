// Exclusive opening really excludes: another handle in this process, another
// process running our code, and another program (TDbf) alike; creating over a
// held table fails; shared opening takes no lock.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "formats/dbf/DbfTable.h"
#include "formats/files/FileLock.h"
#include "support/IndependentReaders.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {
using testing::TempFolder;

const std::string kHeld =
    "La tabla PROFT.DBF está abierta en otro programa (no se puede usar en exclusiva hasta que la cierre)";
const std::string kCreateOverHeld = "No se puede crear la tabla PROFT.DBF: está abierta en otro programa";

std::string OpenError(const std::filesystem::path& file) {
  try {
    DbfTable::open(file);
  } catch (const TableError& error) {
    return error.what();
  }
  return "";
}

std::string CreateError(const std::filesystem::path& file) {
  try {
    DbfTable::create(file, {FieldDef::character("ABREV", 10)});
  } catch (const TableError& error) {
    return error.what();
  }
  return "";
}

class DbfLocking : public ::testing::Test {
 protected:
  void SetUp() override {
    DbfTable::create(file, {FieldDef::character("ABREV", 10), FieldDef::integer("DNI")});
    auto table = DbfTable::open(file);
    table.append();
    table.set("ABREV", "JPG");
    table.post();
    table.close();
  }
  std::size_t rowsNow() { return DbfTable::open(file, Access::Shared).size(); }

  TempFolder folder;
  std::filesystem::path file = folder / "PROFT.DBF";
};

TEST_F(DbfLocking, SecondHandleInTheSameProcessIsRefusedUntilTheFirstIsReleased) {
  {
    auto first = DbfTable::open(file);
    EXPECT_EQ(OpenError(file), kHeld);
    EXPECT_EQ(CreateError(file), kCreateOverHeld);
    EXPECT_EQ(rowsNow(), 1u);  // reading alongside is allowed, and the table is intact
    auto moved = std::move(first);
    EXPECT_EQ(OpenError(file), kHeld);
  }  // destroyed: released
  EXPECT_EQ(OpenError(file), "");
  auto again = DbfTable::open(file);
  again.close();
  EXPECT_EQ(OpenError(file), "");
}

TEST_F(DbfLocking, SharedOpeningTakesNoLock) {
  auto shared = DbfTable::open(file, Access::Shared);
  EXPECT_EQ(OpenError(file), "");
  testing::HeldByTDbf other(file);
  EXPECT_TRUE(other.held()) << other.refusal();
}

TEST_F(DbfLocking, AnotherProcessRunningOurCodeHoldsTheTable) {
  int ready[2], finish[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(finish), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(ready[0]);
    close(finish[1]);
    char done = 0;
    try {
      auto table = DbfTable::open(file);
      done = 'y';
      (void)!write(ready[1], &done, 1);
      (void)!read(finish[0], &done, 1);  // until the parent closes its end
    } catch (...) {
      done = 'n';
      (void)!write(ready[1], &done, 1);
    }
    _exit(0);
  }
  close(ready[1]);
  close(finish[0]);
  char state = 0;
  ASSERT_EQ(read(ready[0], &state, 1), 1);
  ASSERT_EQ(state, 'y');
  EXPECT_EQ(OpenError(file), kHeld);
  EXPECT_EQ(CreateError(file), kCreateOverHeld);
  EXPECT_FALSE(FileLock::tryExclusive(file).has_value());
  close(finish[1]);
  int status = 0;
  waitpid(child, &status, 0);
  close(ready[0]);
  EXPECT_EQ(OpenError(file), "");
  EXPECT_EQ(rowsNow(), 1u);
}

TEST_F(DbfLocking, AnotherProgramHoldingTheTableExcludesUsAndIsExcludedByUs) {
  {
    testing::HeldByTDbf other(file);
    ASSERT_TRUE(other.held()) << other.refusal();
    EXPECT_EQ(OpenError(file), kHeld);
    EXPECT_EQ(CreateError(file), kCreateOverHeld);
  }
  auto ours = DbfTable::open(file);
  testing::HeldByTDbf other(file);
  EXPECT_FALSE(other.held());
  EXPECT_NE(other.refusal(), "");
}

TEST(FileLockTest, MissingFileGivesNoLock) {
  TempFolder folder;
  EXPECT_FALSE(FileLock::tryExclusive(folder / "NADA.DBF").has_value());
}

}  // namespace
}  // namespace enlazora::formats
