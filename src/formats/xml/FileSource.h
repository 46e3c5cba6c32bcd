#pragma once
// The bytes of the file being parsed, handed to libxml2 in pieces. The first
// piece is read at once so that an empty or binary file is told apart before
// parsing; a read error is kept for the message.
#include <cstdio>
#include <filesystem>
#include <string>

namespace enlazora::formats {

class FileSource {
 public:
  // Opens the file and reads its first piece; raises DocumentError when the
  // file is missing, a folder, or cannot be read.
  explicit FileSource(const std::filesystem::path& file);
  ~FileSource();
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool empty() const { return head_.empty(); }
  // The first piece of the file.
  const std::string& head() const { return head_; }
  // NUL bytes in the first piece of a file that is not UTF-16 or UCS-4 text.
  bool looksBinary() const;

  // libxml2's read callback: copies up to length bytes, 0 at the end, -1 on a
  // read error.
  static int Read(void* source, char* buffer, int length);
  int readErrorNumber() const { return readErrorNumber_; }

 private:
  int read(char* buffer, int length);

  std::FILE* stream_ = nullptr;
  std::string head_;
  std::size_t headPosition_ = 0;
  int readErrorNumber_ = 0;
};

}  // namespace enlazora::formats
