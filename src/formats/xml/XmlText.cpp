#include "formats/xml/XmlText.h"

#include <libxml/tree.h>

#include "formats/xml/ExchangeDocument.h"
#include "text/Windows1252.h"

namespace enlazora::formats {

std::string XmlTextOf(std::string_view ansi) {
  std::string kept;
  kept.reserve(ansi.size());
  for (const char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r') kept += c;
  }
  return text::AnsiToUtf8(kept);
}

std::string XmlNameOf(std::string_view ansiName, std::string (*message)(std::string_view)) {
  std::string name = text::AnsiToUtf8(ansiName);
  if (name.empty() || xmlValidateName(reinterpret_cast<const xmlChar*>(name.c_str()), 0) != 0)
    throw DocumentError(message(ansiName));
  return name;
}

}  // namespace enlazora::formats
