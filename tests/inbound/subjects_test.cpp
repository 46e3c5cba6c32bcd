// Subjects and activities: ASIGNOMT.DBF and ASIGNOMT2.DBF.
#include <gtest/gtest.h>

#include "inbound/support/InboundFixture.h"

using namespace enlazora::testing;

namespace {
const std::vector<std::string> kSubjectFields = {"COD", "CODLARGO", "NOMBRE", "CODTAREA", "ESTAREA"};
const std::vector<std::string> kOfferFields = {"COD",         "CODLARGO", "NOMBRE", "MATERIA",
                                               "OFERTAMATRI", "CODTAREA", "ESTAREA"};
}  // namespace

TEST(Subjects, WorkedExamplesGiveCodesAndOfferRows) {
  InboundBench bench;
  auto document = WithOneDayPlan();
  document.block("MATERIAS", {
                                 {"10", "1", "Matemáticas"},
                                 {"10", "2", "Lengua Castellana y Literatura"},
                                 {"10", "3", "Lengua Catalana"},
                                 {"10", "14", "Lengua Cooficial"},
                                 {"10", "5", "matemáticas aplicadas"},
                                 {"10", "7", "Educación física"},
                                 {"10", "8", "EDUCACIÓN FÍSICA"},
                                 {"10", "9", "EDUCACIÓN FÍSICA Y DEPORTES"},
                                 {"11", "1", "Matemáticas"},
                                 {"10", "1", "Matemáticas"},
                                 {"10", "12", "1º Bachillerato"},
                                 // Its long code "Educación " ends in a blank: the
                                 // subject is still found for a further offer.
                                 {"11", "7", "Educación física"},
                                 {"10", "15", "EDUCACIÓN FÍSICA II"},
                                 {"10", "16", "  Tecnología  "},
                                 {"10"},        // one value: skipped
                                 {"10", "20"},  // two values: an empty name
                             });
  bench.run(document);

  const std::vector<Values> subjects = {
      {"Matemá", "Matemá", "Matemáticas", "", "F"},
      {"LCL", "Lengua Cas", "Lengua Castellana y Literatura", "", "F"},
      {"LC", "Lengua Cat", "Lengua Catalana", "", "F"},
      {"LC1", "Lengua Coo", "Lengua Cooficial", "", "F"},
      {"ma", "matemática", "matemáticas aplicadas", "", "F"},
      {"Ef", "Educación", "Educación física", "", "F"},
      {"EDUCACINFS", "EDUCACINFS", "EDUCACIÓN FÍSICA", "", "F"},
      {"EDUCACINS1", "EDUCACINFS", "EDUCACIÓN FÍSICA Y DEPORTES", "", "F"},
      {"1B", "1º Bachill", "1º Bachillerato", "", "F"},
      {"EDUCACINS1", "EDUCACINFS", "EDUCACIÓN FÍSICA II", "", "F"},
      {"Tecnol", "Tecnol", "Tecnología", "", "F"},
      {"", "", "", "", "F"},
  };
  EXPECT_EQ(ReadRows(bench.table("ASIGNOMT.DBF"), kSubjectFields), subjects);

  const std::vector<Values> offers = {
      {"Matemá", "Matemá", "Matemáticas", "1", "10", "", "F"},
      {"LCL", "Lengua Cas", "Lengua Castellana y Literatura", "2", "10", "", "F"},
      {"LC", "Lengua Cat", "Lengua Catalana", "3", "10", "", "F"},
      {"LC1", "Lengua Coo", "Lengua Cooficial", "14", "10", "", "F"},
      {"ma", "matemática", "matemáticas aplicadas", "5", "10", "", "F"},
      {"Ef", "Educación", "Educación física", "7", "10", "", "F"},
      {"EDUCACINFS", "EDUCACINFS", "EDUCACIÓN FÍSICA", "8", "10", "", "F"},
      {"EDUCACINS1", "EDUCACINFS", "EDUCACIÓN FÍSICA Y DEPORTES", "9", "10", "", "F"},
      {"Matemá", "Matemá", "Matemáticas", "1", "11", "", "F"},
      {"1B", "1º Bachill", "1º Bachillerato", "12", "10", "", "F"},
      {"Ef", "Educación", "Educación física", "7", "11", "", "F"},
      {"EDUCACINS1", "EDUCACINFS", "EDUCACIÓN FÍSICA II", "15", "10", "", "F"},
      {"Tecnol", "Tecnol", "Tecnología", "16", "10", "", "F"},
      {"", "", "", "20", "10", "", "F"},
  };
  EXPECT_EQ(ReadRows(bench.table("ASIGNOMT2.DBF"), kOfferFields), offers);
}

