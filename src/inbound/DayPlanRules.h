#pragma once
// The rules of the day-plan step that stand on their own.
#include <string>

namespace enlazora::inbound {

// Hours and minutes of a minute count, each at least two characters: 510
// gives "08:30", 6000 "100:00". The hours are the floor of m / 60, the minutes
// the remainder with the sign of m.
std::string ClockText(long long minutes);

// Slot numbers by ascending start minute: the first start is slot 1, each
// greater start the next number, an equal start the same one.
class SlotNumbering {
 public:
  long long next(long long start);

 private:
  bool started_ = false;
  long long previousStart_ = 0;
  long long number_ = 1;
};

}  // namespace enlazora::inbound
