#pragma once
// A field of a dBase table: name, type letter, length and decimals.
#include <string>

namespace enlazora::formats {

struct FieldDef {
  std::string name;
  char type = 'C';  // C, N, F, L, D, I, O, B, ... as stored in the file
  int length = 0;
  int decimals = 0;

  static FieldDef character(std::string name, int width) { return {std::move(name), 'C', width, 0}; }
  static FieldDef integer(std::string name) { return {std::move(name), 'I', 4, 0}; }
  static FieldDef floating(std::string name) { return {std::move(name), 'O', 8, 0}; }
  static FieldDef logical(std::string name) { return {std::move(name), 'L', 1, 0}; }
};

}  // namespace enlazora::formats
