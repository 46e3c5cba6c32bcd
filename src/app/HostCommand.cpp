#include "app/HostCommand.h"

namespace enlazora::app {
namespace {

std::string LowerAsciiLetters(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

HostAction HostCommand::action() const {
  if (actionWord == "importar") return HostAction::Importar;
  if (actionWord == "exportar") return HostAction::Exportar;
  return HostAction::None;
}

std::optional<HostCommand> HostCommandFrom(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) return std::nullopt;
  return HostCommand{LowerAsciiLetters(arguments[0]), arguments[1]};
}

std::uint32_t ParseHostHandle(std::string_view handleText) {
  const std::string converted = "$" + std::string(handleText);
  const auto invalid = [&converted]() { return HandleError("'" + converted + "' no es un valor entero válido"); };
  if (handleText.empty()) throw invalid();
  std::uint64_t value = 0;
  for (const char c : handleText) {
    const int digit = HexDigitValue(c);
    if (digit < 0) throw invalid();
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) throw invalid();
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace enlazora::app
