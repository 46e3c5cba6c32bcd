#include "formats/CodeList.h"

#include "text/Windows1252.h"


namespace enlazora::formats {
namespace {
constexpr std::size_t kMaxCodeLength = 10;
}

std::string ShortenCode(std::string_view code) {
  if (code.size() <= kMaxCodeLength) return std::string(code);
  return std::string(code.substr(0, 8)) + std::string(code.substr(code.size() - 2));
}

CodeList::CodeList(LetterCase letterCase, LongCodes longCodes)
    : letterCase_(letterCase), longCodes_(longCodes) {}

std::string CodeList::keyOf(std::string_view code) const {
  return letterCase_ == LetterCase::Ignored ? text::UpperAnsi(code) : std::string(code);
}

bool CodeList::contains(std::string_view code) const { return codes_.contains(keyOf(code)); }

void CodeList::add(std::string_view code) { codes_.insert(keyOf(code)); }

std::string CodeList::makeUnique(std::string_view candidate) {
  std::string code(candidate);
  if (contains(code)) {
    // Codes are never removed, so a suffix found taken once stays taken: the
    // search for this candidate goes on where the last one stopped.
    // The free suffix found is kept: when its code is shortened, the whole
    // code stays free and the next search finds it again.
    unsigned long& suffix = nextSuffix_.try_emplace(keyOf(candidate), 1).first->second;
    for (code = std::string(candidate) + std::to_string(suffix); contains(code);
         code = std::string(candidate) + std::to_string(++suffix)) {
    }
  }
  if (longCodes_ == LongCodes::Shortened) code = ShortenCode(code);
  add(code);
  return code;
}

}  // namespace enlazora::formats
