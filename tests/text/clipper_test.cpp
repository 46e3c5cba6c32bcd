#include <gtest/gtest.h>

#include "text/Clipper.h"

using namespace enlazora::text;

TEST(Clipper, QuitaEspaciosTrimsOnlyCode32) {
  EXPECT_EQ(QuitaEspacios(""), "");
  EXPECT_EQ(QuitaEspacios("    "), "");
  EXPECT_EQ(QuitaEspacios("  Aula 3  "), "Aula 3");
  EXPECT_EQ(QuitaEspacios("abc \t"), "abc \t");
  EXPECT_EQ(QuitaEspacios("\xA0x\xA0"), "\xA0x\xA0");  // no-break space is ordinary
  EXPECT_EQ(QuitaEspaciosDerecha("  a  "), "  a");
  EXPECT_EQ(QuitaEspaciosIzquierda("  a  "), "a  ");
}

TEST(Clipper, IzquierdaAndDerecha) {
  struct Case { const char* text; long long n; const char* left; const char* right; };
  const Case cases[] = {
      {"abc", 2, "ab", "bc"},   {"abc", 3, "abc", "abc"}, {"abc", 5, "abc", "abc"},
      {"abc", 0, "", ""},       {"abc", -1, "", ""},      {"abcdef", 4, "abcd", "cdef"},
      {"abcdef", 6, "abcdef", "abcdef"}, {"", 2, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Izquierda(c.text, c.n), c.left) << c.text << " " << c.n;
    EXPECT_EQ(Derecha(c.text, c.n), c.right) << c.text << " " << c.n;
  }
}

TEST(Clipper, SoloMayusculasTakesOnlyAtoZ) {
  EXPECT_EQ(SoloMayusculas("Educaci\xF3n F\xEDsica"), "EF");
  EXPECT_EQ(SoloMayusculas("EDUCACI\xD3N F\xCDSICA"), "EDUCACINFSICA");
  EXPECT_EQ(SoloMayusculas("matem\xE1ticas"), "");
  EXPECT_EQ(SoloMayusculas("\xD1U"), "U");
}

TEST(Clipper, InicialesFollowEachBlank) {
  EXPECT_EQ(Iniciales("Lengua castellana y literatura"), "cyl");
  EXPECT_EQ(Iniciales("Lengua  Castellana"), " C");
  EXPECT_EQ(Iniciales("M\xFAsica"), "");
  EXPECT_EQ(Iniciales("Historia "), "");
  EXPECT_EQ(Iniciales(""), "");
}

TEST(Clipper, TrimControlAndBlanksRemovesCodes32AndBelow) {
  EXPECT_EQ(TrimControlAndBlanks(" \t\r\nJ1 \x01"), "J1");
  EXPECT_EQ(TrimControlAndBlanks("A B"), "A B");
  EXPECT_EQ(UpperAsciiLetters("lengua \xE1rbol"), "LENGUA \xE1RBOL");
}
