#include "formats/xml/SafeSaver.h"

#include <libxml/xmlsave.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "formats/xml/DocumentMessages.h"
#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/ScopedErrorHandler.h"

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

// The temporary file being written, removed unless it has been moved into
// place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && !created_; ++attempt) {
      path_ = target.parent_path() / ("." + target.filename().string() + ".tmp" +
                                      std::to_string(ENLAZORA_PROCESS_ID) + "-" + std::to_string(counter++));
      stream_ = openNew(path_);
      created_ = stream_ != nullptr;
      if (!created_ && errno != EEXIST) break;
    }
    if (!created_) errorNumber_ = errno;
  }
  ~TemporaryFile() {
    if (stream_ != nullptr) std::fclose(stream_);
    if (created_ && !placed_) {
      std::error_code ignored;
      fs::remove(path_, ignored);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool isOpen() const { return stream_ != nullptr; }
  int errorNumber() const { return errorNumber_; }

  // libxml2's write callback: all bytes or -1.
  static int Write(void* file, const char* bytes, int length) {
    return static_cast<TemporaryFile*>(file)->write(bytes, length);
  }

  // Flushes and closes; false (with the error kept) when any write failed.
  bool finish() {
    if (std::fflush(stream_) != 0) keepError(errno);
    if (std::fclose(stream_) != 0) keepError(errno);
    stream_ = nullptr;
    return errorNumber_ == 0;
  }

  // Moves the finished file onto the target, replacing it.
  bool placeAt(const fs::path& target) {
    std::error_code error;
    fs::rename(path_, target, error);
    if (error) {
      keepError(error.value());
      return false;
    }
    placed_ = true;
    return true;
  }

 private:
  static std::FILE* openNew(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
  }

  void keepError(int errorNumber) {
    if (errorNumber_ == 0) errorNumber_ = errorNumber != 0 ? errorNumber : EIO;
  }

  int write(const char* bytes, int length) {
    if (length <= 0) return 0;
    const auto size = static_cast<std::size_t>(length);
    if (std::fwrite(bytes, 1, size, stream_) != size) {
      keepError(errno);
      return -1;
    }
    return length;
  }

  fs::path path_;
  std::FILE* stream_ = nullptr;
  int errorNumber_ = 0;
  bool created_ = false;
  bool placed_ = false;
};

// A read-only file is not replaced, even where the folder would allow it.
bool isReadOnlyFile(const fs::path& file) {
#ifdef _WIN32
  (void)file;
  return false;
#else
  return access(file.c_str(), F_OK) == 0 && access(file.c_str(), W_OK) != 0 && errno == EACCES;
#endif
}

const char* declaredEncoding(const xmlDoc* doc) {
  return doc->encoding != nullptr ? reinterpret_cast<const char*>(doc->encoding) : nullptr;
}

}  // namespace

void SaveDocumentFile(xmlDoc* doc, bool withDeclaration, const fs::path& file) {
  std::error_code ignored;
  if (fs::is_directory(file, ignored)) throw DocumentError(messages::SaveTargetIsFolder(file));
  if (isReadOnlyFile(file)) throw DocumentError(messages::SaveFailed(file, EACCES));
  TemporaryFile temporary(file);
  if (!temporary.isOpen()) throw DocumentError(messages::SaveFailed(file, temporary.errorNumber()));

  // Failures are known from the results and the temporary file's error.
  ScopedErrorHandler quiet(nullptr, ScopedErrorHandler::Ignore);
  const char* encoding = withDeclaration ? declaredEncoding(doc) : "UTF-8";
  const int options = withDeclaration ? 0 : XML_SAVE_NO_DECL;
  xmlSaveCtxtPtr saver = xmlSaveToIO(TemporaryFile::Write, nullptr, &temporary, encoding, options);
  if (saver == nullptr) throw DocumentError(messages::SaveEncodingMissing(file, encoding != nullptr ? encoding : ""));
  const long dumped = xmlSaveDoc(saver, doc);
  const int closed = xmlSaveClose(saver);
  if (!temporary.finish() || dumped < 0 || closed < 0 || !temporary.placeAt(file))
    throw DocumentError(messages::SaveFailed(file, temporary.errorNumber()));
}

}  // namespace enlazora::formats
