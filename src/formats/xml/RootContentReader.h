#pragma once
// Reads an exchange file through the guarded parser (SafeParser.h) without
// building its root element into a tree: the root's content arrives as
// parser events, from which this reader keeps the records of the data blocks
// and the text of the first data child, exactly as the loaded tree would give
// them. Only the nodes outside the root become part of the returned document.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/TextContent.h"

namespace enlazora::formats {

using BlockRecords = std::map<std::string, std::vector<Record>, std::less<>>;

class RootContentReader {
 public:
  // Keeps the records of the named blocks, or of every block when null.
  explicit RootContentReader(const std::vector<std::string>* keptBlocks) : keptBlocks_(keptBlocks) {}

  // The document without its root element; the caller owns it (xmlFreeDoc).
  // Raises DocumentError as ExchangeDocument::load does.
  xmlDoc* parse(const std::filesystem::path& file);

  BlockRecords takeBlocks() { return std::move(blocks_); }
  std::optional<std::string> takeFirstDataChildText() { return std::move(firstDataChildText_); }

  // The parser's events inside the root element (depth counts the open
  // elements; 0 is outside the root).
  int depth() const { return static_cast<int>(roles_.size()); }
  void startElement(bool plain, std::string_view name, std::optional<std::string> seq);
  void endElement();
  void characters(std::string_view utf8);
  void cdata(std::string_view utf8);
  // A comment, processing instruction (with its text content) or entity
  // reference (none) inside the root.
  void otherNode(std::string_view textContent);

 private:
  enum class Role { Ignored, Root, Container, FirstContainer, Block, Record, Value };
  Role roleOf(bool plain, std::string_view name, const std::optional<std::string>& seq);
  bool keeps(std::string_view block) const;

  // The first child node of the first container, as loading leaves it: a
  // white-space-only text is no child there when the container also holds
  // elements.
  struct FirstChild {
    std::optional<std::string> found;       // first child other than blank text
    std::optional<std::string> firstBlank;  // blank text ahead of any other child
    std::string pendingText;
    bool inText = false;
    bool holdsElements = false;
    void endText();
    std::optional<std::string> result();
  };

  const std::vector<std::string>* keptBlocks_;
  std::vector<Role> roles_;
  bool containerSeen_ = false;
  std::vector<Record>* block_ = nullptr;
  std::vector<std::string> values_;
  std::optional<TextContent> value_;
  FirstChild firstChild_;
  std::optional<TextContent> firstChildElement_;
  BlockRecords blocks_;
  std::optional<std::string> firstDataChildText_;
};

}  // namespace enlazora::formats
