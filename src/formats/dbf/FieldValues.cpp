#include "formats/dbf/FieldValues.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "formats/dbf/ByteOrder.h"
#include "formats/dbf/TableMessages.h"

namespace enlazora::formats::dbf {
namespace {
constexpr std::uint32_t kLongSignFlip = 0x80000000u;
constexpr std::uint64_t kDoubleSign = 0x8000000000000000ull;

bool IsPad(char c) { return c == ' ' || c == '\0'; }

std::string_view TrimmedBoth(std::string_view bytes) {
  while (!bytes.empty() && IsPad(bytes.front())) bytes.remove_prefix(1);
  while (!bytes.empty() && IsPad(bytes.back())) bytes.remove_suffix(1);
  return bytes;
}

bool AllZero(std::string_view bytes) {
  for (char c : bytes)
    if (c != '\0') return false;
  return true;
}

bool IsTrueLetter(char c) { return c == 'T' || c == 't' || c == 'Y' || c == 'y'; }
bool IsFalseLetter(char c) { return c == 'F' || c == 'f' || c == 'N' || c == 'n'; }

std::int32_t Level7Long(std::string_view bytes) {
  return static_cast<std::int32_t>(ReadBigEndian32(bytes.data()) ^ kLongSignFlip);
}

std::int32_t FoxLong(std::string_view bytes) { return static_cast<std::int32_t>(ReadLittleEndian32(bytes.data())); }

double BitsToDouble(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::uint64_t DoubleToBits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Level 7 keeps doubles so that their bytes sort like their values: positive
// numbers with the sign bit set, negative ones with every bit inverted.
double Level7Double(std::string_view bytes) {
  const std::uint64_t stored = ReadBigEndian64(bytes.data());
  return BitsToDouble(stored & kDoubleSign ? stored & ~kDoubleSign : ~stored);
}

std::uint64_t Level7DoubleBits(double value) {
  const std::uint64_t bits = DoubleToBits(value);
  return bits & kDoubleSign ? ~bits : bits | kDoubleSign;
}

double FoxDouble(std::string_view bytes) { return BitsToDouble(ReadLittleEndian64(bytes.data())); }

std::optional<long long> WholeDouble(double value) {
  if (!std::isfinite(value) || value != std::trunc(value) || std::fabs(value) >= 9.2e18) return std::nullopt;
  return static_cast<long long>(value);
}

// Right-aligns a number's text in a numeric field.
void StoreRightAligned(const FieldLayout& field, char* at, const std::string& digits, std::string_view table) {
  const auto width = static_cast<std::size_t>(field.def.length);
  if (digits.size() > width) throw ValueDoesNotFit(digits, table, field.def.name);
  std::memset(at, ' ', width - digits.size());
  std::memcpy(at + (width - digits.size()), digits.data(), digits.size());
}

std::string FixedDecimals(double value, int decimals) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

std::string IntegerWithDecimals(long long value, int decimals) {
  std::string digits = std::to_string(value);
  if (decimals > 0) digits.append(1, '.').append(static_cast<std::size_t>(decimals), '0');
  return digits;
}

// A number's text in a character field: left-aligned like any text, but never cut.
void StoreWholeText(const FieldLayout& field, char* at, const std::string& digits, std::string_view table);

void StoreCutText(const FieldLayout& field, char* at, std::string_view text) {
  const auto width = static_cast<std::size_t>(field.def.length);
  const auto kept = std::min(width, text.size());
  std::memcpy(at, text.data(), kept);
  std::memset(at + kept, ' ', width - kept);
}

void StoreWholeText(const FieldLayout& field, char* at, const std::string& digits, std::string_view table) {
  if (digits.size() > static_cast<std::size_t>(field.def.length))
    throw ValueDoesNotFit(digits, table, field.def.name);
  StoreCutText(field, at, digits);
}
}  // namespace

std::string_view CharacterText(std::string_view bytes) {
  while (!bytes.empty() && IsPad(bytes.back())) bytes.remove_suffix(1);
  return bytes;
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  if (point != std::string_view::npos) {
    const auto fraction = text.substr(point + 1);
    if (fraction.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
    text = text.substr(0, point);
  }
  if (text.empty()) return std::nullopt;
  unsigned long long magnitude = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  constexpr auto limit = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
  if (magnitude > limit + (negative ? 1 : 0)) return std::nullopt;
  if (negative) return magnitude == limit + 1 ? std::numeric_limits<long long>::min()
                                             : -static_cast<long long>(magnitude);
  return static_cast<long long>(magnitude);
}

std::optional<double> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

std::string FormatDouble(double value) {
  char buffer[64];
  const auto format = std::fabs(value) < 1e15 ? std::chars_format::fixed : std::chars_format::general;
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  return std::string(buffer, result.ptr);
}

void AppendText(const FieldLayout& field, std::string_view bytes, std::string& out) {
  switch (field.kind) {
    case FieldKind::Character: out += CharacterText(bytes); return;
    case FieldKind::Numeric:
    case FieldKind::Date: out += TrimmedBoth(bytes); return;
    case FieldKind::Logical:
      if (IsTrueLetter(bytes.front())) out += 'T';
      else if (IsFalseLetter(bytes.front())) out += 'F';
      return;
    case FieldKind::Level7Long:
      if (!AllZero(bytes)) out += std::to_string(Level7Long(bytes));
      return;
    case FieldKind::FoxLong: out += std::to_string(FoxLong(bytes)); return;
    case FieldKind::Level7Double:
      if (!AllZero(bytes)) out += FormatDouble(Level7Double(bytes));
      return;
    case FieldKind::FoxDouble: out += FormatDouble(FoxDouble(bytes)); return;
    case FieldKind::Unreadable: return;
  }
}

bool IsBlankValue(const FieldLayout& field, std::string_view bytes) {
  switch (field.kind) {
    case FieldKind::Character:
    case FieldKind::Numeric:
    case FieldKind::Date: return TrimmedBoth(bytes).empty();
    case FieldKind::Logical: return !IsTrueLetter(bytes.front()) && !IsFalseLetter(bytes.front());
    case FieldKind::Level7Long:
    case FieldKind::Level7Double: return AllZero(bytes);
    case FieldKind::FoxLong:
    case FieldKind::FoxDouble: return false;
    case FieldKind::Unreadable: return true;
  }
  return true;
}

std::optional<long long> IntegerValue(const FieldLayout& field, std::string_view bytes) {
  switch (field.kind) {
    case FieldKind::Level7Long: return AllZero(bytes) ? 0 : Level7Long(bytes);
    case FieldKind::FoxLong: return FoxLong(bytes);
    case FieldKind::Level7Double: return AllZero(bytes) ? 0 : WholeDouble(Level7Double(bytes));
    case FieldKind::FoxDouble: return WholeDouble(FoxDouble(bytes));
    case FieldKind::Unreadable: return 0;
    default: break;
  }
  std::string text;
  AppendText(field, bytes, text);
  const auto trimmed = TrimmedBoth(text);
  if (trimmed.empty()) return 0;
  return ParseWholeNumber(trimmed);
}

std::optional<double> NumberValue(const FieldLayout& field, std::string_view bytes) {
  switch (field.kind) {
    case FieldKind::Level7Long: return AllZero(bytes) ? 0.0 : static_cast<double>(Level7Long(bytes));
    case FieldKind::FoxLong: return static_cast<double>(FoxLong(bytes));
    case FieldKind::Level7Double: return AllZero(bytes) ? 0.0 : Level7Double(bytes);
    case FieldKind::FoxDouble: return FoxDouble(bytes);
    case FieldKind::Unreadable: return 0.0;
    default: break;
  }
  std::string text;
  AppendText(field, bytes, text);
  const auto trimmed = TrimmedBoth(text);
  if (trimmed.empty()) return 0.0;
  return ParseDecimal(trimmed);
}

bool LogicalValue(const FieldLayout& field, std::string_view bytes) {
  std::string text;
  AppendText(field, bytes, text);
  const auto trimmed = TrimmedBoth(text);
  return !trimmed.empty() && IsTrueLetter(trimmed.front());
}

void StoreBlank(const FieldLayout& field, char* at) {
  const auto width = static_cast<std::size_t>(field.def.length);
  switch (field.kind) {
    case FieldKind::Level7Long:
    case FieldKind::Level7Double:
    case FieldKind::FoxLong:
    case FieldKind::FoxDouble: std::memset(at, 0, width); return;
    default: std::memset(at, ' ', width); return;
  }
}

void StoreText(const FieldLayout& field, char* at, std::string_view text, std::string_view table) {
  const auto trimmed = TrimmedBoth(text);
  switch (field.kind) {
    case FieldKind::Character:
    case FieldKind::Date: StoreCutText(field, at, text); return;
    case FieldKind::Logical:
      if (trimmed.empty()) StoreBlank(field, at);
      else if (IsTrueLetter(trimmed.front())) StoreLogical(field, at, true, table);
      else if (IsFalseLetter(trimmed.front())) StoreLogical(field, at, false, table);
      else throw NotALogical(text, table, field.def.name);
      return;
    case FieldKind::Level7Long:
    case FieldKind::FoxLong:
      if (trimmed.empty()) return StoreBlank(field, at);
      if (const auto value = ParseWholeNumber(trimmed)) return StoreInteger(field, at, *value, table);
      throw NotAnInteger(trimmed, table, field.def.name);
    case FieldKind::Numeric:
    case FieldKind::Level7Double:
    case FieldKind::FoxDouble:
      if (trimmed.empty()) return StoreBlank(field, at);
      if (const auto value = ParseDecimal(trimmed)) return StoreNumber(field, at, *value, table);
      throw NotANumber(trimmed, table, field.def.name);
    case FieldKind::Unreadable: throw FieldNotWritable(table, field.def.name, field.def.type);
  }
}

void StoreInteger(const FieldLayout& field, char* at, long long value, std::string_view table) {
  const auto fitsLong = [&](long long lowest) {
    if (value < lowest || value > std::numeric_limits<std::int32_t>::max())
      throw ValueDoesNotFit(std::to_string(value), table, field.def.name);
  };
  switch (field.kind) {
    case FieldKind::Character:
    case FieldKind::Date: return StoreWholeText(field, at, std::to_string(value), table);
    case FieldKind::Numeric: return StoreRightAligned(field, at, IntegerWithDecimals(value, field.def.decimals), table);
    case FieldKind::Level7Long:
      // The lowest 32-bit value would be stored as all zeros, which means blank.
      fitsLong(std::numeric_limits<std::int32_t>::min() + 1LL);
      WriteBigEndian32(at, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) ^ kLongSignFlip);
      return;
    case FieldKind::FoxLong:
      fitsLong(std::numeric_limits<std::int32_t>::min());
      WriteLittleEndian32(at, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
      return;
    case FieldKind::Level7Double:
    case FieldKind::FoxDouble: return StoreNumber(field, at, static_cast<double>(value), table);
    case FieldKind::Logical: return StoreLogical(field, at, value != 0, table);
    case FieldKind::Unreadable: throw FieldNotWritable(table, field.def.name, field.def.type);
  }
}

void StoreNumber(const FieldLayout& field, char* at, double value, std::string_view table) {
  if (!std::isfinite(value)) throw ValueDoesNotFit(FormatDouble(value), table, field.def.name);
  switch (field.kind) {
    case FieldKind::Character:
    case FieldKind::Date: return StoreWholeText(field, at, FormatDouble(value), table);
    case FieldKind::Numeric: return StoreRightAligned(field, at, FixedDecimals(value, field.def.decimals), table);
    case FieldKind::Level7Long:
    case FieldKind::FoxLong:
      if (const auto whole = WholeDouble(value)) return StoreInteger(field, at, *whole, table);
      throw NotAnInteger(FormatDouble(value), table, field.def.name);
    case FieldKind::Level7Double: WriteBigEndian64(at, Level7DoubleBits(value)); return;
    case FieldKind::FoxDouble: WriteLittleEndian64(at, DoubleToBits(value)); return;
    case FieldKind::Logical: return StoreLogical(field, at, value != 0, table);
    case FieldKind::Unreadable: throw FieldNotWritable(table, field.def.name, field.def.type);
  }
}

void StoreLogical(const FieldLayout& field, char* at, bool value, std::string_view table) {
  switch (field.kind) {
    case FieldKind::Logical:
      at[0] = value ? 'T' : 'F';
      std::memset(at + 1, ' ', static_cast<std::size_t>(field.def.length) - 1);
      return;
    case FieldKind::Character: return StoreCutText(field, at, value ? "T" : "F");
    default: throw FieldNotWritable(table, field.def.name, field.def.type);
  }
}

}  // namespace enlazora::formats::dbf
