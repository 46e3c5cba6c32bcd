#include "formats/xml/ExchangeDocument.h"

#include <libxml/tree.h>

#include <new>

#include "formats/xml/DocumentMessages.h"
#include "formats/xml/SafeParser.h"
#include "formats/xml/SafeSaver.h"
#include "formats/xml/XmlText.h"
#include "text/Windows1252.h"

namespace enlazora::formats {
namespace {

const xmlChar* asXml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
const xmlChar* asXml(const std::string& text) { return asXml(text.c_str()); }

// An element of that name in no namespace, as a location path step matches it.
bool isElementNamed(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && node->ns == nullptr && xmlStrEqual(node->name, asXml(name));
}

std::string ansiOf(const xmlChar* utf8) { return text::Utf8ToAnsi(reinterpret_cast<const char*>(utf8)); }

// The text of a node and all its descendants, as Windows-1252. A value that
// holds one plain text, the common case, is read in place.
std::string ansiTextOf(const xmlNode* node) {
  const xmlNode* only = node->children;
  if (node->type == XML_ELEMENT_NODE && only == nullptr) return {};
  if (node->type == XML_ELEMENT_NODE && only->next == nullptr && only->type == XML_TEXT_NODE && only->content)
    return ansiOf(only->content);
  xmlChar* content = xmlNodeGetContent(node);
  if (content == nullptr) return {};
  std::string ansi = ansiOf(content);
  xmlFree(content);
  return ansi;
}

bool hasSeq(const xmlNode* block, std::string_view seq) {
  xmlChar* value = xmlGetNoNsProp(block, asXml("seq"));
  if (value == nullptr) return false;
  const bool same = std::string_view(reinterpret_cast<const char*>(value)) == seq;
  xmlFree(value);
  return same;
}

Record recordOf(const xmlNode* record) {
  std::vector<std::string> values;
  for (const xmlNode* child = record->children; child != nullptr; child = child->next)
    if (isElementNamed(child, "dato")) values.push_back(ansiTextOf(child));
  return Record(std::move(values));
}

void appendRecordsOf(const xmlNode* block, std::vector<Record>& records) {
  for (const xmlNode* child = block->children; child != nullptr; child = child->next)
    if (isElementNamed(child, "grupo_datos")) records.push_back(recordOf(child));
}

// /SERVICIO/BLOQUE_DATOS: the containers under a SERVICIO root, in order.
template <typename Visit>
void forEachContainer(const xmlDoc* doc, Visit visit) {
  const xmlNode* root = xmlDocGetRootElement(doc);
  if (root == nullptr || !isElementNamed(root, "SERVICIO")) return;
  for (const xmlNode* child = root->children; child != nullptr; child = child->next)
    if (isElementNamed(child, "BLOQUE_DATOS") && !visit(child)) return;
}

xmlNode* newElement(xmlDoc* doc, std::string_view ansiTag) {
  const std::string tag = XmlNameOf(ansiTag, messages::InvalidElementName);
  xmlNode* element = xmlNewDocNode(doc, nullptr, asXml(tag), nullptr);
  if (element == nullptr) throw std::bad_alloc();
  return element;
}

}  // namespace

const std::string& Record::value(std::size_t position) const {
  static const std::string kMissing;
  return position < values_.size() ? values_[position] : kMissing;
}

Element Element::appendElement(std::string_view tag) {
  xmlNode* child = newElement(node_->doc, tag);
  xmlAddChild(node_, child);
  return Element(child);
}

void Element::setAttribute(std::string_view name, std::string_view ansiValue) {
  const std::string xmlName = XmlNameOf(name, messages::InvalidAttributeName);
  // xmlSetProp keeps the value as plain text: escaping happens on writing.
  if (xmlSetProp(node_, asXml(xmlName), asXml(XmlTextOf(ansiValue))) == nullptr) throw std::bad_alloc();
}

void Element::setText(std::string_view ansiText) {
  // Clearing first, then adding a plain text node: xmlNodeSetContent would
  // read "&...;" in the text as entity references.
  xmlNodeSetContent(node_, nullptr);
  const std::string content = XmlTextOf(ansiText);
  if (content.empty()) return;
  xmlNode* textNode = xmlNewDocText(node_->doc, asXml(content));
  if (textNode == nullptr) throw std::bad_alloc();
  xmlAddChild(node_, textNode);
}

ExchangeDocument ExchangeDocument::load(const std::filesystem::path& file) {
  xmlDoc* doc = ParseExchangeFile(file);
  // libxml2 keeps standalone -1 only when the file has no XML declaration.
  const bool hadDeclaration = doc->standalone != -1;
  return ExchangeDocument(doc, hadDeclaration);
}

ExchangeDocument::ExchangeDocument(xmlDoc* doc, bool hadDeclaration) : doc_(doc), hadDeclaration_(hadDeclaration) {}
ExchangeDocument::ExchangeDocument(ExchangeDocument&&) noexcept = default;
ExchangeDocument& ExchangeDocument::operator=(ExchangeDocument&&) noexcept = default;
ExchangeDocument::~ExchangeDocument() = default;

void ExchangeDocument::Deleter::operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }

std::vector<Record> ExchangeDocument::records(std::string_view block) const {
  std::vector<Record> found;
  forEachContainer(doc_.get(), [&](const xmlNode* container) {
    for (const xmlNode* child = container->children; child != nullptr; child = child->next)
      if (isElementNamed(child, "grupo_datos") && hasSeq(child, block)) appendRecordsOf(child, found);
    return true;
  });
  return found;
}

std::optional<std::string> ExchangeDocument::firstDataChildText() const {
  std::optional<std::string> text;
  forEachContainer(doc_.get(), [&](const xmlNode* container) {
    if (container->children != nullptr) text = ansiTextOf(container->children);
    return false;  // only the first container counts
  });
  return text;
}

Element ExchangeDocument::replaceRoot(std::string_view tag) {
  xmlNode* root = newElement(doc_.get(), tag);
  if (xmlNode* old = xmlDocGetRootElement(doc_.get()); old != nullptr) {
    xmlUnlinkNode(old);
    xmlFreeNode(old);
  }
  xmlAddChild(reinterpret_cast<xmlNode*>(doc_.get()), root);
  return Element(root);
}

void ExchangeDocument::save(const std::filesystem::path& file) const {
  SaveDocumentFile(doc_.get(), hadDeclaration_, file);
}

}  // namespace enlazora::formats
