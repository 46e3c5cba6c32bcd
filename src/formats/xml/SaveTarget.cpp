#include "formats/xml/SaveTarget.h"

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#include "formats/xml/DocumentMessages.h"
#include "formats/xml/ExchangeDocument.h"

#ifdef _WIN32
#include <process.h>
#define ENLAZORA_PROCESS_ID _getpid()
#else
#include <unistd.h>
#define ENLAZORA_PROCESS_ID getpid()
#endif

namespace enlazora::formats {
namespace {

namespace fs = std::filesystem;

// A read-only file is not replaced, even where the folder would allow it.
bool isReadOnlyFile(const fs::path& file) {
#ifdef _WIN32
  (void)file;
  return false;
#else
  return access(file.c_str(), F_OK) == 0 && access(file.c_str(), W_OK) != 0 && errno == EACCES;
#endif
}

}  // namespace

SaveTarget::SaveTarget(const fs::path& file) : file_(file) {
  std::error_code ignored;
  if (fs::is_directory(file, ignored)) throw DocumentError(messages::SaveTargetIsFolder(file));
  if (isReadOnlyFile(file)) throw DocumentError(messages::SaveFailed(file, EACCES));
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100 && !created_; ++attempt) {
    temporary_ = file.parent_path() / ("." + file.filename().string() + ".tmp" +
                                       std::to_string(ENLAZORA_PROCESS_ID) + "-" + std::to_string(counter++));
    stream_ = openNew(temporary_);
    created_ = stream_ != nullptr;
    if (!created_ && errno != EEXIST) break;
  }
  if (!created_) throw DocumentError(messages::SaveFailed(file, errno));
}

SaveTarget::~SaveTarget() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (created_ && !placed_) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
  }
}

int SaveTarget::Write(void* target, const char* bytes, int length) {
  return static_cast<SaveTarget*>(target)->write(bytes, length);
}

void SaveTarget::place(bool complete) {
  const bool finished = finish();
  if (!complete || !finished || !moveOntoTarget()) fail();
}

void SaveTarget::fail() const { throw DocumentError(messages::SaveFailed(file_, errorNumber_)); }

std::FILE* SaveTarget::openNew(const fs::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wbx");
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

void SaveTarget::keepError(int errorNumber) {
  if (errorNumber_ == 0) errorNumber_ = errorNumber != 0 ? errorNumber : EIO;
}

int SaveTarget::write(const char* bytes, int length) {
  if (length <= 0) return 0;
  if (stream_ == nullptr) return -1;
  const auto size = static_cast<std::size_t>(length);
  if (std::fwrite(bytes, 1, size, stream_) != size) {
    keepError(errno);
    return -1;
  }
  return length;
}

// Flushes and closes; false (with the error kept) when any write failed.
bool SaveTarget::finish() {
  if (stream_ != nullptr) {
    if (std::fflush(stream_) != 0) keepError(errno);
    if (std::fclose(stream_) != 0) keepError(errno);
    stream_ = nullptr;
  }
  return errorNumber_ == 0;
}

// Moves the finished file onto the target, replacing it.
bool SaveTarget::moveOntoTarget() {
  std::error_code error;
  fs::rename(temporary_, file_, error);
  if (error) {
    keepError(error.value());
    return false;
  }
  placed_ = true;
  return true;
}

}  // namespace enlazora::formats
