#pragma once
// The command line with which the host starts the program: exactly two
// arguments, the action word and the handle of the host window in
// hexadecimal digits. Any other count means the program runs on its own.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace enlazora::app {

enum class HostAction { None, Importar, Exportar };

struct HostCommand {
  std::string actionWord;  // lower-cased, A to Z only, not trimmed
  std::string handleText;  // argument 2 as given
  HostAction action() const;
};

// Raised for a handle that is not a hexadecimal number; the message is the
// integer parser's: "'$XYZ' no es un valor entero válido".
class HandleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Arguments without the program's own path (UTF-8). Nothing unless there are
// exactly two.
std::optional<HostCommand> HostCommandFrom(const std::vector<std::string>& arguments);

// "$" followed by the text, read as the integer parser reads it: "$" then one
// or more hexadecimal digits, 32 bits at most.
std::uint32_t ParseHostHandle(std::string_view handleText);

}  // namespace enlazora::app
