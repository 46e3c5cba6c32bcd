#include "formats/xml/StreamedDocument.h"

#include <libxml/tree.h>

#include "formats/xml/RootContentReader.h"

namespace enlazora::formats {

StreamedDocument StreamedDocument::load(const std::filesystem::path& file) { return read(file, nullptr); }

StreamedDocument StreamedDocument::load(const std::filesystem::path& file, const std::vector<std::string>& blocks) {
  return read(file, &blocks);
}

StreamedDocument StreamedDocument::read(const std::filesystem::path& file, const std::vector<std::string>* blocks) {
  RootContentReader reader(blocks);
  xmlDoc* doc = reader.parse(file);
  return StreamedDocument(doc, reader.takeBlocks(), reader.takeFirstDataChildText());
}

StreamedDocument::StreamedDocument(xmlDoc* doc, Blocks blocks, std::optional<std::string> firstDataChildText)
    : doc_(doc),
      // libxml2 keeps standalone -1 only when the file has no XML declaration.
      hadDeclaration_(doc->standalone != -1),
      blocks_(std::move(blocks)),
      firstDataChildText_(std::move(firstDataChildText)) {}

StreamedDocument::StreamedDocument(StreamedDocument&&) noexcept = default;
StreamedDocument& StreamedDocument::operator=(StreamedDocument&&) noexcept = default;
StreamedDocument::~StreamedDocument() = default;

void StreamedDocument::Deleter::operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }

const std::vector<Record>& StreamedDocument::records(std::string_view block) const {
  static const std::vector<Record> kNone;
  const auto found = blocks_.find(block);
  return found == blocks_.end() ? kNone : found->second;
}

std::optional<std::string> StreamedDocument::firstDataChildText() const { return firstDataChildText_; }

}  // namespace enlazora::formats
