#include "outbound/HeaderDate.h"

#include <cstdint>

#include "text/Windows1252.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cwchar>
#endif

namespace enlazora::outbound {
namespace {

#ifdef _WIN32

std::string WideToAnsi(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(size - 1));
  return text::Utf8ToAnsi(utf8);
}

SYSTEMTIME SystemTimeOf(const std::tm& moment) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(moment.tm_year + 1900);
  time.wMonth = static_cast<WORD>(moment.tm_mon + 1);
  time.wDayOfWeek = static_cast<WORD>(moment.tm_wday);
  time.wDay = static_cast<WORD>(moment.tm_mday);
  time.wHour = static_cast<WORD>(moment.tm_hour);
  time.wMinute = static_cast<WORD>(moment.tm_min);
  time.wSecond = static_cast<WORD>(moment.tm_sec);
  return time;
}

std::string ShortDate(const std::tm& moment) {
  const SYSTEMTIME time = SystemTimeOf(moment);
  wchar_t buffer[128] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, 128) == 0) return {};
  return WideToAnsi(buffer);
}

std::string LongTime(const std::tm& moment) {
  const SYSTEMTIME time = SystemTimeOf(moment);
  wchar_t buffer[128] = {};
  if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, 128) == 0) return {};
  return WideToAnsi(buffer);
}

#else

// Code points of a wide string as UTF-8.
std::string WideToUtf8(const wchar_t* wide) {
  std::string utf8;
  for (; *wide; ++wide) {
    const auto code = static_cast<std::uint32_t>(*wide);
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (code >> 18));
      utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

// strftime through its wide form, so that the locale's own character set does
// not matter.
std::string Formatted(const wchar_t* format, const std::tm& moment) {
  wchar_t buffer[128] = {};
  if (std::wcsftime(buffer, 128, format, &moment) == 0) return {};
  return text::Utf8ToAnsi(WideToUtf8(buffer));
}

std::string ShortDate(const std::tm& moment) { return Formatted(L"%x", moment); }
std::string LongTime(const std::tm& moment) { return Formatted(L"%X", moment); }

#endif

}  // namespace

std::string FechaText(const std::tm& moment) { return ShortDate(moment) + " " + LongTime(moment); }

}  // namespace enlazora::outbound
