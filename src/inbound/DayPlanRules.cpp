#include "inbound/DayPlanRules.h"

namespace enlazora::inbound {
namespace {

std::string TwoDigits(long long part) {
  std::string digits = std::to_string(part);
  return digits.size() < 2 ? "0" + digits : digits;
}

long long FloorDivide(long long value, long long divisor) {
  const long long quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

std::string ClockText(long long minutes) {
  return TwoDigits(FloorDivide(minutes, 60)) + ":" + TwoDigits(minutes % 60);
}

long long SlotNumbering::next(long long start) {
  if (!started_) {
    started_ = true;
    previousStart_ = start;
  } else if (start > previousStart_) {
    ++number_;
    previousStart_ = start;
  }
  return number_;
}

}  // namespace enlazora::inbound
