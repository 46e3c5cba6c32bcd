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

std::optional<std::string> DeclaredEncoding(std::string_view head) {
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  if (!head.starts_with("<?xml")) return std::nullopt;
  const auto end = head.find("?>");
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view declaration = head.substr(0, end);
  auto at = declaration.find("encoding");
  if (at == std::string_view::npos) return std::nullopt;
  at = declaration.find_first_not_of(" \t\r\n", at + 8);
  if (at == std::string_view::npos || declaration[at] != '=') return std::nullopt;
  at = declaration.find_first_not_of(" \t\r\n", at + 1);
  if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\'')) return std::nullopt;
  const auto close = declaration.find(declaration[at], at + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(declaration.substr(at + 1, close - at - 1));
}

void PreferSystemConverter(const std::string& encoding) {
  if (encoding.empty() || KnownWithoutIcu(encoding)) return;
  for (const auto& spelling : IconvSpellingsOf(encoding)) {
    if (spelling == encoding || !KnownWithoutIcu(spelling)) continue;
    xmlAddEncodingAlias(spelling.c_str(), encoding.c_str());
    return;
  }
}

void RequireSystemConverter(const std::filesystem::path& file, const xmlDoc* doc) {
  if (doc->encoding == nullptr) return;
  const std::string declared = reinterpret_cast<const char*>(doc->encoding);
  PreferSystemConverter(declared);
  if (KnownWithoutIcu(declared)) return;
  throw DocumentError("El archivo \"" + messages::ShownName(file) + "\" declara la codificación \"" + declared +
                      "\", que no se reconoce.");
}

}  // namespace enlazora::formats
