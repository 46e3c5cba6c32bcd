#pragma once
// The inbound run: an exchange document exported by Quirenda becomes the
// host's timetable tables. All or nothing: a run that stops leaves the table
// folder exactly as it was.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace enlazora::inbound {

// What the run asks of the person using it.
class InboundInteraction {
 public:
  virtual ~InboundInteraction() = default;
  // The document holds more than one day plan: the code of the plan to apply,
  // as Windows-1252 text like the document's values (whatever the person hands
  // back; the run trims it of characters of code 32 or below).
  virtual std::string chooseDayPlan(const std::filesystem::path& document) = 0;
};

struct InboundRequest {
  std::filesystem::path document;
  std::filesystem::path tableFolder;
  std::filesystem::path levelTable;  // NIVELLARI.DBF
};

struct TableRows {
  std::string table;  // "ASIGNOMT.DBF"
  std::size_t rows = 0;
};

struct InboundResult {
  std::vector<TableRows> tables;  // in the order the steps write them
  std::string chosenPlan;         // PlantillaElegida, Windows-1252
};

// Throws RunStopped for the document or the level reference table missing
// (nothing touched), and any other exception with its Spanish message when a
// step stops (the table folder unchanged).
InboundResult RunInbound(const InboundRequest& request, InboundInteraction& interaction);

}  // namespace enlazora::inbound
