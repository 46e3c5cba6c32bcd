#pragma once
// The one clock for the dates and times that written files carry (a table's
// header date, the document's fecha). Tests set it, in process with SetFixed
// or from outside with ENLAZORA_RELOJ="AAAA-MM-DD hh:mm:ss", so that written
// files compare byte for byte.
#include <ctime>
#include <optional>
#include <string>

namespace enlazora::formats {

// The current local date and time.
std::tm Now();

// Fixes the clock at a moment; nothing lets it run again.
void SetFixedClock(std::optional<std::tm> moment);

// Parses "AAAA-MM-DD hh:mm:ss"; nothing when the text has another form.
std::optional<std::tm> ParseMoment(const std::string& text);

}  // namespace enlazora::formats
