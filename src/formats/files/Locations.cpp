#include "formats/files/Locations.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace enlazora::formats {

std::filesystem::path ProgramFolder() {
#ifdef _WIN32
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return std::filesystem::path(buffer).parent_path();
#else
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return executable.parent_path();
#endif
}

std::filesystem::path DefaultTableFolder() {
#ifdef _WIN32
  return std::filesystem::path("C:\\HTEMP");
#else
  if (const char* folder = std::getenv("ENLAZORA_TABLAS"); folder && *folder) return folder;
  std::filesystem::path prefix;
  if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine) {
    prefix = wine;
  } else {
    const char* home = std::getenv("HOME");
    prefix = std::filesystem::path(home ? home : "") / ".wine";
  }
  return prefix / "drive_c" / "HTEMP";
#endif
}

}  // namespace enlazora::formats
