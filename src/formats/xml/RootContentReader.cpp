#include "formats/xml/RootContentReader.h"

#include <libxml/parser.h>

#include <algorithm>

#include "formats/xml/SafeParser.h"
#include "text/Windows1252.h"

namespace enlazora::formats {
namespace {

// The reader of the parse running on this thread, and the tree builder's own
// handlers for what stands outside the root.
thread_local RootContentReader* tReader = nullptr;
thread_local commentSAXFunc tTreeComment = nullptr;
thread_local processingInstructionSAXFunc tTreeInstruction = nullptr;

std::string_view viewOf(const xmlChar* text) {
  return text != nullptr ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

std::string_view viewOf(const xmlChar* text, int length) {
  return text != nullptr && length > 0
             ? std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length))
             : std::string_view();
}

// A written attribute value that held a reference reaches us with each "&"
// still as "&#38;"; the tree builder reads that back as "&". A value filled in
// from the document type's default is taken as it stands, as the tree gives
// it.
std::string attributeValue(const xmlChar* begin, const xmlChar* end, bool defaulted) {
  std::string value(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin));
  if (defaulted || value.find('&') == std::string::npos) return value;
  static constexpr std::string_view kAmpersand = "&#38;";
  std::string decoded;
  for (std::size_t at = 0; at < value.size();) {
    if (std::string_view(value).substr(at).starts_with(kAmpersand)) {
      decoded += '&';
      at += kAmpersand.size();
    } else {
      decoded += value[at++];
    }
  }
  return decoded;
}

// The value of the attribute seq in no namespace; libxml2 lists each
// attribute as five pointers (name, prefix, namespace, value, end of value),
// those filled in from defaults last.
std::optional<std::string> seqOf(int count, int defaulted, const xmlChar** attributes) {
  for (int k = 0; k < count; ++k) {
    const xmlChar** attribute = attributes + 5 * k;
    if (attribute[1] == nullptr && viewOf(attribute[0]) == "seq")
      return attributeValue(attribute[3], attribute[4], k >= count - defaulted);
  }
  return std::nullopt;
}

void onStartElement(void*, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri, int, const xmlChar**,
                    int attributeCount, int defaultedCount, const xmlChar** attributes) {
  const bool plain = uri == nullptr && prefix == nullptr;
  const std::string_view name = viewOf(localName);
  std::optional<std::string> seq;
  if (plain && name == "grupo_datos") seq = seqOf(attributeCount, defaultedCount, attributes);
  tReader->startElement(plain, name, std::move(seq));
}

void onEndElement(void*, const xmlChar*, const xmlChar*, const xmlChar*) { tReader->endElement(); }

void onCharacters(void*, const xmlChar* text, int length) {
  if (tReader->depth() > 0) tReader->characters(viewOf(text, length));
}

void onCData(void*, const xmlChar* text, int length) {
  if (tReader->depth() > 0) tReader->cdata(viewOf(text, length));
}

void onComment(void* context, const xmlChar* text) {
  if (tReader->depth() > 0)
    tReader->otherNode(viewOf(text));
  else if (tTreeComment != nullptr)
    tTreeComment(context, text);
}

void onInstruction(void* context, const xmlChar* target, const xmlChar* data) {
  if (tReader->depth() > 0)
    tReader->otherNode(viewOf(data));
  else if (tTreeInstruction != nullptr)
    tTreeInstruction(context, target, data);
}

void onReference(void*, const xmlChar*) {
  // Only an entity that was never declared can be met (declarations are
  // refused): it holds no text.
  if (tReader->depth() > 0) tReader->otherNode({});
}

void adaptHandlers(xmlSAXHandler& handlers) {
  tTreeComment = handlers.comment;
  tTreeInstruction = handlers.processingInstruction;
  handlers.startElementNs = onStartElement;
  handlers.endElementNs = onEndElement;
  // One handler for both, so that the parser never weighs which white space
  // is ignorable: all text reaches us, as it reaches the tree builder.
  handlers.characters = onCharacters;
  handlers.ignorableWhitespace = onCharacters;
  handlers.cdataBlock = onCData;
  handlers.comment = onComment;
  handlers.processingInstruction = onInstruction;
  handlers.reference = onReference;
}

