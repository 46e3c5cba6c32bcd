#pragma once
// The integer parser of the steps that read numbers from the document: an
// optional sign and decimal digits, within the 32-bit range.
#include <cstdint>
#include <string_view>

namespace enlazora::inbound {

// Raises InboundError "'%s' no es un valor entero válido" with the text (a
// Windows-1252 text, shown as UTF-8) for anything else, the empty text
// included.
std::int32_t ParseInteger(std::string_view ansiText);

}  // namespace enlazora::inbound