TEST(Subjects, LongNamesAndKeysAreFoundByWhatTheFieldsHold) {
  InboundBench bench;
  const std::string longName = "Taller de " + std::string(80, 'x');  // 90 characters
  const std::string longKey = "1234567890123456789012";              // 22 characters, MATERIA holds 20
  auto document = WithOneDayPlan();
  document.block("MATERIAS", {
                                 {"10", "1", longName},
                                 {"11", "1", longName},  // found by its name cut to 80
                                 {"10", longKey, "Música"},
                                 {"11", longKey, "Música"},
                                 // The key as read is not cut, so it never equals
                                 // the stored one: one more row.
                                 {"11", longKey, "Música"},
                             });
  bench.run(document);
  const auto offers = ReadRows(bench.table("ASIGNOMT2.DBF"), {"COD", "NOMBRE", "MATERIA", "OFERTAMATRI"});
  const std::vector<Values> expected = {
      {"Tdx", longName.substr(0, 80), "1", "10"},
      {"Tdx", longName.substr(0, 80), "1", "11"},
      {"Música", "Música", longKey.substr(0, 20), "10"},
      {"Música", "Música", longKey.substr(0, 20), "11"},
      {"Música", "Música", longKey.substr(0, 20), "11"},
  };
  EXPECT_EQ(offers, expected);
  EXPECT_EQ(ReadRows(bench.table("ASIGNOMT.DBF"), {"COD"}).size(), 2u);
}

TEST(Activities, AreAddedAsTasksWithoutComparison) {
  InboundBench bench;
  auto document = WithOneDayPlan();
  document.block("MATERIAS", {{"10", "1", "Guardia"}})
      .block("ACTIVIDADES", {
                                {"0", " A1 ", " Guardia "},
                                {"0", "ACT-LARGA-12", "Reunión de departamento"},
                                {"9", "A1", "Guardia"},  // repeated: repeated row
                                {"0", "A3"},             // two values: an empty name
                                {"A4"},                  // one value: skipped
                            });
  bench.run(document);
  const std::vector<Values> expected = {
      {"Guardi", "Guardi", "Guardia", "", "F"},
      {"A1", "Guardia", "Guardia", "A1", "T"},
      {"ACT-LARGA-", "Reunión de", "Reunión de departamento", "ACT-LARGA-", "T"},
      {"A1", "Guardia", "Guardia", "A1", "T"},
      {"A3", "", "", "A3", "T"},
  };
  EXPECT_EQ(ReadRows(bench.table("ASIGNOMT.DBF"), kSubjectFields), expected);
  EXPECT_EQ(ReadRows(bench.table("ASIGNOMT2.DBF"), {"COD"}).size(), 1u);
}

TEST(Subjects, WithoutBlocksTheTablesAreEmpty) {
  InboundBench bench;
  const auto result = bench.run(WithOneDayPlan());
  EXPECT_TRUE(ReadRows(bench.table("ASIGNOMT.DBF"), kSubjectFields).empty());
  EXPECT_TRUE(ReadRows(bench.table("ASIGNOMT2.DBF"), kOfferFields).empty());
  ASSERT_GE(result.tables.size(), 2u);
  EXPECT_EQ(result.tables[0].table, "ASIGNOMT.DBF");
  EXPECT_EQ(result.tables[0].rows, 0u);
}
