#pragma once
// Whole-file reading and replacing for tables. Failures raise
// std::system_error; the table layer turns them into its Spanish messages.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "formats/files/FileLock.h"

namespace enlazora::formats::dbf {

// Every byte of the file that the lock holds open, in one read.
std::string ReadWholeFile(const FileLock& lock);
// Every byte of a file opened for reading alongside other programs.
std::string ReadWholeFile(const std::filesystem::path& file);

// After an exclusive lock was refused on an existing file: whether the reason
// is another handle holding it (rather than, say, no permission to read it).
bool HeldElsewhere(const std::filesystem::path& file);

// Whether a failed open means that another program holds the file without
// sharing it (Windows); never on systems where locks are advisory.
bool IsSharingViolation(const std::error_code& error);

// Writes the bytes to a new file beside `target`, then puts it in the place
// of `target` in one step, so that a failed write leaves the old file whole.
// `held` is the caller's lock on the old file: kept through the replacement
// where the system allows it, released first where it must be (Windows).
void ReplaceWholeFile(const std::filesystem::path& target, std::string_view bytes, std::optional<FileLock>& held);

}  // namespace enlazora::formats::dbf
