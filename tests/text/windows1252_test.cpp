#include <gtest/gtest.h>

#include "text/Windows1252.h"

using namespace enlazora::text;

TEST(Windows1252, RoundTripsEveryDefinedByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(Windows1252, ConvertsSpanishTextAndMarksMissingCharacters) {
  EXPECT_EQ(Utf8ToAnsi("Educación física 1º ñ €"), "Educaci\xF3n f\xEDsica 1\xBA \xF1 \x80");
  EXPECT_EQ(AnsiToUtf8("Espa\xF1" "a \x93" "x\x94"), "España “x”");
  EXPECT_EQ(Utf8ToAnsi("Ω→😀"), "???");
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");  // a sequence cut short
  EXPECT_EQ(Utf8ToAnsi("\xFF" "b"), "?b");
}

TEST(Windows1252, UpperAnsiFoldsAccentedLetters) {
  EXPECT_EQ(UpperAnsi("\xE1\xE9\xED\xF3\xFA\xF1\xFC az"), "\xC1\xC9\xCD\xD3\xDA\xD1\xDC AZ");
  EXPECT_EQ(UpperAnsi("\xF7\xDF\xB5"), "\xF7\xDF\xB5");  // ÷ ß µ stay
  EXPECT_EQ(UpperAnsi("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");
}
