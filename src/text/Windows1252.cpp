#include "text/Windows1252.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace enlazora::text {
namespace {

// Code points of bytes 0x80 to 0x9F. The five bytes that Windows-1252 leaves
// undefined map to the C1 control of the same value, as the system does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

const std::unordered_map<char32_t, unsigned char>& bytesOfHighControls() {
  static const auto table = [] {
    std::unordered_map<char32_t, unsigned char> map;
    for (unsigned i = 0; i < kHighControls.size(); ++i)
      map.emplace(kHighControls[i], static_cast<unsigned char>(0x80 + i));
    return map;
  }();
  return table;
}

char byteOf(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
  const auto& table = bytesOfHighControls();
  if (auto found = table.find(codePoint); found != table.end()) return static_cast<char>(found->second);
  return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Malformed input gives
// U+FFFD and advances one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
  if (extra == 0) {
    ++pos;
    return lead;
  }
  if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t cp = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  pos += static_cast<std::size_t>(extra) + 1;
  return cp;
}

unsigned char upperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
  }
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string ansi;
  ansi.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) ansi += byteOf(decodeUtf8(utf8, pos));
  return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size() + ansi.size() / 4);
  for (char c : ansi) appendUtf8(utf8, codePointOf(static_cast<unsigned char>(c)));
  return utf8;
}

std::string UpperAnsi(std::string_view ansi) {
  std::string upper(ansi);
  for (char& c : upper) c = static_cast<char>(upperByte(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace enlazora::text
