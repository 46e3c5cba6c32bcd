// The subject load (ASIGT.DBF): one row per subject record and class unit of
// its course offer.
#include <gtest/gtest.h>

#include "inbound/support/InboundFixture.h"

using namespace enlazora::testing;

TEST(SubjectLoad, OneRowPerSubjectAndClassUnitOfItsOffer) {
  InboundBench bench;
  const std::string longName = "Taller de " + std::string(80, 'x');
  auto document = WithOneDayPlan();
  document.block("CURSOS_DEL_CENTRO", {{"100", "1º ESO"}, {"200", "2º ESO"}})
      .block("UNIDADES", {{"U1", "1º ESO A", "100"},
                          {"U2", "2º ESO A", "200"},
                          {"U3", "1º ESO B", "100"},
                          {"U4", "1º ESO C", "100"},
                          {"U5", "Dibujo A", "12345678901"}})
      .block("MATERIAS", {
                             {"100", "L1", "Lengua"},
                             {"100", "M1", "MATEMÁTICAS"},
                             // Only a to z change case: "matemáticas" is not
                             // "MATEMÁTICAS", so it keeps a code of its own...
                             {"100", "M2", "matemáticas"},
                             {"200", "C1", "LENGUA CASTELLANA"},
                             // ...while this one takes the code of the first
                             // subject with its upper-cased name.
                             {"200", "C2", "lengua castellana"},
                             {"200", "L1", "Lengua"},
                             {"200", "L1", "Lengua"},        // listed twice: rows twice
                             {"300", "X1", "Música"},        // no class unit
                             {"12345678901", "D1", "Dibujo"},  // the units hold the key cut to 10
                             {"200", "T1", longName},        // found by its name cut to 80
                             {"200", "Z1"},                  // two values: no name, no code
                         });
  bench.run(document);

  const std::vector<Values> expected = {
      {"Lengua", "1ºESOA", "L1", "100"},     {"Lengua", "1ºESOB", "L1", "100"},
      {"Lengua", "1ºESOC", "L1", "100"},     {"MATEMTICAS", "1ºESOA", "M1", "100"},
      {"MATEMTICAS", "1ºESOB", "M1", "100"}, {"MATEMTICAS", "1ºESOC", "M1", "100"},
      {"matemá", "1ºESOA", "M2", "100"},     {"matemá", "1ºESOB", "M2", "100"},
      {"matemá", "1ºESOC", "M2", "100"},     {"LENGUACAST", "2ºESOA", "C1", "200"},
      {"LENGUACAST", "2ºESOA", "C2", "200"}, {"Lengua", "2ºESOA", "L1", "200"},
      {"Lengua", "2ºESOA", "L1", "200"},     {"Tdx", "2ºESOA", "T1", "200"},
  };
  EXPECT_EQ(ReadRows(bench.table("ASIGT.DBF"), {"CASIG", "CGRUP", "CLAVE", "CLAVECURSO"}), expected);

  const auto whole = ReadRows(bench.table("ASIGT.DBF"), {"CASIG", "CPROF", "CGRUP", "CAULA", "TURNO", "NIVEL", "CURSO",
                                                          "GRUPO", "HORAS", "SESIONES", "CLAVE", "CLAVECURSO", "CTAREA"});
  ASSERT_FALSE(whole.empty());
  EXPECT_EQ(whole[0], (Values{"Lengua", "", "1ºESOA", "", "", "ESO", "1", "A", "4", "1111", "L1", "100", "1"}));
}

TEST(SubjectLoad, EmptyWithoutSubjectsOrUnits) {
  InboundBench bench;
  auto document = WithOneDayPlan();
  document.block("MATERIAS", {{"100", "L1", "Lengua"}});
  bench.run(document);
  EXPECT_TRUE(ReadRows(bench.table("ASIGT.DBF"), {"CASIG"}).empty());
}
