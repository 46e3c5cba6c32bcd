#pragma once
// The report a hosted window leaves for the host when it closes: the outcome
// flag under section "Transformadores", key "Transformado" of Horalix.ini in
// the program's folder.
#include <filesystem>

namespace enlazora::app {

inline constexpr const char* kReportSection = "Transformadores";
inline constexpr const char* kReportKey = "Transformado";

// Raises ProfileError (ProfileFile.h) with a Spanish message when the file
// cannot be written.
void WriteOutcomeReport(const std::filesystem::path& programFolder, int outcome);

}  // namespace enlazora::app
