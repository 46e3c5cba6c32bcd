// Damaged, missing and misplaced tables end in a Spanish message that names
// the table, never in a crash or a read outside the file; a value that is no
// number says which text, field and table.
#include <gtest/gtest.h>

#include <functional>

#include "formats/dbf/DbfTable.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// A level-7 SOLUC.DBF with two records: header 68 + 48 * 2 + 1 = 165 bytes,
// records of 1 + 10 + 4 = 15 bytes, the end-of-file byte: 196 bytes.
std::string SolutionTable(const TempFolder& folder) {
  const auto file = folder / "SOLUC.DBF";
  DbfTable::create(file, {FieldDef::character("DIA", 10), FieldDef::integer("HORA")});
  auto table = DbfTable::open(file);
  for (const char* day : {"1", "1a"}) {
    table.append();
    table.set("DIA", day);
    table.setInteger("HORA", 3);
    table.post();
  }
  table.close();
  return ReadBytes(file);
}

void PutLittleEndian(std::string& bytes, std::size_t at, unsigned long value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string OpenError(const std::filesystem::path& file, Access access) {
  try {
    auto table = DbfTable::open(file, access);
    for (std::size_t row = 0; row < table.size(); ++row) (void)table.text(row, "DIA");
  } catch (const TableError& error) {
    return error.what();
  }
  return "";
}

struct DamageCase {
  std::string name;
  std::function<void(std::string&)> damage;
  std::string message;  // "" when the table must open
};

class DamagedTable : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedTable, OpensOrSaysWhatIsWrong) {
  TempFolder folder;
  auto bytes = SolutionTable(folder);
  ASSERT_EQ(bytes.size(), 196u);
  GetParam().damage(bytes);
  WriteBytes(folder / "SOLUC.DBF", bytes);
  EXPECT_EQ(OpenError(folder / "SOLUC.DBF", Access::Exclusive), GetParam().message);
  EXPECT_EQ(OpenError(folder / "SOLUC.DBF", Access::Shared), GetParam().message);
}

