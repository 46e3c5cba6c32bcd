#include "outbound/TableFiles.h"

#include <system_error>

#include "text/Clipper.h"

namespace enlazora::outbound {
namespace fs = std::filesystem;

std::string PathText(const fs::path& path) {
  const auto utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::optional<fs::path> FindTableFile(const fs::path& folder, const std::string& table) {
  const std::string fileName = table + ".DBF";
  std::error_code error;
  if (fs::is_regular_file(folder / fileName, error)) return folder / fileName;
  // A folder standing in the table's place is handed back too, so that
  // opening it says so instead of reporting the table missing.
  std::optional<fs::path> folderInPlace;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    if (text::UpperAsciiLetters(entry->path().filename().string()) != fileName) continue;
    std::error_code status;
    if (entry->is_regular_file(status)) return entry->path();
    if (entry->is_directory(status) && !folderInPlace) folderInPlace = entry->path();
  }
  return folderInPlace;
}

}  // namespace enlazora::outbound
