#pragma once
// The files that ship beside the program (level reference table, help file)
// and the host's report file, found in a folder without regard to the letter
// case of their names, since they come from a system where case does not
// count.
#include <filesystem>
#include <string_view>

namespace enlazora::app {

inline constexpr std::string_view kLevelTableName = "NIVELLARI.DBF";
inline constexpr std::string_view kHelpFileName = "QUIRENDA.chm";
inline constexpr std::string_view kReportFileName = "Horalix.ini";

// The entry of the folder named so, ignoring letter case (an exact match
// first); folder / name when there is none.
std::filesystem::path FileInFolder(const std::filesystem::path& folder, std::string_view name);

}  // namespace enlazora::app
