#include "formats/xml/SafeSaver.h"

#include <libxml/xmlsave.h>

#include "formats/xml/DocumentMessages.h"
#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/SaveTarget.h"
#include "formats/xml/ScopedErrorHandler.h"

namespace enlazora::formats {
namespace {

const char* declaredEncoding(const xmlDoc* doc) {
  return doc->encoding != nullptr ? reinterpret_cast<const char*>(doc->encoding) : nullptr;
}

}  // namespace

void SaveDocumentFile(xmlDoc* doc, bool withDeclaration, const std::filesystem::path& file) {
  SaveTarget target(file);
  // Failures are known from the results and the target's own error.
  ScopedErrorHandler quiet(nullptr, ScopedErrorHandler::Ignore);
  const char* encoding = withDeclaration ? declaredEncoding(doc) : "UTF-8";
  const int options = withDeclaration ? 0 : XML_SAVE_NO_DECL;
  xmlSaveCtxtPtr saver = xmlSaveToIO(SaveTarget::Write, nullptr, &target, encoding, options);
  if (saver == nullptr) throw DocumentError(messages::SaveEncodingMissing(file, encoding != nullptr ? encoding : ""));
  const long dumped = xmlSaveDoc(saver, doc);
  const int closed = xmlSaveClose(saver);
  target.place(dumped >= 0 && closed >= 0);
}

}  // namespace enlazora::formats
