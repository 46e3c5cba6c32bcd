#pragma once
// Where a table of the host's folder lies on disk.
#include <filesystem>
#include <optional>
#include <string>

namespace enlazora::outbound {

// A path as UTF-8 text, for messages.
std::string PathText(const std::filesystem::path& path);

// The file of a table ("SOLUC" gives SOLUC.DBF) in the folder. A file whose
// name differs only in letter case (soluc.dbf, written by the host under a
// case-sensitive file system) counts as the table too. A folder of the
// table's name is returned when no file is there (opening it fails naming
// it). Nothing when missing.
std::optional<std::filesystem::path> FindTableFile(const std::filesystem::path& folder, const std::string& table);

}  // namespace enlazora::outbound
