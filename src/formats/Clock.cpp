#include "formats/Clock.h"

#include <cstdio>
#include <cstdlib>

namespace enlazora::formats {
namespace {
std::optional<std::tm>& fixedMoment() {
  static std::optional<std::tm> moment = [] {
    const char* fromEnvironment = std::getenv("ENLAZORA_RELOJ");
    return fromEnvironment ? ParseMoment(fromEnvironment) : std::nullopt;
  }();
  return moment;
}
}  // namespace

std::tm Now() {
  if (const auto& fixed = fixedMoment()) return *fixed;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

void SetFixedClock(std::optional<std::tm> moment) { fixedMoment() = moment; }

std::optional<std::tm> ParseMoment(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute, &second, &tail) != 6)
    return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) return std::nullopt;
  std::tm moment{};
  moment.tm_year = year - 1900;
  moment.tm_mon = month - 1;
  moment.tm_mday = day;
  moment.tm_hour = hour;
  moment.tm_min = minute;
  moment.tm_sec = second;
  moment.tm_isdst = -1;
  std::tm normalised = moment;
  std::mktime(&normalised);  // fills in the day of the week for formatting
  moment.tm_wday = normalised.tm_wday;
  moment.tm_yday = normalised.tm_yday;
  return moment;
}

}  // namespace enlazora::formats
