#pragma once
// The Spanish texts of every failure of the exchange document, in one place.
#include <filesystem>
#include <string>
#include <string_view>

namespace enlazora::formats::messages {

// The file as the user named it, in UTF-8.
std::string ShownName(const std::filesystem::path& file);

std::string FileMissing(const std::filesystem::path& file);
std::string FileIsFolder(const std::filesystem::path& file);
std::string FileNotReadable(const std::filesystem::path& file, int errorNumber);
std::string FileEmpty(const std::filesystem::path& file);
std::string FileBinary(const std::filesystem::path& file);
std::string NotWellFormed(const std::filesystem::path& file, int line, int column, std::string_view reason);
std::string DeclaresEntities(const std::filesystem::path& file, int line);
std::string ReachesOutside(const std::filesystem::path& file);

std::string SaveFailed(const std::filesystem::path& file, int errorNumber);
std::string SaveTargetIsFolder(const std::filesystem::path& file);
std::string SaveEncodingMissing(const std::filesystem::path& file, std::string_view encoding);

std::string InvalidElementName(std::string_view ansiName);
std::string InvalidAttributeName(std::string_view ansiName);

}  // namespace enlazora::formats::messages
