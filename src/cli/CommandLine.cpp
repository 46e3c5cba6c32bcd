#include "cli/CommandLine.h"

namespace enlazora::cli {

std::optional<std::string> CommandLine::option(const std::string& name) const {
  if (auto found = options.find(name); found != options.end()) return found->second;
  return std::nullopt;
}

CommandLine ParseCommand(const std::vector<std::string>& arguments, const std::set<std::string>& allowedOptions) {
  CommandLine line;
  if (arguments.empty()) throw UsageError("Falta la orden (hacia-horalix o hacia-quirenda).");
  line.command = arguments[0];
  bool haveDocument = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.starts_with("--")) {
      if (!allowedOptions.contains(argument)) throw UsageError("Opción desconocida: " + argument);
      if (i + 1 >= arguments.size()) throw UsageError("Falta el valor de la opción " + argument);
      if (!line.options.emplace(argument, arguments[++i]).second)
        throw UsageError("La opción " + argument + " aparece más de una vez.");
    } else if (!haveDocument) {
      line.document = argument;
      haveDocument = true;
    } else {
      throw UsageError("Sobra el argumento: " + argument);
    }
  }
  if (!haveDocument) throw UsageError("Falta el documento XML.");
  return line;
}

}  // namespace enlazora::cli
