#include <gtest/gtest.h>

#include <clocale>

#include "formats/Clock.h"
#include "outbound/HeaderDate.h"
#include "outbound/OutboundError.h"
#include "outbound/TimeMinutes.h"

namespace enlazora::outbound {
namespace {

TEST(TimeMinutes, HoursAndMinutesOfATimeText) {
  const std::vector<std::pair<std::string, long long>> cases = {
      {"08:30", 510}, {"09:25", 565}, {"9:05", 545},  {"", 0},      {"23:59", 1439},
      {"100:00", 600}, {"1", 61},     {" 8:30", 510}, {"0830", 30},  {"-1:30", -30},
  };
  for (const auto& [timeText, minutes] : cases) EXPECT_EQ(MinutesOfTimeText(timeText), minutes) << timeText;
  EXPECT_EQ(MinutesText("08:30"), "510");
}

TEST(TimeMinutes, TwoCharactersThatAreNoNumberStop) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ab:30", "'ab' no es un valor entero válido"},
      {"08:3x", "'3x' no es un valor entero válido"},
      {"8:", "'8:' no es un valor entero válido"},
      {"8:5", "':5' no es un valor entero válido"},
      {"08:\xBA" "0", "'\xC2\xBA" "0' no es un valor entero válido"},
  };
  for (const auto& [timeText, message] : cases) {
    try {
      MinutesOfTimeText(timeText);
      ADD_FAILURE() << timeText;
    } catch (const OutboundError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

TEST(HeaderDate, ShortDateBlankLongTimeOfTheLocale) {
  std::setlocale(LC_TIME, "C");
  EXPECT_EQ(FechaText(*formats::ParseMoment("2025-12-24 09:05:07")), "12/24/25 09:05:07");
}

}  // namespace
}  // namespace enlazora::outbound
