#include "text/Clipper.h"

namespace enlazora::text {
namespace {
constexpr char kBlank = ' ';

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
}  // namespace

std::string QuitaEspaciosDerecha(std::string_view text) {
  while (!text.empty() && text.back() == kBlank) text.remove_suffix(1);
  return std::string(text);
}

std::string QuitaEspaciosIzquierda(std::string_view text) {
  while (!text.empty() && text.front() == kBlank) text.remove_prefix(1);
  return std::string(text);
}

std::string QuitaEspacios(std::string_view text) {
  return QuitaEspaciosIzquierda(QuitaEspaciosDerecha(text));
}

std::string Izquierda(std::string_view text, long long count) {
  if (count <= 0) return {};
  if (static_cast<unsigned long long>(count) < text.size()) return std::string(text.substr(0, count));
  return std::string(text);
}

std::string Derecha(std::string_view text, long long count) {
  if (count <= 0) return {};
  if (static_cast<unsigned long long>(count) < text.size())
    return std::string(text.substr(text.size() - static_cast<std::size_t>(count)));
  return std::string(text);
}

std::string SoloMayusculas(std::string_view text) {
  std::string capitals;
  for (char c : text)
    if (isCapital(c)) capitals += c;
  return capitals;
}

std::string Iniciales(std::string_view text) {
  std::string initials;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == kBlank) initials += text[i + 1];
  return initials;
}

std::string UpperAsciiLetters(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::string TrimControlAndBlanks(std::string_view text) {
  auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && isTrimmed(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace enlazora::text
