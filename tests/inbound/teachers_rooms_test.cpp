// Teachers (PROFT.DBF) and rooms (AULAT.DBF).
#include <gtest/gtest.h>

#include "inbound/support/InboundFixture.h"

using namespace enlazora::testing;

TEST(Teachers, CodesFromInitialsAndNamesSurnamesFirst) {
  InboundBench bench;
  auto document = WithOneDayPlan();
  document.block("EMPLEADOS", {
                                  {"E1", "01/09/2020", "-", "García", "López", "Ana"},
                                  {"E2", "01/09/2021", "-", "Gómez", "Luna", "Alberto"},
                                  {"E3", "", "-", "Gil", "Lara", "Antonio"},
                                  // The list ignores case; the suffix keeps the candidate's letters.
                                  {"E4", "", "-", "gonzález", "lópez", "ana"},
                                  {"E5", "", "-", "Álvarez", "Ruiz", "Eva"},
                                  {"E6", "", "-", "álvarez", "ruiz", "eva"},
                                  {"E7", "", "-", "García", "", "Ana"},
                                  {"E8", "", "-", " Pérez", "Soto ", "Luis"},
                                  {" 123456789012 ", "2020-09-01T00:00", "-", "Ruiz", "Mata", "Juan"},
                                  {"E10", "d", "-", "Ruiz"},  // four values: parts 4 and 5 empty
                                  {"E11", "d"},               // two values: every part empty
                                  {"E12"},                    // one value: skipped
                              });
  bench.run(document);
  const std::vector<Values> expected = {
      {"GLA", "García López, Ana", "", "", "E1", "01/09/2020"},
      {"GLA1", "Gómez Luna, Alberto", "", "", "E2", "01/09/2021"},
      {"GLA2", "Gil Lara, Antonio", "", "", "E3", ""},
      {"gla3", "gonzález lópez, ana", "", "", "E4", ""},
      {"ÁRE", "Álvarez Ruiz, Eva", "", "", "E5", ""},
      {"áre1", "álvarez ruiz, eva", "", "", "E6", ""},
      {"GA", "García , Ana", "", "", "E7", ""},
      {" SL", "Pérez Soto, Luis", "", "", "E8", ""},
      {"RMJ", "Ruiz Mata, Juan", "", "", "1234567890", "2020-09-01"},
      {"R", "Ruiz ,", "", "", "E10", "d"},
      {"", " ,", "", "", "E11", "d"},
  };
  EXPECT_EQ(ReadRows(bench.table("PROFT.DBF"), {"ABREV", "NOMBRE", "DEPART", "DNI", "X_EMPLEADO", "F_TOMAPOS"}),
            expected);
}

TEST(Rooms, CodesKeepTheirLastFourCharacters) {
  InboundBench bench;
  auto document = WithOneDayPlan();
  document.block("DEPENDENCIAS", {
                                     {" 1001 ", "Aula 1"},
                                     {"1001", "Aula 1 bis"},
                                     {"1001", "Aula 1 ter", "ignored"},
                                     {"", "Laboratorio"},
                                     {"aula", "Aula grande"},
                                     {"AULA", "Aula pequeña"},
                                     {"BULA1", "Otra"},
                                     {"123456789012", "Gimnasio"},
                                     {"", ""},
                                     {"", ""},
                                     {"9999"},  // one value: skipped
                                 });
  bench.run(document);
  const std::vector<Values> expected = {
      {"1001", "Aula 1", "", "", "1001"},
      {"0011", "Aula 1 bis", "", "", "1001"},
      {"0012", "Aula 1 ter", "", "", "1001"},
      {"bora", "Laboratorio", "", "", ""},
      {"aula", "Aula grande", "", "", "aula"},
      {"ULA1", "Aula pequeña", "", "", "AULA"},
      {"ULA1", "Otra", "", "", "BULA1"},  // ABREV is not made unique again
      {"9012", "Gimnasio", "", "", "1234567890"},
      {"", "", "", "", ""},
      {"1", "", "", "", ""},
  };
  EXPECT_EQ(ReadRows(bench.table("AULAT.DBF"), {"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "DEPCENTRO"}),
            expected);
}
