// The integer parser and the clock text of the day-plan step.
#include <gtest/gtest.h>

#include "inbound/DayPlanRules.h"
#include "inbound/InboundError.h"
#include "inbound/IntegerText.h"

using namespace enlazora::inbound;

TEST(IntegerText, SignAndDecimalDigitsWithin32Bits) {
  const std::vector<std::pair<std::string, int>> good = {
      {"0", 0}, {"007", 7}, {"+5", 5}, {"-12", -12}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"00000000000000000042", 42}};
  for (const auto& [textValue, value] : good) EXPECT_EQ(ParseInteger(textValue), value) << textValue;

  const std::vector<std::string> bad = {"", "-", "+", " 1", "1 ", "1a", "0x10", "1.0", "2147483648", "-2147483649",
                                        "99999999999999999999", "--1", "8:00"};
  for (const auto& textValue : bad) {
    try {
      ParseInteger(textValue);
      ADD_FAILURE() << "accepted '" << textValue << "'";
    } catch (const InboundError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + textValue + "' no es un valor entero válido");
    }
  }
}

TEST(IntegerText, MessageShowsTheTextAsUtf8) {
  try {
    ParseInteger("a\xF1o");  // "año" in Windows-1252
    FAIL();
  } catch (const InboundError& error) {
    EXPECT_STREQ(error.what(), "'año' no es un valor entero válido");
  }
}

TEST(DayPlanRules, ClockTextOfMinuteCounts) {
  const std::vector<std::pair<long long, std::string>> cases = {
      {510, "08:30"}, {0, "00:00"},    {1439, "23:59"},  {6000, "100:00"}, {540, "09:00"},
      {5, "00:05"},   {-10, "-1:-10"}, {-60, "-1:00"},   {-61, "-2:-1"},   {600, "10:00"}};
  for (const auto& [minutes, clock] : cases) EXPECT_EQ(ClockText(minutes), clock) << minutes;
}

TEST(DayPlanRules, SlotNumbersGrowWithGreaterStarts) {
  SlotNumbering numbering;
  std::vector<long long> numbers;
  for (long long start : {480, 480, 540, 540, 600, 600}) numbers.push_back(numbering.next(start));
  EXPECT_EQ(numbers, (std::vector<long long>{1, 1, 2, 2, 3, 3}));
}
