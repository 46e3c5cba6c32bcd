#pragma once
// The file a document is written to, never left half-written: the text goes
// to a temporary file in the same folder, which replaces the target in one
// step once it is complete. Until then, and whenever writing fails, the
// target stays as it was and no other file remains.
#include <cstdio>
#include <filesystem>

namespace enlazora::formats {

class SaveTarget {
 public:
  // Raises DocumentError in Spanish naming the file when the target is a
  // folder or a read-only file, or the temporary file cannot be created.
  explicit SaveTarget(const std::filesystem::path& file);
  // Removes the temporary file unless it has been put in place.
  ~SaveTarget();
  SaveTarget(const SaveTarget&) = delete;
  SaveTarget& operator=(const SaveTarget&) = delete;

  // libxml2's write callback, with a SaveTarget as its context: all bytes or
  // -1.
  static int Write(void* target, const char* bytes, int length);

  // Closes the temporary file and moves it onto the target. Raises
  // DocumentError naming the target when `complete` is false or any write,
  // the closing or the move failed; the target then stays as it was.
  void place(bool complete);

  // Raises the failure of writing, with the system's reason when one is
  // known.
  [[noreturn]] void fail() const;

  const std::filesystem::path& file() const { return file_; }

 private:
  static std::FILE* openNew(const std::filesystem::path& path);
  void keepError(int errorNumber);
  int write(const char* bytes, int length);
  bool finish();
  bool moveOntoTarget();

  std::filesystem::path file_;
  std::filesystem::path temporary_;
  std::FILE* stream_ = nullptr;
  int errorNumber_ = 0;
  bool created_ = false;
  bool placed_ = false;
};

}  // namespace enlazora::formats
