#include "formats/xml/StreamWriter.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlsave.h>

#include <array>
#include <new>
#include <stdexcept>

#include "formats/xml/AsciiEscaping.h"
#include "formats/xml/DocumentMessages.h"
#include "formats/xml/ScopedErrorHandler.h"
#include "formats/xml/XmlText.h"

namespace enlazora::formats {
namespace {

const xmlChar* asXml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// The encoding the file is written in, as the tree's save picks it: the one
// the declaration names (none when it names none), UTF-8 without a
// declaration.
const char* encodingFor(const StreamedDocument& source) {
  if (!source.hadDeclaration()) return "UTF-8";
  const xmlDoc* doc = source.outsideRoot();
  return doc->encoding != nullptr ? reinterpret_cast<const char*>(doc->encoding) : nullptr;
}

// A document type of XHTML 1.0 makes a libxml2 built with HTML support save
// the whole document as XHTML, where an empty element is written as a pair of
// tags.
bool declaresXhtml(const xmlDoc* doc) {
#ifdef LIBXML_HTML_ENABLED
  const xmlDtd* type = xmlGetIntSubset(doc);
  return type != nullptr && xmlIsXHTML(type->SystemID, type->ExternalID) > 0;
#else
  (void)doc;
  return false;
#endif
}

// XHTML's own empty elements, written as "<br />" there.
bool isXhtmlEmptyElement(std::string_view tag) {
  static constexpr std::array<std::string_view, 13> kEmpty = {
      "area", "base", "basefont", "br", "col", "frame", "hr", "img", "input", "isindex", "link", "meta", "param"};
  for (const auto empty : kEmpty)
    if (tag == empty) return true;
  return false;
}

// A declaration's value in quotes, as libxml2 writes one.
std::string quoted(std::string_view value) {
  if (value.find('"') == std::string_view::npos) return "\"" + std::string(value) + "\"";
  if (value.find('\'') == std::string_view::npos) return "'" + std::string(value) + "'";
  std::string text = "\"";
  for (const char c : value) text += c == '"' ? std::string("&quot;") : std::string(1, c);
  return text + "\"";
}

// While it lives, libxml2 reports nothing: failures are known from results.
class Quiet {
 public:
  Quiet() : handler_(nullptr, ScopedErrorHandler::Ignore) {}

 private:
  ScopedErrorHandler handler_;
};

}  // namespace

StreamElement StreamElement::appendElement(std::string_view tag) { return writer_->appendChild(depth_, serial_, tag); }

void StreamElement::setAttribute(std::string_view name, std::string_view ansiValue) {
  writer_->setAttribute(depth_, serial_, name, ansiValue);
}

void StreamElement::setText(std::string_view ansiText) { writer_->setText(depth_, serial_, ansiText); }

void StreamWriter::DocDeleter::operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
void StreamWriter::BufferDeleter::operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }

StreamWriter::StreamWriter(const StreamedDocument& source, const std::filesystem::path& file) : target_(file) {
  Quiet quiet;
  const char* encoding = encodingFor(source);
  xmlCharEncodingHandler* encoder = nullptr;
  if (encoding != nullptr) {
    encoder = xmlFindCharEncodingHandler(encoding);
    if (encoder == nullptr) throw DocumentError(messages::SaveEncodingMissing(file, encoding));
  }
  out_.reset(xmlOutputBufferCreateIO(SaveTarget::Write, nullptr, &target_, encoder));
  if (!out_) {
    if (encoder != nullptr) xmlCharEncCloseFunc(encoder);
    throw std::bad_alloc();
  }
  escaping_.reset(xmlNewDoc(asXml("1.0")));
  attributeText_.reset(xmlBufferCreate());
  if (!escaping_ || !attributeText_) throw std::bad_alloc();
  if (encoding != nullptr) escaping_->encoding = xmlStrdup(asXml(encoding));
  withoutEncoding_ = encoding == nullptr;
  xhtml_ = declaresXhtml(source.outsideRoot());
  writeOutsideRoot(source, encoding);
}

StreamWriter::~StreamWriter() = default;

void StreamWriter::OutputCloser::operator()(xmlOutputBuffer* out) const {
  Quiet quiet;
  xmlOutputBufferClose(out);
}

StreamElement StreamWriter::root(std::string_view tag) {
  if (rootBegun_) throw std::logic_error("the document's root has already been begun");
  std::string name = XmlNameOf(tag, messages::InvalidElementName);
  rootBegun_ = true;
  return push(std::move(name));
}

void StreamWriter::finish() {
  if (!rootBegun_ || finished_) throw std::logic_error("a document is finished once, after its root is begun");
  Quiet quiet;
  while (!open_.empty()) endInnermost();
  write("\n");
  const int closed = xmlOutputBufferClose(out_.release());
  finished_ = true;
  target_.place(closed >= 0);
}

