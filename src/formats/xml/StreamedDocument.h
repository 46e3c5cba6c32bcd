#pragma once
// An exchange document read in one pass, without keeping its element tree:
// what the conversions read from it (the records of its data blocks and the
// text of the first child of its data container) and every node that stands
// outside its root element, so that a new document can be written in its
// place (StreamWriter.h). It reads the same values from a file as
// ExchangeDocument, refuses the same files with the same messages, and holds
// far less than the file's tree would.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/xml/ExchangeDocument.h"

namespace enlazora::formats {

class StreamedDocument {
 public:
  // Keeps the records of every block.
  static StreamedDocument load(const std::filesystem::path& file);
  // Keeps only the records of the named blocks (none for an empty list).
  static StreamedDocument load(const std::filesystem::path& file, const std::vector<std::string>& blocks);

  StreamedDocument(StreamedDocument&&) noexcept;
  StreamedDocument& operator=(StreamedDocument&&) noexcept;
  ~StreamedDocument();

  // The records of every block /SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=block]
  // in document order, each with its direct dato children only; empty for a
  // block that is missing or was not kept.
  const std::vector<Record>& records(std::string_view block) const;

  // Text content of the first child node of /SERVICIO/BLOQUE_DATOS, as
  // Windows-1252; nothing when the container or its first child is missing.
  std::optional<std::string> firstDataChildText() const;

  // The document without its root element: its XML declaration's values and
  // every other top-level node, in order.
  const xmlDoc* outsideRoot() const { return doc_.get(); }
  // Whether the file began with an XML declaration.
  bool hadDeclaration() const { return hadDeclaration_; }

 private:
  struct Deleter {
    void operator()(xmlDoc* doc) const;
  };
  using Blocks = std::map<std::string, std::vector<Record>, std::less<>>;  // by seq, UTF-8
  StreamedDocument(xmlDoc* doc, Blocks blocks, std::optional<std::string> firstDataChildText);
  static StreamedDocument read(const std::filesystem::path& file, const std::vector<std::string>* blocks);

  std::unique_ptr<xmlDoc, Deleter> doc_;
  bool hadDeclaration_ = false;
  Blocks blocks_;
  std::optional<std::string> firstDataChildText_;
};

}  // namespace enlazora::formats
