#include "outbound/TimeMinutes.h"

#include "outbound/OutboundError.h"
#include "text/Clipper.h"
#include "text/Windows1252.h"

namespace enlazora::outbound {
namespace {

// A whole number as the host's run time reads one: blanks in front, an
// optional sign, then decimal digits and nothing else.
long long WholeNumber(const std::string& digits) {
  std::size_t position = 0;
  while (position < digits.size() && digits[position] == ' ') ++position;
  bool negative = false;
  if (position < digits.size() && (digits[position] == '+' || digits[position] == '-')) {
    negative = digits[position] == '-';
    ++position;
  }
  if (position == digits.size())
    throw OutboundError("'" + text::AnsiToUtf8(digits) + "' no es un valor entero válido");
  long long value = 0;
  for (; position < digits.size(); ++position) {
    const char digit = digits[position];
    if (digit < '0' || digit > '9')
      throw OutboundError("'" + text::AnsiToUtf8(digits) + "' no es un valor entero válido");
    value = value * 10 + (digit - '0');  // two characters at most: no overflow
  }
  return negative ? -value : value;
}

}  // namespace

long long MinutesOfTimeText(std::string_view timeText) {
  std::string padded(timeText);
  if (padded.size() < 5) padded.insert(padded.begin(), '0');
  const long long hours = WholeNumber(text::Izquierda(padded, 2));
  const long long minutes = WholeNumber(text::Derecha(padded, 2));
  return hours * 60 + minutes;
}

std::string MinutesText(std::string_view timeText) { return std::to_string(MinutesOfTimeText(timeText)); }

}  // namespace enlazora::outbound
