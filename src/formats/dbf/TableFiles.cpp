#include "formats/dbf/TableFiles.h"

#include <algorithm>
#include <atomic>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace enlazora::formats::dbf {
namespace fs = std::filesystem;
namespace {

fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
#ifdef _WIN32
  const auto process = static_cast<unsigned long>(GetCurrentProcessId());
#else
  const auto process = static_cast<unsigned long>(getpid());
#endif
  auto name = target.filename();
  name += ".tmp-" + std::to_string(process) + "-" + std::to_string(counter++);
  return target.parent_path() / name;
}

#ifdef _WIN32
[[noreturn]] void ThrowLastError() {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
}

std::string ReadFromHandle(HANDLE handle) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle, &size)) ThrowLastError();
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!ReadFile(handle, bytes.data() + done, wanted, &got, nullptr)) ThrowLastError();
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void WriteNewFile(const fs::path& file, std::string_view bytes) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
  std::size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD written = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    ok = WriteFile(handle, bytes.data() + done, wanted, &written, nullptr) && written > 0;
    done += written;
  }
  ok = ok && FlushFileBuffers(handle);
  const DWORD error = ok ? 0 : GetLastError();
  CloseHandle(handle);
  if (!ok) throw std::system_error(static_cast<int>(error), std::system_category());
}
#else
[[noreturn]] void ThrowErrno() { throw std::system_error(errno, std::generic_category()); }

std::string ReadFromDescriptor(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) ThrowErrno();
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ThrowErrno();
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

void WriteNewFile(const fs::path& file, std::string_view bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) ThrowErrno();
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) {
      error = errno;
      break;
    }
    done += static_cast<std::size_t>(written);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) throw std::system_error(error, std::generic_category());
}
#endif
}  // namespace

std::string ReadWholeFile(const FileLock& lock) {
#ifdef _WIN32
  return ReadFromHandle(reinterpret_cast<HANDLE>(lock.handle()));
#else
  return ReadFromDescriptor(static_cast<int>(lock.handle()));
#endif
}

std::string ReadWholeFile(const fs::path& file) {
#ifdef _WIN32
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
  try {
    auto bytes = ReadFromHandle(handle);
    CloseHandle(handle);
    return bytes;
  } catch (...) {
    CloseHandle(handle);
    throw;
  }
#else
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowErrno();
  try {
    auto bytes = ReadFromDescriptor(fd);
    ::close(fd);
    return bytes;
  } catch (...) {
    ::close(fd);
    throw;
  }
#endif
}

bool IsSharingViolation(const std::error_code& error) {
#ifdef _WIN32
  return error.category() == std::system_category() &&
         (error.value() == ERROR_SHARING_VIOLATION || error.value() == ERROR_LOCK_VIOLATION);
#else
  (void)error;
  return false;
#endif
}

bool HeldElsewhere(const fs::path& file) {
#ifdef _WIN32
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
    return true;
  }
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
#else
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
#endif
}

void ReplaceWholeFile(const fs::path& target, std::string_view bytes, std::optional<FileLock>& held) {
  const auto temporary = TemporaryBeside(target);
  try {
    WriteNewFile(temporary, bytes);
#ifdef _WIN32
    held.reset();  // a file opened without sharing cannot be replaced
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      ThrowLastError();
#else
    (void)held;  // the lock stays on the old file until it is replaced
    if (::rename(temporary.c_str(), target.c_str()) != 0) ThrowErrno();
#endif
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  }
}

}  // namespace enlazora::formats::dbf
