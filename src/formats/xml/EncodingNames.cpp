#include "formats/xml/EncodingNames.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <cctype>
#include <string>
#include <vector>

#include "formats/xml/DocumentMessages.h"
#include "formats/xml/ExchangeDocument.h"

namespace enlazora::formats {
namespace {

// Whether libxml2 reaches the name through its own converters or iconv.
bool KnownWithoutIcu(const std::string& name) {
  xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name.c_str());
  if (handler == nullptr) return false;
#ifdef LIBXML_ICU_ENABLED
  const bool throughIcu = handler->uconv_in != nullptr || handler->uconv_out != nullptr;
#else
  const bool throughIcu = false;
#endif
  xmlCharEncCloseFunc(handler);
  return !throughIcu;
}

// Spellings of an encoding name as iconv lists them: upper case, with "-"
// for "_", without separators ("ISO88591", "LATIN1"), and with one "-"
// between the leading letters and the digits ("WINDOWS-1252").
std::vector<std::string> IconvSpellingsOf(const std::string& name) {
  std::string upper, dashed, bare;
  for (const char c : name) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    upper += letter;
    dashed += letter == '_' ? '-' : letter;
    if (std::isalnum(static_cast<unsigned char>(letter))) bare += letter;
  }
  std::string split = bare;
  const auto digit = split.find_first_of("0123456789");
  if (digit != std::string::npos && digit > 0) split.insert(digit, "-");
  return {upper, dashed, bare, split};
}

}  // namespace

void RequireSystemConverter(const std::filesystem::path& file, const xmlDoc* doc) {
  if (doc->encoding == nullptr) return;
  const std::string declared = reinterpret_cast<const char*>(doc->encoding);
  if (KnownWithoutIcu(declared)) return;
  for (const auto& spelling : IconvSpellingsOf(declared)) {
    if (spelling == declared || !KnownWithoutIcu(spelling)) continue;
    xmlAddEncodingAlias(spelling.c_str(), declared.c_str());
    return;
  }
  throw DocumentError("El archivo \"" + messages::ShownName(file) + "\" declara la codificación \"" + declared +
                      "\", que no se reconoce.");
}

}  // namespace enlazora::formats
