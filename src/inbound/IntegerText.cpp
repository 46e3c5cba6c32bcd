#include "inbound/IntegerText.h"

#include <limits>
#include <string>

#include "inbound/InboundError.h"
#include "text/Windows1252.h"

namespace enlazora::inbound {
namespace {

[[noreturn]] void notAnInteger(std::string_view ansiText) {
  throw InboundError("'" + text::AnsiToUtf8(ansiText) + "' no es un valor entero válido");
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::int32_t ParseInteger(std::string_view ansiText) {
  std::string_view digits = ansiText;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
  if (digits.empty()) notAnInteger(ansiText);
  // The magnitude may reach 2^31 for the most negative value.
  const long long limit = negative ? -static_cast<long long>(std::numeric_limits<std::int32_t>::min())
                                   : std::numeric_limits<std::int32_t>::max();
  long long magnitude = 0;
  for (char c : digits) {
    if (!isDigit(c)) notAnInteger(ansiText);
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) notAnInteger(ansiText);
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace enlazora::inbound
