#pragma once
// A small writer for ini files that behaves like the Windows profile writer:
// the key is set in its section (both found without regard to letter case),
// every other line, comment and line end of the file stays as it was, a
// missing section is appended and a missing file is created.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace enlazora::app {

class ProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The content with section/key set to value. New lines take the line end the
// content already uses (CRLF when it has none).
std::string WithProfileValue(std::string_view content, std::string_view section, std::string_view key,
                             std::string_view value);

// Reads the file (a missing one counts as empty), sets the value and writes
// it back. Raises ProfileError with a Spanish message when the file cannot be
// read or written.
void WriteProfileValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace enlazora::app