StreamElement StreamWriter::appendChild(std::size_t depth, std::uint64_t serial, std::string_view tag) {
  std::string name = XmlNameOf(tag, messages::InvalidElementName);
  openAt(depth, serial);
  Quiet quiet;
  while (open_.size() > depth + 1) endInnermost();
  OpenElement& parent = open_.back();
  if (!parent.started) writeStartTag(parent, false);
  return push(std::move(name));
}

void StreamWriter::setAttribute(std::size_t depth, std::uint64_t serial, std::string_view name,
                                std::string_view ansiValue) {
  std::string xmlName = XmlNameOf(name, messages::InvalidAttributeName);
  OpenElement& element = openAt(depth, serial);
  if (element.started) throw std::logic_error("an attribute is set after the element's content has begun");
  std::string value = XmlTextOf(ansiValue);
  for (auto& [existing, existingValue] : element.attributes)
    if (existing == xmlName) {
      existingValue = std::move(value);
      return;
    }
  element.attributes.emplace_back(std::move(xmlName), std::move(value));
}

void StreamWriter::setText(std::size_t depth, std::uint64_t serial, std::string_view ansiText) {
  OpenElement& element = openAt(depth, serial);
  if (element.started) throw std::logic_error("a text is set after the element's content has begun");
  const std::string content = XmlTextOf(ansiText);
  if (content.empty()) return;
  Quiet quiet;
  writeStartTag(element, false);
  writeText(content);
}

StreamWriter::OpenElement& StreamWriter::openAt(std::size_t depth, std::uint64_t serial) {
  if (finished_ || depth >= open_.size() || open_[depth].serial != serial)
    throw std::logic_error("the element has already ended");
  return open_[depth];
}

StreamElement StreamWriter::push(std::string tag) {
  OpenElement element;
  element.tag = std::move(tag);
  element.serial = nextSerial_++;
  open_.push_back(std::move(element));
  return StreamElement(this, open_.size() - 1, open_.back().serial);
}

// An element that never began its content is written as an empty element.
void StreamWriter::endInnermost() {
  OpenElement& element = open_.back();
  if (element.started) {
    write("</");
    write(element.tag);
    write(">");
  } else {
    writeStartTag(element, true);
  }
  open_.pop_back();
}

// The declaration as the tree's save writes it, then every node outside the
// root, each followed by a line break.
void StreamWriter::writeOutsideRoot(const StreamedDocument& source, const char* encoding) {
  const xmlDoc* doc = source.outsideRoot();
  if (source.hadDeclaration()) {
    write("<?xml version=");
    write(doc->version != nullptr ? quoted(reinterpret_cast<const char*>(doc->version)) : std::string("\"1.0\""));
    if (encoding != nullptr) {
      write(" encoding=");
      write(quoted(encoding));
    }
    if (doc->standalone == 0) write(" standalone=\"no\"");
    if (doc->standalone == 1) write(" standalone=\"yes\"");
    write("?>\n");
  }
  for (xmlNode* node = doc->children; node != nullptr; node = node->next) {
    xmlNodeDumpOutput(out_.get(), const_cast<xmlDoc*>(doc), node, 0, 0, encoding);
    write("\n");
  }
}

void StreamWriter::writeStartTag(OpenElement& element, bool empty) {
  write("<");
  write(element.tag);
  for (const auto& [name, value] : element.attributes) {
    write(" ");
    write(name);
    write("=\"");
    writeAttributeValue(value);
    write("\"");
  }
  element.started = true;
  if (!empty) {
    write(">");
  } else if (!xhtml_) {
    write("/>");
  } else if (isXhtmlEmptyElement(element.tag)) {
    write(" />");
  } else {
    write("></");
    write(element.tag);
    write(">");
  }
}

// libxml2's own escaping of attribute values, for the file's encoding.
void StreamWriter::writeAttributeValue(const std::string& utf8) {
  xmlBufferEmpty(attributeText_.get());
  xmlAttrSerializeTxtContent(attributeText_.get(), escaping_.get(), nullptr, asXml(utf8.c_str()));
  write(std::string_view(reinterpret_cast<const char*>(xmlBufferContent(attributeText_.get())),
                         static_cast<std::size_t>(xmlBufferLength(attributeText_.get()))));
}

// libxml2's own escaping of element text: markup characters only, the
// encoder writing references for what the encoding lacks; without an
// encoding, plain ASCII.
void StreamWriter::writeText(const std::string& utf8) {
  checkWritten(xmlOutputBufferWriteEscape(out_.get(), asXml(utf8.c_str()), withoutEncoding_ ? EscapeAsAscii : nullptr));
}

void StreamWriter::write(std::string_view bytes) {
  checkWritten(xmlOutputBufferWrite(out_.get(), static_cast<int>(bytes.size()), bytes.data()));
}

void StreamWriter::checkWritten(int result) {
  if (result < 0 || out_->error != 0) target_.fail();
}

}  // namespace enlazora::formats
