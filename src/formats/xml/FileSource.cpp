#include "formats/xml/FileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "formats/xml/DocumentMessages.h"
#include "formats/xml/ExchangeDocument.h"

namespace enlazora::formats {
namespace {

constexpr std::size_t kHeadSize = 64 * 1024;

std::FILE* openForReading(const std::filesystem::path& file) {
#ifdef _WIN32
  return _wfopen(file.c_str(), L"rb");
#else
  return std::fopen(file.c_str(), "rb");
#endif
}

// A byte order mark, or "<" written in UTF-16 or UCS-4 without one.
bool startsAsWideText(std::string_view head) {
  static constexpr std::string_view kStarts[] = {
      {"\xFF\xFE", 2}, {"\xFE\xFF", 2}, {"<\0", 2}, {"\0<", 2}, {"\0\0\0<", 4}, {"\0\0\xFE\xFF", 4}};
  return std::any_of(std::begin(kStarts), std::end(kStarts),
                     [&](std::string_view start) { return head.starts_with(start); });
}

}  // namespace

FileSource::FileSource(const std::filesystem::path& file) {
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) throw DocumentError(messages::FileIsFolder(file));
  stream_ = openForReading(file);
  if (stream_ == nullptr) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) throw DocumentError(messages::FileMissing(file));
    throw DocumentError(messages::FileNotReadable(file, error));
  }
  head_.resize(kHeadSize);
  const std::size_t got = std::fread(head_.data(), 1, head_.size(), stream_);
  if (got < head_.size() && std::ferror(stream_)) {
    const int error = errno;
    std::fclose(stream_);
    stream_ = nullptr;
    throw DocumentError(messages::FileNotReadable(file, error));
  }
  head_.resize(got);
}

FileSource::~FileSource() {
  if (stream_ != nullptr) std::fclose(stream_);
}

bool FileSource::looksBinary() const {
  return head_.find('\0') != std::string::npos && !startsAsWideText(head_);
}

int FileSource::Read(void* source, char* buffer, int length) {
  return static_cast<FileSource*>(source)->read(buffer, length);
}

int FileSource::read(char* buffer, int length) {
  if (length <= 0) return 0;
  const auto wanted = static_cast<std::size_t>(length);
  if (headPosition_ < head_.size()) {
    const std::size_t count = std::min(wanted, head_.size() - headPosition_);
    std::memcpy(buffer, head_.data() + headPosition_, count);
    headPosition_ += count;
    return static_cast<int>(count);
  }
  const std::size_t got = std::fread(buffer, 1, wanted, stream_);
  if (got == 0 && std::ferror(stream_)) {
    readErrorNumber_ = errno != 0 ? errno : EIO;
    return -1;
  }
  return static_cast<int>(got);
}

}  // namespace enlazora::formats
