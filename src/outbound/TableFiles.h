#pragma once
// Where a table of the host's folder lies on disk.
#include <filesystem>
#include <optional>
#include <string>

namespace enlazora::outbound {

// The file of a table ("SOLUC" gives SOLUC.DBF) in the folder. A file whose
// name differs only in letter case (soluc.dbf, written by the host under a
// case-sensitive file system) counts as the table too. Nothing when missing.
// A path as UTF-8 text, for messages.
std::string PathText(const std::filesystem::path& path);

std::optional<std::filesystem::path> FindTableFile(const std::filesystem::path& folder, const std::string& table);

}  // namespace enlazora::outbound
