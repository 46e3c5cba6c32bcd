// The bytes of the tables we write, and the rules of writing: level-7 header,
// binary encodings, what close() writes and when, replacing safely, and the
// values that cannot be stored.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "formats/Clock.h"
#include "formats/dbf/DbfTable.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {
using testing::ReadBytes;
using testing::SnapshotFolder;
using testing::TempFolder;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const TableError& error) {
    return error.what();
  }
  return "";
}

class FixedClock {
 public:
  FixedClock() { SetFixedClock(ParseMoment("2026-03-05 10:20:30")); }
  ~FixedClock() { SetFixedClock(std::nullopt); }
};

TEST(DbfFormat, CreatedTableIsLevel7WithExactHeaderAndEncodings) {
  FixedClock clock;
  TempFolder folder;
  const auto file = folder / "DIASHORAST2.DBF";
  DbfTable::create(file, {FieldDef::character("OFERTAMATRI", 3), FieldDef::integer("ORDEN"),
                          FieldDef::floating("HORAS"), FieldDef::logical("ESTAREA")});
  const std::size_t headerLength = 68 + 48 * 4 + 1, recordLength = 1 + 3 + 4 + 8 + 1;
  const auto empty = ReadBytes(file);
  ASSERT_EQ(empty.size(), headerLength + 1);

  std::string header(headerLength, '\0');
  header.replace(0, 12, Bytes({0x04, 126, 3, 5, 0, 0, 0, 0, static_cast<int>(headerLength), 1,
                               static_cast<int>(recordLength), 0}));
  header.replace(32, 8, "DBWINUS0");  // bytes 28 (no index) and 29 (language id) stay 0
  const std::vector<std::tuple<std::string, char, int>> descriptors{
      {"OFERTAMATRI", 'C', 3}, {"ORDEN", 'I', 4}, {"HORAS", 'O', 8}, {"ESTAREA", 'L', 1}};
  for (std::size_t i = 0; i < descriptors.size(); ++i) {
    const auto& [name, type, length] = descriptors[i];
    header.replace(68 + 48 * i, name.size(), name);
    header[68 + 48 * i + 32] = type;
    header[68 + 48 * i + 33] = static_cast<char>(length);
  }
  header.back() = 0x0D;
  EXPECT_EQ(empty, header + '\x1A');

  auto table = DbfTable::open(file);
  table.append();
  table.set("OFERTAMATRI", "ABCD");
  table.setInteger("ORDEN", 480);
  table.setNumber("HORAS", 4.0);
  table.setLogical("ESTAREA", true);
  table.post();
  table.append();
  table.post();
  table.append();
  table.setInteger("ORDEN", -1);
  table.setNumber("HORAS", -2.5);
  table.setLogical("ESTAREA", false);
  table.post();
  table.close();

  const auto written = ReadBytes(file);
  ASSERT_EQ(written.size(), headerLength + 3 * recordLength + 1);
  EXPECT_EQ(written.substr(4, 4), Bytes({3, 0, 0, 0}));
  EXPECT_EQ(written.substr(headerLength),
            " ABC" + Bytes({0x80, 0x00, 0x01, 0xE0}) + Bytes({0xC0, 0x10, 0, 0, 0, 0, 0, 0}) + "T" +
                "    " + Bytes({0, 0, 0, 0}) + Bytes({0, 0, 0, 0, 0, 0, 0, 0}) + " " +
                "    " + Bytes({0x7F, 0xFF, 0xFF, 0xFF}) + Bytes({0x3F, 0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) +
                "F" + "\x1A");
}

TEST(DbfFormat, CloseWritesOnlyWhenRecordsWereAppendedAndLeavesNothingElse) {
  TempFolder folder;
  const auto file = folder / "AULAT.DBF";
  DbfTable::create(file, {FieldDef::character("ABREV", 10)});
  const auto before = SnapshotFolder(folder.path());
  {
    SetFixedClock(ParseMoment("2030-01-01 00:00:00"));  // a rewrite would change the date
    auto table = DbfTable::open(file);
    table.close();
    auto notClosed = DbfTable::open(file);
    notClosed.append();
    notClosed.set("ABREV", "A1");
    notClosed.post();  // destroyed without close: nothing written
    SetFixedClock(std::nullopt);
  }
  EXPECT_EQ(SnapshotFolder(folder.path()), before);

  auto table = DbfTable::open(file);
  table.append();
  table.set("ABREV", "A1");
  table.post();
  table.append();  // never posted: not written
  table.set("ABREV", "A2");
  table.close();
  table.close();  // a second close does nothing
  const auto after = SnapshotFolder(folder.path());
  ASSERT_EQ(after.size(), 1u);  // no temporary file left beside the table
  auto reread = DbfTable::open(file);
  ASSERT_EQ(reread.size(), 1u);
  EXPECT_EQ(reread.text(0, "ABREV"), "A1");
  EXPECT_EQ(ErrorOf([&] { table.append(); }), "La tabla AULAT.DBF ya está cerrada");
  EXPECT_EQ(ErrorOf([&] { (void)table.size(); }), "La tabla AULAT.DBF ya está cerrada");
}

TEST(DbfFormat, AppendingToAnExistingTableKeepsEveryRecordAndItsDeletedOnes) {
  TempFolder folder;
  const auto file = folder / "SOLUC.DBF";
  DbfTable::create(file, {FieldDef::character("PROF", 10)});
  {
    auto table = DbfTable::open(file);
    for (const char* prof : {"A", "B", "C"}) {
      table.append();
      table.set("PROF", prof);
      table.post();
    }
    table.close();
  }
  auto bytes = ReadBytes(file);
  bytes[117 + 11] = '*';  // header 68 + 48 + 1 = 117, records of 11: the second one is deleted
  testing::WriteBytes(file, bytes);
  auto table = DbfTable::open(file);
  ASSERT_EQ(table.size(), 2u);
  table.append();
  table.set("PROF", "D");
  table.post();
  EXPECT_EQ(table.text(2, "PROF"), "D");
  table.close();
  const auto rewritten = ReadBytes(file);
  EXPECT_EQ(rewritten.substr(117, 33), bytes.substr(117, 33));  // old records as they were
  EXPECT_EQ(rewritten.substr(4, 4), Bytes({4, 0, 0, 0}));
  auto reread = DbfTable::open(file);
  ASSERT_EQ(reread.size(), 3u);
  EXPECT_EQ(reread.text(0, "PROF") + reread.text(1, "PROF") + reread.text(2, "PROF"), "ACD");
}

TEST(DbfFormat, CreateReplacesATableAndAddsTheExtension) {
  TempFolder folder;
  DbfTable::create(folder / "PERIODOS", {FieldDef::character("CJORNADA", 10)});
  {
    auto table = DbfTable::open(folder / "PERIODOS");
    EXPECT_EQ(table.name(), "PERIODOS.DBF");
    table.append();
    table.post();
    table.close();
  }
  DbfTable::create(folder / "PERIODOS.DBF", {FieldDef::character("JORNADA", 40)});
  auto table = DbfTable::open(folder / "PERIODOS.DBF");
  EXPECT_EQ(table.size(), 0u);
  ASSERT_EQ(table.fields().size(), 1u);
  EXPECT_EQ(table.fields()[0].name, "JORNADA");
  EXPECT_EQ(table.fields()[0].length, 40);
}

TEST(DbfFormat, FailingWriteLeavesTheOldTableWhole) {
  TempFolder folder;
  const auto file = folder / "ASIGT.DBF";
  DbfTable::create(file, {FieldDef::character("CASIG", 200)});
  const auto before = SnapshotFolder(folder.path());
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &small);
    auto table = DbfTable::open(file);
    for (int i = 0; i < 100; ++i) {
      table.append();
      table.set("CASIG", "x");
      table.post();
    }
    const auto message = ErrorOf([&] { table.close(); });
    _exit(message == "No se puede escribir la tabla ASIGT.DBF: el archivo sería demasiado grande" ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(SnapshotFolder(folder.path()), before);
}

TEST(DbfFormat, FieldDefinitionsThatCannotBeCreatedAreRefused) {
  TempFolder folder;
  const auto file = folder / "PROFT.DBF";
  const std::string prefix = "No se puede crear la tabla PROFT.DBF: ";
  const std::vector<std::pair<std::vector<FieldDef>, std::string>> cases{
      {{}, "no tiene ningún campo"},
      {{FieldDef::character("ABREV", 10), FieldDef::character("abrev", 5)}, "el campo abrev aparece dos veces"},
      {{FieldDef::character(std::string(32, 'A'), 10)},
       "el nombre de campo '" + std::string(32, 'A') + "' no es válido (de 1 a 31 letras sin acento, cifras o _)"},
      {{FieldDef::character("", 10)}, "el nombre de campo '' no es válido (de 1 a 31 letras sin acento, cifras o _)"},
      {{FieldDef::character("ABREV", 0)}, "el campo ABREV ha de medir de 1 a 254 caracteres"},
      {{FieldDef::character("ABREV", 255)}, "el campo ABREV ha de medir de 1 a 254 caracteres"},
      {{FieldDef{"DNI", 'I', 8, 0}}, "el campo DNI de tipo I ha de medir 4"},
      {{FieldDef{"NOTA", 'M', 10, 0}}, "el campo NOTA tiene un tipo que no se sabe crear (M)"}};
  for (const auto& [fields, detail] : cases)
    EXPECT_EQ(ErrorOf([&] { DbfTable::create(file, fields); }), prefix + detail);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(ErrorOf([&] { DbfTable::create(folder / "NOHAY" / "PROFT.DBF", {FieldDef::character("A", 1)}); }),
            prefix + "no existe la carpeta " + (folder / "NOHAY").string());
  // Sizes left out of the fixed-size types are filled in.
  DbfTable::create(file, {FieldDef{"DNI", 'I', 0, 0}, FieldDef{"OK", 'L', 0, 0}, FieldDef{"H", 'O', 0, 0}});
  auto table = DbfTable::open(file);
  EXPECT_EQ(table.fields()[0].length, 4);
  EXPECT_EQ(table.fields()[1].length, 1);
  EXPECT_EQ(table.fields()[2].length, 8);
}

TEST(DbfFormat, ValuesReadBackByTypeAndRefuseWhatCannotBeStored) {
  TempFolder folder;
  const auto file = folder / "PROFT.DBF";
  DbfTable::create(file, {FieldDef::character("NOMBRE", 5), FieldDef::integer("DNI"), FieldDef::floating("HORAS"),
                          FieldDef::logical("OK")});
  auto table = DbfTable::open(file);
  EXPECT_EQ(ErrorOf([&] { table.set("NOMBRE", "x"); }), "La tabla PROFT.DBF no tiene ningún registro nuevo en curso");
  EXPECT_EQ(ErrorOf([&] { table.post(); }), "La tabla PROFT.DBF no tiene ningún registro nuevo en curso");
  table.append();
  EXPECT_EQ(ErrorOf([&] { table.set("DEPART", "x"); }), "La tabla PROFT.DBF no tiene el campo DEPART");
  EXPECT_EQ(ErrorOf([&] { table.setInteger("DNI", 2147483648LL); }),
            "El valor 2147483648 no cabe en el campo DNI de la tabla PROFT.DBF");
  EXPECT_EQ(ErrorOf([&] { table.setInteger("DNI", -2147483648LL); }),
            "El valor -2147483648 no cabe en el campo DNI de la tabla PROFT.DBF");
  EXPECT_EQ(ErrorOf([&] { table.set("DNI", "12a"); }),
            "'12a' no es un valor entero válido (campo DNI de la tabla PROFT.DBF)");
  EXPECT_EQ(ErrorOf([&] { table.setNumber("DNI", 2.5); }),
            "'2.5' no es un valor entero válido (campo DNI de la tabla PROFT.DBF)");
  EXPECT_EQ(ErrorOf([&] { table.set("HORAS", "cuatro"); }),
            "'cuatro' no es un valor numérico válido (campo HORAS de la tabla PROFT.DBF)");
  EXPECT_EQ(ErrorOf([&] { table.set("OK", "quiz\xE1s"); }),
            "'quizás' no es un valor lógico válido (campo OK de la tabla PROFT.DBF)");
  EXPECT_EQ(ErrorOf([&] { table.setInteger("NOMBRE", 123456); }),
            "El valor 123456 no cabe en el campo NOMBRE de la tabla PROFT.DBF");
  table.set("NOMBRE", "Mar\xEDn Ruiz");
  table.set("DNI", " 12 ");
  table.set("HORAS", "-2.5");
  table.set("OK", "y");
  table.append();  // posts the record in hand first
  table.setInteger("NOMBRE", 42);
  table.setNumber("DNI", 7.0);
  table.setNumber("HORAS", 0.1);
  table.set("OK", "n");
  table.post();
  table.append();
  table.post();

  ASSERT_EQ(table.size(), 3u);
  const std::vector<std::string> fields{"NOMBRE", "DNI", "HORAS", "OK"};
  const std::vector<std::vector<std::string>> texts{
      {"Mar\xEDn", "12", "-2.5", "T"}, {"42", "7", "0.1", "F"}, {"", "", "", ""}};
  for (std::size_t row = 0; row < texts.size(); ++row)
    for (std::size_t f = 0; f < fields.size(); ++f) {
      EXPECT_EQ(table.text(row, fields[f]), texts[row][f]) << row << " " << fields[f];
      EXPECT_EQ(table.isBlank(row, fields[f]), row == 2) << row << " " << fields[f];
    }
  EXPECT_EQ(table.integer(1, "NOMBRE"), 42);
  EXPECT_EQ(table.integer(1, "dni"), 7);
  EXPECT_EQ(table.integer(2, "DNI"), 0);  // blank numbers read 0
  EXPECT_EQ(table.integer(2, "HORAS"), 0);
  EXPECT_EQ(table.number(1, "HORAS"), 0.1);
  EXPECT_EQ(table.number(0, "DNI"), 12.0);
  EXPECT_TRUE(table.logical(0, "OK"));
  EXPECT_FALSE(table.logical(1, "OK"));
  EXPECT_FALSE(table.logical(2, "OK"));
  EXPECT_EQ(ErrorOf([&] { (void)table.integer(0, "HORAS"); }),
            "'-2.5' no es un valor entero válido (campo HORAS de la tabla PROFT.DBF)");
  EXPECT_EQ(ErrorOf([&] { (void)table.text(3, "NOMBRE"); }), "La tabla PROFT.DBF no tiene el registro 4");
}

}  // namespace
}  // namespace enlazora::formats
