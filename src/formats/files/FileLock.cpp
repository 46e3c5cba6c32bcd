#include "formats/files/FileLock.h"

#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace enlazora::formats {

#ifdef _WIN32
// Share mode 0: while this handle is open, nobody (this process included) can
// open the file again.
std::optional<FileLock> FileLock::tryExclusive(const std::filesystem::path& file, bool writable) {
  const DWORD access = GENERIC_READ | (writable ? GENERIC_WRITE : 0);
  HANDLE handle = CreateFileW(file.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  return FileLock(reinterpret_cast<std::intptr_t>(handle));
}

void FileLock::release() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
}
#else
// flock() belongs to the open file description, so a second open of the same
// file, in this process or another, cannot take the lock while this one lives.
std::optional<FileLock> FileLock::tryExclusive(const std::filesystem::path& file, bool writable) {
  const int fd = ::open(file.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return FileLock(fd);
}

void FileLock::release() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));  // closing drops the lock
  handle_ = -1;
}
#endif

FileLock::FileLock(FileLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    release();
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

FileLock::~FileLock() { release(); }

}  // namespace enlazora::formats
