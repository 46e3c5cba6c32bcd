#pragma once
// The short code and the long code that a subject's name gives.
#include <string>
#include <string_view>

namespace enlazora::inbound {

struct SubjectCode {
  std::string code;      // at most 10 characters, not yet made unique
  std::string longCode;  // uncut
};

// From the name: its first character when that is no capital A to Z, then its
// capitals A to Z; a code of one character becomes the first character and
// the initials after each blank, or, without a blank, the name's first 6
// characters. The long code is the code when it has 5 or more characters,
// else the name's first 10. The code is then cut to 10.
SubjectCode SubjectCodeFromName(std::string_view name);

}  // namespace enlazora::inbound