const std::string kDamaged = "La tabla SOLUC.DBF está dañada: ";

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedTable,
    ::testing::Values(
        DamageCase{"Intact", [](std::string&) {}, ""},
        DamageCase{"NoEndOfFileByte", [](std::string& b) { b.pop_back(); }, ""},
        DamageCase{"BytesAfterTheRecords", [](std::string& b) { b += "garbage after the end"; }, ""},
        DamageCase{"FieldPropertiesAfterTheFieldList",  // level 7 may keep more after the terminator
                   [](std::string& b) {
                     b.insert(165, std::string(20, '\x01'));
                     PutLittleEndian(b, 8, 185, 2);
                   },
                   ""},
        DamageCase{"Empty", [](std::string& b) { b.clear(); }, kDamaged + "el archivo está vacío (0 bytes)"},
        DamageCase{"ShorterThanAHeader", [](std::string& b) { b.resize(20); },
                   kDamaged + "la cabecera está incompleta (el archivo solo tiene 20 bytes)"},
        DamageCase{"CutInsideTheLevel7Header", [](std::string& b) { b.resize(50); },
                   kDamaged + "la cabecera está incompleta (el archivo solo tiene 50 bytes)"},
        DamageCase{"CutInsideTheFieldList", [](std::string& b) { b.resize(100); },
                   kDamaged + "la cabecera dice medir 165 bytes y el archivo solo tiene 100"},
        DamageCase{"CutInsideTheLastRecord", [](std::string& b) { b.resize(172); },
                   kDamaged + "la cabecera anuncia 2 registros y el archivo solo contiene 0"},
        DamageCase{"CutInsideTheSecondRecord", [](std::string& b) { b.resize(185); },
                   kDamaged + "la cabecera anuncia 2 registros y el archivo solo contiene 1"},
        DamageCase{"MoreRecordsClaimed", [](std::string& b) { PutLittleEndian(b, 4, 1000, 4); },
                   kDamaged + "la cabecera anuncia 1000 registros y el archivo solo contiene 2"},
        DamageCase{"HugeRecordCount", [](std::string& b) { PutLittleEndian(b, 4, 0xFFFFFFFFul, 4); },
                   kDamaged + "la cabecera anuncia 4294967295 registros y el archivo solo contiene 2"},
        DamageCase{"LongerRecordsClaimed", [](std::string& b) { PutLittleEndian(b, 10, 16, 2); },
                   kDamaged + "la longitud de registro de la cabecera (16) no coincide con la suma de sus campos (15)"},
        DamageCase{"ZeroRecordLength", [](std::string& b) { PutLittleEndian(b, 10, 0, 2); },
                   kDamaged + "la longitud de registro de la cabecera (0) no coincide con la suma de sus campos (15)"},
        DamageCase{"HeaderShorterThanItsFieldList", [](std::string& b) { PutLittleEndian(b, 8, 116, 2); },
                   kDamaged + "la cabecera dice medir 116 bytes, menos de lo que ocupa su lista de campos"},
        DamageCase{"HeaderLengthZero", [](std::string& b) { PutLittleEndian(b, 8, 0, 2); },
                   kDamaged + "la cabecera dice medir 0 bytes, menos de lo que ocupa su lista de campos"},
        DamageCase{"HeaderLongerThanTheFile", [](std::string& b) { PutLittleEndian(b, 8, 0xFFFF, 2); },
                   kDamaged + "la cabecera dice medir 65535 bytes y el archivo solo tiene 196"},
        DamageCase{"NoFields", [](std::string& b) { b[68] = 0x0D; },
                   kDamaged + "no tiene ningún campo"},
        DamageCase{"FieldWiderThanTheRecord", [](std::string& b) { b[68 + 33] = static_cast<char>(200); },
                   kDamaged + "la longitud de registro de la cabecera (15) no coincide con la suma de sus campos (205)"},
        DamageCase{"NotADBaseTable", [](std::string& b) { b[0] = 0x43; },
                   kDamaged + "no es una tabla dBase que se sepa leer (primer byte 0x43)"},
        DamageCase{"TextFile", [](std::string& b) { b = "DIA;HORA\n1;3\n2;4\n3;5\n4;6\n5;7\n6;8\n"; },
                   kDamaged + "no es una tabla dBase que se sepa leer (primer byte 0x44)"}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(DbfDamage, MissingTableAndFolderInItsPlaceAreNamed) {
  TempFolder folder;
  EXPECT_EQ(OpenError(folder / "SOLUC.DBF", Access::Exclusive), "No se encuentra la tabla SOLUC.DBF");
  EXPECT_EQ(OpenError(folder / "SOLUC", Access::Shared), "No se encuentra la tabla SOLUC.DBF");
  std::filesystem::create_directory(folder / "SOLUC.DBF");
  EXPECT_EQ(OpenError(folder / "SOLUC.DBF", Access::Exclusive),
            "No se puede abrir la tabla SOLUC.DBF: en su lugar hay una carpeta");
  try {
    DbfTable::create(folder / "SOLUC.DBF", {FieldDef::character("DIA", 10)});
    ADD_FAILURE() << "created over a folder";
  } catch (const TableError& error) {
    EXPECT_STREQ(error.what(), "No se puede crear la tabla SOLUC.DBF: en su lugar hay una carpeta");
  }
}

struct NumberCase {
  std::string stored;
  std::optional<long long> integer;  // nothing: raises
  std::optional<double> number;
};

TEST(DbfDamage, TextsReadAsNumbersOrRaiseNamingTextFieldAndTable) {
  const std::vector<NumberCase> cases{
      {"12", 12, 12.0},        {" -7 ", -7, -7.0},     {"+5", 5, 5.0},
      {"3.00", 3, 3.0},        {"3.", 3, 3.0},         {"", 0, 0.0},
      {"3.5", {}, 3.5},        {"1e3", {}, 1000.0},    {"1a", {}, {}},
      {"-", {}, {}},           {".", {}, {}},          {"Educaci\xF3n", {}, {}},
      {"9223372036854775807", 9223372036854775807LL, 9223372036854775807.0},
      {"9223372036854775808", {}, 9223372036854775808.0},
      {"1 2", {}, {}},         {"inf", {}, {}},        {"0x1A", {}, {}}};
  TempFolder folder;
  const auto file = folder / "SOLUC.DBF";
  DbfTable::create(file, {FieldDef::character("DIA", 20)});
  auto table = DbfTable::open(file);
  for (const auto& c : cases) {
    table.append();
    table.set("DIA", c.stored);
    table.post();
  }
  for (std::size_t row = 0; row < cases.size(); ++row) {
    const auto& c = cases[row];
    std::string shown = c.stored == "Educaci\xF3n" ? "Educación" : c.stored;
    shown.erase(0, shown.find_first_not_of(' '));
    shown.erase(shown.find_last_not_of(' ') + 1);
    if (c.integer) EXPECT_EQ(table.integer(row, "DIA"), *c.integer) << c.stored;
    else {
      try {
        (void)table.integer(row, "DIA");
        ADD_FAILURE() << "'" << c.stored << "' read as an integer";
      } catch (const TableError& error) {
        EXPECT_EQ(error.what(), "'" + shown + "' no es un valor entero válido (campo DIA de la tabla SOLUC.DBF)");
      }
    }
    if (c.number) EXPECT_EQ(table.number(row, "DIA"), *c.number) << c.stored;
    else {
      try {
        (void)table.number(row, "DIA");
        ADD_FAILURE() << "'" << c.stored << "' read as a number";
      } catch (const TableError& error) {
        EXPECT_EQ(error.what(), "'" + shown + "' no es un valor numérico válido (campo DIA de la tabla SOLUC.DBF)");
      }
    }
  }
}

}  // namespace
}  // namespace enlazora::formats
