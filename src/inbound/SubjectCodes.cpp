#include "inbound/SubjectCodes.h"

#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {

constexpr std::size_t kMinLongCode = 5;
constexpr long long kCodeWidth = 10;
constexpr long long kLongCodeFromName = 10;
constexpr long long kCodeFromSingleWord = 6;

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

std::string CodeFromCapitals(std::string_view name) {
  std::string code;
  if (!name.empty() && !isCapital(name.front())) code += name.front();
  return code + text::SoloMayusculas(name);
}

std::string CodeFromWords(std::string_view name) {
  if (name.find(' ') != std::string_view::npos) return std::string(1, name.front()) + text::Iniciales(name);
  return text::Izquierda(name, kCodeFromSingleWord);
}

}  // namespace

SubjectCode SubjectCodeFromName(std::string_view name) {
  std::string code = CodeFromCapitals(name);
  if (code.size() == 1) code = CodeFromWords(name);
  std::string longCode = code.size() >= kMinLongCode ? code : text::Izquierda(name, kLongCodeFromName);
  return {text::Izquierda(code, kCodeWidth), std::move(longCode)};
}

}  // namespace enlazora::inbound
