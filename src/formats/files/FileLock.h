#pragma once
// An exclusive lock on a file, held while the object lives: a share mode on
// Windows, an advisory lock elsewhere. It excludes other handles in the same
// process and other processes alike.
#include <filesystem>
#include <cstdint>
#include <optional>

namespace enlazora::formats {

class FileLock {
 public:
  // Opens the file and takes the lock; nothing when the file is missing or the
  // lock is held elsewhere. `writable` opens for writing too.
  static std::optional<FileLock> tryExclusive(const std::filesystem::path& file, bool writable = false);

  FileLock(FileLock&&) noexcept;
  FileLock& operator=(FileLock&&) noexcept;
  ~FileLock();

  // The open handle (a file descriptor, or a HANDLE on Windows).
  std::intptr_t handle() const { return handle_; }

 private:
  explicit FileLock(std::intptr_t handle) : handle_(handle) {}
  void release();
  std::intptr_t handle_ = -1;
};

}  // namespace enlazora::formats
