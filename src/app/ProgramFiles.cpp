#include "app/ProgramFiles.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace enlazora::app {

std::filesystem::path FileInFolder(const std::filesystem::path& folder, std::string_view name) {
  const std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
  std::error_code error;
  if (std::filesystem::exists(exact, error)) return exact;
#ifdef _WIN32
  return exact;  // names are found without regard to case already
#else
  const auto sameIgnoringCase = [name](const std::string& candidate) {
    return candidate.size() == name.size() &&
           std::equal(candidate.begin(), candidate.end(), name.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
  };
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (sameIgnoringCase(entry->path().filename().string())) return entry->path();
  }
  return exact;
#endif
}

}  // namespace enlazora::app
