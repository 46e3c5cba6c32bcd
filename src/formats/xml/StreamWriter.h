#pragma once
// Writing a new exchange document in the place of one that was read
// (StreamedDocument), element by element in document order, without building
// it in memory first. The file holds exactly the bytes that the tree would
// save after ExchangeDocument::replaceRoot and the same calls on its
// elements: the read document's XML declaration and encoding, the nodes that
// stood outside its root, then the new root, with no white space of its own.
// The file appears whole or not at all (SaveTarget.h).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/xml/SaveTarget.h"
#include "formats/xml/StreamedDocument.h"

using xmlOutputBuffer = struct _xmlOutputBuffer;
using xmlBuffer = struct _xmlBuffer;

namespace enlazora::formats {

class StreamWriter;

// An element being written; a handle that stays cheap to copy. Calls follow
// document order: an element's attributes are all set before its text or its
// first child, and appending a child to an element ends whatever was still
// open inside it. A call on an element that has ended, or an attribute or
// text after the element's content has begun, is a programming error
// (std::logic_error). Names and text are Windows-1252, as for Element.
class StreamElement {
 public:
  // A new last child.
  StreamElement appendElement(std::string_view tag);
  // Adds or replaces an attribute.
  void setAttribute(std::string_view name, std::string_view ansiValue);
  // The element's content becomes this one text.
  void setText(std::string_view ansiText);

 private:
  friend class StreamWriter;
  StreamElement(StreamWriter* writer, std::size_t depth, std::uint64_t serial)
      : writer_(writer), depth_(depth), serial_(serial) {}
  StreamWriter* writer_;
  std::size_t depth_;
  std::uint64_t serial_;
};

class StreamWriter {
 public:
  // Starts the file with the source's declaration and the nodes outside its
  // root. Raises DocumentError in Spanish naming the file, as
  // ExchangeDocument::save does, when it cannot be written.
  StreamWriter(const StreamedDocument& source, const std::filesystem::path& file);
  // A writer that was not finished leaves no file behind and the target as
  // it was.
  ~StreamWriter();
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;

  // The new root element; once.
  StreamElement root(std::string_view tag);
  // Ends every open element and puts the complete file in place.
  void finish();

 private:
  friend class StreamElement;
  struct OpenElement {
    std::string tag;
    std::vector<std::pair<std::string, std::string>> attributes;  // UTF-8, in the order first set
    std::uint64_t serial = 0;
    bool started = false;  // its start tag is written: its content has begun
  };
  StreamElement appendChild(std::size_t depth, std::uint64_t serial, std::string_view tag);
  void setAttribute(std::size_t depth, std::uint64_t serial, std::string_view name, std::string_view ansiValue);
  void setText(std::size_t depth, std::uint64_t serial, std::string_view ansiText);

  OpenElement& openAt(std::size_t depth, std::uint64_t serial);
  StreamElement push(std::string tag);
  void endInnermost();
  void writeOutsideRoot(const StreamedDocument& source, const char* encoding);
  void writeStartTag(OpenElement& element, bool empty);
  void writeAttributeValue(const std::string& utf8);
  void writeText(const std::string& utf8);
  void write(std::string_view bytes);
  void checkWritten(int result);

  SaveTarget target_;
  struct OutputCloser {
    void operator()(xmlOutputBuffer* out) const;
  };
  // Closed before the target goes: what it still holds goes to the
  // temporary file, which the target then removes.
  std::unique_ptr<xmlOutputBuffer, OutputCloser> out_;
  struct DocDeleter {
    void operator()(xmlDoc* doc) const;
  };
  // Carries the encoding that attribute values are escaped for.
  std::unique_ptr<xmlDoc, DocDeleter> escaping_;
  struct BufferDeleter {
    void operator()(xmlBuffer* buffer) const;
  };
  std::unique_ptr<xmlBuffer, BufferDeleter> attributeText_;
  bool withoutEncoding_ = false;  // every character beyond ASCII as a reference
  bool xhtml_ = false;            // the source declares an XHTML document type
  std::vector<OpenElement> open_;
  std::uint64_t nextSerial_ = 0;
  bool rootBegun_ = false;
  bool finished_ = false;
};

}  // namespace enlazora::formats
