#pragma once
// Conversion between the exchange document's Unicode (UTF-8 in memory) and the
// 8-bit Windows-1252 text that the tables and the text helpers work on.
#include <string>
#include <string_view>

namespace enlazora::text {

// A character that Windows-1252 lacks becomes "?". Malformed UTF-8 bytes too.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

// Upper-cases as the Windows locale does for Windows-1252 text: A-Z and the
// accented Latin letters with their lower-case forms (á/Á, ñ/Ñ, ...).
std::string UpperAnsi(std::string_view ansi);

}  // namespace enlazora::text
