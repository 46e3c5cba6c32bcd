#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "formats/Messages.h"
#include "formats/files/Locations.h"
#include "formats/xml/StreamedDocument.h"
#include "inbound/InboundRun.h"
#include "text/Windows1252.h"

namespace enlazora::cli {
namespace {

// The day plan comes from --plantilla; without it, the first plan of the
// document, as the day-template dialog shows it when it opens.
class CommandLineDayPlan : public inbound::InboundInteraction {
 public:
  explicit CommandLineDayPlan(std::optional<std::string> plan) : plan_(std::move(plan)) {}

  std::string chooseDayPlan(const std::filesystem::path& document) override {
    if (plan_) return text::Utf8ToAnsi(*plan_);
    const auto read = formats::StreamedDocument::load(document, {"JORNADAS_ESCOLARES"});
    const auto& plans = read.records("JORNADAS_ESCOLARES");
    return plans.empty() ? std::string() : plans.front().value(0);
  }

 private:
  std::optional<std::string> plan_;
};

}  // namespace

int RunHaciaHoralix(const CommandLine& line) {
  inbound::InboundRequest request;
  request.document = line.document;
  request.tableFolder = line.option("--tablas").value_or(formats::DefaultTableFolder().string());
  request.levelTable = line.option("--niveles").value_or((formats::ProgramFolder() / "NIVELLARI.DBF").string());
  CommandLineDayPlan dayPlan(line.option("--plantilla"));
  try {
    const inbound::InboundResult result = inbound::RunInbound(request, dayPlan);
    std::cout << messages::kProcesoFinalizado << '\n';
    std::cout << "Plantilla horaria: " << text::AnsiToUtf8(result.chosenPlan) << '\n';
    for (const auto& table : result.tables)
      std::cout << table.table << ": " << table.rows << (table.rows == 1 ? " registro\n" : " registros\n");
    return kCompleted;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return kStopped;
  }
}

}  // namespace enlazora::cli
