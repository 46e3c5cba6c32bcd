#pragma once
// What the fuzz targets share: a scratch folder per process and writing the
// fuzzed bytes to a file there.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace enlazora::fuzzing {

// A folder of this process's own, made once and emptied by the caller.
const std::filesystem::path& ScratchFolder();

void WriteFile(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size);

// Removes everything inside a folder, keeping the folder.
void EmptyFolder(const std::filesystem::path& folder);

}  // namespace enlazora::fuzzing
