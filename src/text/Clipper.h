#pragma once
// Text helpers shared by the conversions. Texts are 8-bit Windows-1252 strings;
// positions count characters. A blank is only the space (code 32); a capital
// letter is only A to Z.
#include <string>
#include <string_view>

namespace enlazora::text {

std::string QuitaEspaciosDerecha(std::string_view text);
std::string QuitaEspaciosIzquierda(std::string_view text);
std::string QuitaEspacios(std::string_view text);
std::string Izquierda(std::string_view text, long long count);
std::string Derecha(std::string_view text, long long count);
std::string SoloMayusculas(std::string_view text);
std::string Iniciales(std::string_view text);

// Upper-cases only the letters a to z; every other byte stays as it is.
std::string UpperAsciiLetters(std::string_view text);

// Removes leading and trailing characters of code 32 or below.
std::string TrimControlAndBlanks(std::string_view text);

}  // namespace enlazora::text
