#include "formats/dbf/FieldNames.h"

#include <algorithm>

namespace enlazora::formats::dbf {
namespace {
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}
}  // namespace

FieldNames::FieldNames(std::vector<std::string> names) : names_(std::move(names)) {
  for (std::size_t i = 0; i < names_.size(); ++i) exact_.try_emplace(names_[i], i);  // the first of equal names
}

std::optional<std::size_t> FieldNames::find(std::string_view name) const {
  if (const auto found = exact_.find(name); found != exact_.end()) return found->second;
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (SameIgnoringCase(names_[i], name)) return i;
  return std::nullopt;
}

}  // namespace enlazora::formats::dbf
