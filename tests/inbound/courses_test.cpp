// Courses (CURSOST.DBF) with the level reference table, and class units
// (GRUPOST.DBF).
#include <gtest/gtest.h>

#include "inbound/support/InboundFixture.h"

using namespace enlazora::testing;

namespace {

DocumentBuilder CoursesAndUnits() {
  auto document = WithOneDayPlan();
  document
      .block("CURSOS_DEL_CENTRO", {
                                      {"1", "1º ESO"},
                                      {" 007 ", "2º Bachillerato"},  // looked up as 7
                                      {"3", "1º FP"},                // level empty in the table
                                      {"4", "3º ESO"},               // studies empty in the table
                                      {"99", "4º ESO"},              // not in the table
                                      {"00000000042", "5º"},         // stored cut to 10
                                      {"5"},                         // one value: skipped
                                  })
      .block("UNIDADES", {
                             {"U1", "1º ESO A", "1"},
                             {"U2", "2º Bachillerato Ciencias B", "007"},
                             {"U3", "ABCDE FGHIJ", "3"},
                             {"U4", "Grupo X", "999"},
                             {"U5", "3º ESO A", "4"},
                             {"U6", "1º ESO A", "1"},
                             {"U7", "1ESO BACHI A", "1"},
                             {"U8", "1ESO BACHI A", "1"},
                             {"U9", "Grupo sin curso"},  // two values: no course key
                             {"U10", "4º X", "00000000042"},
                             {"U11"},  // one value: skipped
                             {"U12", "grupox", "99"},
                         });
  return document;
}

}  // namespace

TEST(Courses, LevelAndStudiesComeFromTheLevelTable) {
  InboundBench bench;
  WriteLevelTable(bench.levelTable(), {{1, "ESO", "Educación Secundaria Obligatoria"},
                                       {7, "BACH", "Bachillerato"},
                                       {3, "", "Formación Profesional"},
                                       {4, "ESO", ""},
                                       {1, "OTRO", "Otro estudio"}});
  bench.run(CoursesAndUnits());
  const std::vector<Values> courses = {
      {"", "", "ESO", "1", "1", "Educación Secundaria Obligatoria"},
      {"", "", "BACH", "2", "007", "Bachillerato"},
      {"", "", "Niv", "1", "3", "Formación Profesional"},
      {"", "", "ESO", "3", "4", ""},
      {"", "", "Niv", "4", "99", ""},
      {"", "", "Niv", "5", "0000000004", ""},
  };
  EXPECT_EQ(ReadRows(bench.table("CURSOST.DBF"), {"ABREV", "TURNO", "NIVEL", "CURSO", "CLAVE", "ESTUD"}), courses);

  const std::vector<Values> units = {
      {"1ºESOA", "", "ESO", "1", "A", "U1", "1", "(1º ESO A) Educación Secundaria Obligatoria"},
      {"2ºBachillB", "", "BACH", "2", "B", "U2", "007", "(2º Bachillerato Ciencias B) Bachillerato"},
      {"ABCDEFGHIJ", "", "Niv", "1", "J", "U3", "3", "(ABCDE FGHIJ) Formación Profesional"},
      {"GrupoX", "", "", "", "X", "U4", "999", "   X"},
      {"3ºESOA", "", "ESO", "3", "A", "U5", "4", " ESO 3 A"},
      {"1ºESOA1", "", "ESO", "1", "A", "U6", "1", "(1º ESO A) Educación Secundaria Obligatoria"},
      {"1ESOBACHIA", "", "ESO", "1", "A", "U7", "1", "(1ESO BACHI A) Educación Secundaria Obligatoria"},
      {"1ESOBACHA1", "", "ESO", "1", "A", "U8", "1", "(1ESO BACHI A) Educación Secundaria Obligatoria"},
      {"Gruposinco", "", "", "", "o", "U9", "", "   o"},
      {"4ºX", "", "", "", "X", "U10", "0000000004", "   X"},
      {"grupox1", "", "Niv", "4", "x", "U12", "99", " Niv 4 x"},
  };
  EXPECT_EQ(ReadRows(bench.table("GRUPOST.DBF"),
                     {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "CLAVE", "CLAVECURSO", "DESCRIP"}),
            units);
}

TEST(Courses, WithoutCoursesEveryUnitHasBlanksAndItsGroupLetter) {
  InboundBench bench;
  auto document = WithOneDayPlan();
  document.block("UNIDADES", {{"U1", "1º ESO A", "1"}});
  bench.run(document);
  EXPECT_TRUE(ReadRows(bench.table("CURSOST.DBF"), {"CLAVE"}).empty());
  EXPECT_EQ(ReadRows(bench.table("GRUPOST.DBF"), {"NIVEL", "CURSO", "DESCRIP"}), (std::vector<Values>{{"", "", "   A"}}));
}
