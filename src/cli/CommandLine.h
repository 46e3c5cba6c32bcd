#pragma once
// The command line of enlazora-cli: a command, the exchange document and the
// command's options.
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace enlazora::cli {

// A command line that does not fit the usage; exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandLine {
  std::string command;
  std::filesystem::path document;
  std::map<std::string, std::string> options;  // "--tablas" -> value

  std::optional<std::string> option(const std::string& name) const;
};

// Parses the arguments after the program name for a command that takes the
// given options, each with one value.
CommandLine ParseCommand(const std::vector<std::string>& arguments, const std::set<std::string>& allowedOptions);

// Exit statuses.
constexpr int kCompleted = 0;
constexpr int kStopped = 1;
constexpr int kUsage = 2;

}  // namespace enlazora::cli
