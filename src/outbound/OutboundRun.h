#pragma once
// The outbound run: the host's tables and its timetable solution SOLUC.DBF
// become an exchange document for Quirenda, written beside the chosen one.
#include <cstddef>
#include <filesystem>
#include <optional>

namespace enlazora::outbound {

struct OutboundRequest {
  std::filesystem::path document;                   // the chosen exchange document
  std::filesystem::path tableFolder;
  std::optional<std::filesystem::path> resultFile;  // default: ResultFileFor(document)
};

struct OutboundResult {
  std::filesystem::path resultFile;
  std::size_t teachers = 0;
  std::size_t activities = 0;
};

// The chosen file's folder, then "ResultadoHoralix" followed by its name.
std::filesystem::path ResultFileFor(const std::filesystem::path& document);

// Throws RunStopped for the document or PERIODOS.DBF missing, and any other
// exception with its Spanish message when the run stops; no result file is
// left behind and an existing one stays as it was.
OutboundResult RunOutbound(const OutboundRequest& request);

}  // namespace enlazora::outbound
