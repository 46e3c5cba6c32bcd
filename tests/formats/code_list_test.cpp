#include <gtest/gtest.h>

#include <vector>

#include "formats/CodeList.h"

using namespace enlazora::formats;

struct UniqueCase {
  LetterCase letterCase;
  LongCodes longCodes;
  std::vector<std::string> candidates;
  std::vector<std::string> codes;
};

TEST(CodeList, MakesCodesUnique) {
  const std::vector<UniqueCase> cases = {
      {LetterCase::Sensitive, LongCodes::Shortened, {"AB", "AB1", "AB"}, {"AB", "AB1", "AB2"}},
      {LetterCase::Sensitive, LongCodes::Shortened, {"ABCDEFGHIJ", "ABCDEFGHIJ"}, {"ABCDEFGHIJ", "ABCDEFGHJ1"}},
      // The shortened code is not looked up again.
      {LetterCase::Sensitive, LongCodes::Shortened,
       {"EDUCACINFS", "EDUCACINFS", "EDUCACINFS"}, {"EDUCACINFS", "EDUCACINS1", "EDUCACINS1"}},
      {LetterCase::Sensitive, LongCodes::Shortened, {"LC", "lc", "LC"}, {"LC", "lc", "LC1"}},
      {LetterCase::Ignored, LongCodes::Shortened, {"GLA", "gla", "GLA"}, {"GLA", "gla1", "GLA2"}},
      {LetterCase::Ignored, LongCodes::Shortened, {"\xC1" "B", "\xE1" "b"}, {"\xC1" "B", "\xE1" "b1"}},
      {LetterCase::Ignored, LongCodes::KeptWhole, {"aula", "AULA"}, {"aula", "AULA1"}},
      {LetterCase::Ignored, LongCodes::KeptWhole, {"1001", "1001", "1001"}, {"1001", "10011", "10012"}},
      {LetterCase::Ignored, LongCodes::KeptWhole, {"", ""}, {"", "1"}},
      {LetterCase::Ignored, LongCodes::KeptWhole, {"ABCDEFGHIJKL", "ABCDEFGHIJKL"}, {"ABCDEFGHIJKL", "ABCDEFGHIJKL1"}},
      {LetterCase::Sensitive, LongCodes::Shortened, {"1ESOBACHIA", "1ESOBACHIA"}, {"1ESOBACHIA", "1ESOBACHA1"}},
  };
  for (const auto& c : cases) {
    CodeList list(c.letterCase, c.longCodes);
    for (std::size_t i = 0; i < c.candidates.size(); ++i)
      EXPECT_EQ(list.makeUnique(c.candidates[i]), c.codes[i]) << "candidate " << i << " " << c.candidates[i];
  }
}

TEST(CodeList, SuffixSearchSkipsCodesTakenLater) {
  CodeList list(LetterCase::Sensitive);
  EXPECT_EQ(list.makeUnique("X"), "X");
  EXPECT_EQ(list.makeUnique("X"), "X1");
  list.add("X2");
  EXPECT_EQ(list.makeUnique("X"), "X3");
}