class CurrentReader {
 public:
  explicit CurrentReader(RootContentReader* reader) { tReader = reader; }
  ~CurrentReader() {
    tReader = nullptr;
    tTreeComment = nullptr;
    tTreeInstruction = nullptr;
  }
  CurrentReader(const CurrentReader&) = delete;
  CurrentReader& operator=(const CurrentReader&) = delete;
};

}  // namespace

xmlDoc* RootContentReader::parse(const std::filesystem::path& file) {
  CurrentReader current(this);
  xmlDoc* doc = ParseExchangeFile(file, adaptHandlers);
  for (auto& [name, records] : blocks_) records.shrink_to_fit();
  return doc;
}

bool RootContentReader::keeps(std::string_view block) const {
  return keptBlocks_ == nullptr || std::find(keptBlocks_->begin(), keptBlocks_->end(), block) != keptBlocks_->end();
}

RootContentReader::Role RootContentReader::roleOf(bool plain, std::string_view name,
                                                  const std::optional<std::string>& seq) {
  if (roles_.empty()) return plain && name == "SERVICIO" ? Role::Root : Role::Ignored;
  switch (roles_.back()) {
    case Role::Root:
      if (!plain || name != "BLOQUE_DATOS") return Role::Ignored;
      if (containerSeen_) return Role::Container;
      containerSeen_ = true;
      return Role::FirstContainer;
    case Role::Container:
    case Role::FirstContainer:
      if (!plain || name != "grupo_datos" || !seq || !keeps(*seq)) return Role::Ignored;
      block_ = &blocks_[*seq];
      return Role::Block;
    case Role::Block:
      return plain && name == "grupo_datos" ? Role::Record : Role::Ignored;
    case Role::Record:
      return plain && name == "dato" ? Role::Value : Role::Ignored;
    default:
      return Role::Ignored;
  }
}

void RootContentReader::startElement(bool plain, std::string_view name, std::optional<std::string> seq) {
  if (value_) value_->startElement();
  if (firstChildElement_) firstChildElement_->startElement();
  if (!roles_.empty() && roles_.back() == Role::FirstContainer) {
    firstChild_.endText();
    firstChild_.holdsElements = true;
    if (!firstChild_.found) {
      firstChild_.found.emplace();
      firstChildElement_.emplace();
    }
  }
  const Role role = roleOf(plain, name, seq);
  roles_.push_back(role);
  if (role == Role::Record) values_.clear();
  if (role == Role::Value) value_.emplace();
}

void RootContentReader::endElement() {
  const Role role = roles_.back();
  roles_.pop_back();
  if (value_ && value_->endElement()) {
    values_.push_back(text::Utf8ToAnsi(value_->text()));
    value_.reset();
  }
  if (firstChildElement_ && firstChildElement_->endElement()) {
    firstChild_.found = std::move(firstChildElement_->text());
    firstChildElement_.reset();
  }
  if (role == Role::Record) {
    block_->emplace_back(std::move(values_));
    values_ = {};
  } else if (role == Role::FirstContainer) {
    if (auto text = firstChild_.result()) firstDataChildText_ = text::Utf8ToAnsi(*text);
  }
}

void RootContentReader::characters(std::string_view utf8) {
  if (value_) value_->characters(utf8);
  if (firstChildElement_) firstChildElement_->characters(utf8);
  if (roles_.back() == Role::FirstContainer) {
    firstChild_.pendingText += utf8;
    firstChild_.inText = true;
  }
}

void RootContentReader::cdata(std::string_view utf8) {
  if (value_) value_->cdata(utf8);
  if (firstChildElement_) firstChildElement_->cdata(utf8);
  if (roles_.back() == Role::FirstContainer) {
    firstChild_.endText();
    if (!firstChild_.found) firstChild_.found.emplace(utf8);
  }
}

void RootContentReader::otherNode(std::string_view textContent) {
  if (value_) value_->otherNode();
  if (firstChildElement_) firstChildElement_->otherNode();
  if (roles_.back() == Role::FirstContainer) {
    firstChild_.endText();
    if (!firstChild_.found) firstChild_.found.emplace(textContent);
  }
}

void RootContentReader::FirstChild::endText() {
  if (!inText) return;
  if (!IsBlankText(pendingText)) {
    if (!found) found = pendingText;
  } else if (!found && !firstBlank) {
    firstBlank = pendingText;
  }
  pendingText.clear();
  inText = false;
}

std::optional<std::string> RootContentReader::FirstChild::result() {
  endText();
  if (holdsElements || !firstBlank) return found;
  return firstBlank;
}

}  // namespace enlazora::formats
