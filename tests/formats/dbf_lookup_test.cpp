// The three lookups: locate (first match on one or more fields), rowsWhere
// (every match, in table order) and rowsInOrderOf (numeric order, stable).
#include <gtest/gtest.h>

#include "formats/dbf/DbfTable.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {
using testing::TempFolder;
using Rows = std::vector<std::size_t>;

class DbfLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    DbfTable::create(file, {FieldDef::character("COD", 10), FieldDef::character("NOMBRE", 80),
                            FieldDef::character("OFERTAMATRI", 20), FieldDef::integer("ORDEN")});
    table = DbfTable::open(file);
    add("MAT", "Matem\xE1ticas", "100", 510);          // 0
    add("EDU", "Educaci\xF3n", "100", 480);            // 1
    add("EDU", "Educaci\xF3n", "200", 510);            // 2
    add("edu", "educaci\xF3n", "100", -5);             // 3
    add("", "", "", 0);                                // 4: blank ORDEN reads 0
    add("EDU2", "Educaci\xF3n", "100", 480);           // 5
  }

  void add(const std::string& cod, const std::string& nombre, const std::string& oferta, long long orden) {
    table->append();
    table->set("COD", cod);
    table->set("NOMBRE", nombre);
    table->set("OFERTAMATRI", oferta);
    if (!cod.empty()) table->setInteger("ORDEN", orden);
    table->post();
  }

  std::optional<std::size_t> locate(const std::vector<std::string>& fields, const std::vector<std::string>& values) {
    return table->locate(fields, values);
  }

  TempFolder folder;
  std::filesystem::path file = folder / "ASIGNOMT2.DBF";
  std::optional<DbfTable> table;
};

TEST_F(DbfLookup, LocateFindsTheFirstExactMatch) {
  struct Case {
    std::vector<std::string> fields;
    std::vector<std::string> values;
    std::optional<std::size_t> row;
  };
  const std::vector<Case> cases{
      {{"NOMBRE"}, {"Educaci\xF3n"}, 1},
      {{"NOMBRE"}, {"Educaci\xF3n   "}, 1},  // the sought value's trailing blanks do not count
      {{"NOMBRE"}, {"educaci\xF3n"}, 3},     // letter case counts
      {{"NOMBRE"}, {" Educaci\xF3n"}, {}},   // leading blanks do
      {{"NOMBRE"}, {"Educaci"}, {}},         // whole text only
      {{"COD", "OFERTAMATRI"}, {"EDU", "200"}, 2},
      {{"COD", "OFERTAMATRI"}, {"EDU", "300"}, {}},
      {{"OFERTAMATRI", "COD"}, {"100", "EDU2"}, 5},
      {{"COD", "OFERTAMATRI"}, {"EDU2", "100 "}, 5},
      {{"cod"}, {"MAT"}, 0},  // field names in any letter case
      {{"ORDEN"}, {"480"}, 1},
      {{"ORDEN"}, {"-5"}, 3},
      {{"COD"}, {""}, 4},
      {{"COD"}, {"  "}, 4}};
  for (const auto& c : cases) {
    std::string what;
    for (const auto& v : c.values) what += "[" + v + "]";
    EXPECT_EQ(locate(c.fields, c.values), c.row) << what;
  }
}

TEST_F(DbfLookup, LookupsFollowRecordsPostedAfterTheirFirstUse) {
  EXPECT_EQ(locate({"COD", "OFERTAMATRI"}, {"FIS", "100"}), std::nullopt);
  EXPECT_EQ(table->rowsWhere("COD", "FIS"), Rows{});
  EXPECT_EQ(table->rowsWhere("COD", "EDU"), (Rows{1, 2}));
  add("FIS", "F\xEDsica", "100", 600);  // 6
  add("EDU", "Educaci\xF3n", "100", 1);  // 7: a later duplicate does not become the first match
  EXPECT_EQ(locate({"COD", "OFERTAMATRI"}, {"FIS", "100"}), 6u);
  EXPECT_EQ(locate({"COD", "OFERTAMATRI"}, {"EDU", "100"}), 1u);
  EXPECT_EQ(table->rowsWhere("COD", "FIS"), Rows{6});
  EXPECT_EQ(table->rowsWhere("COD", "EDU "), (Rows{1, 2, 7}));
  table->append();  // not posted: no row yet
  EXPECT_EQ(table->size(), 8u);
}

TEST_F(DbfLookup, RowsWhereGivesEveryMatchInTableOrder) {
  EXPECT_EQ(table->rowsWhere("NOMBRE", "Educaci\xF3n"), (Rows{1, 2, 5}));
  EXPECT_EQ(table->rowsWhere("OFERTAMATRI", "100"), (Rows{0, 1, 3, 5}));
  EXPECT_EQ(table->rowsWhere("COD", ""), Rows{4});
  EXPECT_TRUE(table->rowsWhere("COD", "NADA").empty());
  EXPECT_TRUE(table->rowsWhere("COD", "edu2").empty());
}

TEST_F(DbfLookup, RowsInOrderOfANumberKeepTableOrderForEqualKeys) {
  EXPECT_EQ(table->rowsInOrderOf("ORDEN"), (Rows{3, 4, 1, 5, 0, 2}));
}

TEST_F(DbfLookup, TextCutOnWritingIsFoundOnlyWhenCutTheSameWay) {
  const std::string longName(90, 'n');
  add("LARGO", longName, "1", 1);
  EXPECT_EQ(table->text(6, "NOMBRE"), longName.substr(0, 80));
  EXPECT_EQ(locate({"NOMBRE"}, {longName}), std::nullopt);
  EXPECT_EQ(locate({"NOMBRE"}, {longName.substr(0, 80)}), 6u);
}

TEST_F(DbfLookup, UnknownFieldsAndMismatchedValuesAreRefused) {
  const auto message = [&](const std::function<void()>& call) {
    try {
      call();
    } catch (const TableError& error) {
      return std::string(error.what());
    }
    return std::string();
  };
  EXPECT_EQ(message([&] { locate({"COD", "MATERIA"}, {"A", "B"}); }),
            "La tabla ASIGNOMT2.DBF no tiene el campo MATERIA");
  EXPECT_EQ(message([&] { table->rowsWhere("PROF", "A"); }), "La tabla ASIGNOMT2.DBF no tiene el campo PROF");
  EXPECT_EQ(message([&] { table->rowsInOrderOf("ORDENX"); }), "La tabla ASIGNOMT2.DBF no tiene el campo ORDENX");
  EXPECT_EQ(message([&] { locate({"COD", "NOMBRE"}, {"A"}); }),
            "La búsqueda en la tabla ASIGNOMT2.DBF necesita al menos un campo y un valor por campo");
  EXPECT_EQ(message([&] { table->rowsInOrderOf("COD"); }),
            "'MAT' no es un valor numérico válido (campo COD de la tabla ASIGNOMT2.DBF)");
}

}  // namespace
}  // namespace enlazora::formats
