#pragma once
// A list of the short codes given so far, and the rule that makes a new code
// unique against it: a numeric suffix 1, 2, ... until the code is free, then,
// where the list shortens, a result over 10 characters becomes its first 8 and
// last 2 characters (not looked up again).
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace enlazora::formats {

enum class LetterCase { Sensitive, Ignored };
enum class LongCodes { Shortened, KeptWhole };

class CodeList {
 public:
  explicit CodeList(LetterCase letterCase, LongCodes longCodes = LongCodes::Shortened);

  bool contains(std::string_view code) const;
  void add(std::string_view code);

  // Makes the candidate unique, adds the result to the list and returns it.
  std::string makeUnique(std::string_view candidate);

 private:
  std::string keyOf(std::string_view code) const;

  LetterCase letterCase_;
  LongCodes longCodes_;
  std::unordered_set<std::string> codes_;
  std::unordered_map<std::string, unsigned long> nextSuffix_;
};

// The shortening of a code over 10 characters: its first 8 and last 2.
std::string ShortenCode(std::string_view code);

}  // namespace enlazora::formats
