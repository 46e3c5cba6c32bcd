#pragma once
// Minutes after midnight of a time text of the time-slot table ("08:30").
#include <string>
#include <string_view>

namespace enlazora::outbound {

// A text shorter than five characters gets one "0" in front, once; then the
// first two characters are the hours and the last two the minutes. "08:30"
// gives 510, "9:05" gives 545 and an empty text 0. Two characters that are no
// whole number raise OutboundError "'%s' no es un valor entero válido".
long long MinutesOfTimeText(std::string_view timeText);

// The same, written in decimal, as the document carries it.
std::string MinutesText(std::string_view timeText);

}  // namespace enlazora::outbound
