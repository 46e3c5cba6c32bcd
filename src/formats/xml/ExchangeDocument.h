#pragma once
// The exchange document: root SERVICIO, container BLOQUE_DATOS, data blocks
// (grupo_datos named by seq), records (grupo_datos inside a block) and values
// (dato). Values cross to and from the 8-bit Windows-1252 text of the tables.
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using xmlDoc = struct _xmlDoc;
using xmlNode = struct _xmlNode;

namespace enlazora::formats {

// Raised for a document that cannot be loaded, built or saved; the message is
// the Spanish text shown to the user.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One record of a data block: its direct dato children, by 0-based position.
class Record {
 public:
  explicit Record(std::vector<std::string> values) : values_(std::move(values)) {}
  std::size_t size() const { return values_.size(); }
  // The value's text (Windows-1252); a position the record lacks reads as
  // empty text.
  const std::string& value(std::size_t position) const;

 private:
  std::vector<std::string> values_;
};

// An element of a document being built. It stays valid while its document
// lives.
class Element {
 public:
  explicit Element(xmlNode* node) : node_(node) {}
  // Creates an element with the given tag and appends it as the last child.
  Element appendElement(std::string_view tag);
  // Adds or replaces an attribute; the value is Windows-1252 text.
  void setAttribute(std::string_view name, std::string_view ansiValue);
  // The element's content becomes this one text (Windows-1252).
  void setText(std::string_view ansiText);

 private:
  xmlNode* node_;
};

class ExchangeDocument {
 public:
  // Parses the file. A file that is missing, unreadable or not well-formed XML
  // raises DocumentError naming the file (with line and column where the
  // parser gives them). Never touches the network or other files; entity
  // declarations and absurd nesting are refused.
  static ExchangeDocument load(const std::filesystem::path& file);

  ExchangeDocument(ExchangeDocument&&) noexcept;
  ExchangeDocument& operator=(ExchangeDocument&&) noexcept;
  ~ExchangeDocument();

  // The records of every block /SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=block],
  // in document order; each with its direct dato children only.
  std::vector<Record> records(std::string_view block) const;

  // Text content of the first child node of /SERVICIO/BLOQUE_DATOS, as
  // Windows-1252; nothing when the container or its first child is missing.
  std::optional<std::string> firstDataChildText() const;

  // Removes the root element, keeping every node outside it (the XML
  // declaration and any comment or processing instruction), and appends a new
  // root element with the given tag as the document's last child.
  Element replaceRoot(std::string_view tag);

  // Writes the document. With an XML declaration in the input the file keeps
  // it and is encoded as it says; without one it is UTF-8 with none.
  void save(const std::filesystem::path& file) const;

 private:
  explicit ExchangeDocument(xmlDoc* doc, bool hadDeclaration);
  struct Deleter {
    void operator()(xmlDoc* doc) const;
  };
  std::unique_ptr<xmlDoc, Deleter> doc_;
  bool hadDeclaration_ = false;
};

}  // namespace enlazora::formats
