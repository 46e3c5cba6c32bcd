#pragma once
// Parsing an exchange file with libxml2 under this program's safety rules: no
// network, no other file, no DTD loading, no entity declarations, libxml2's
// nesting limit. Every fault becomes a DocumentError in Spanish naming the
// file; a document is returned only when the whole file is well-formed.
#include <filesystem>

using xmlDoc = struct _xmlDoc;
using xmlSAXHandler = struct _xmlSAXHandler;

namespace enlazora::formats {

// Lets a caller handle the parsed content itself: it may replace the parser's
// content handlers before parsing starts (the guards against entity
// declarations stay as they are). Faults are found and reported the same way.
using AdaptHandlers = void (*)(xmlSAXHandler& handlers);

// The caller owns the returned document (xmlFreeDoc).
xmlDoc* ParseExchangeFile(const std::filesystem::path& file, AdaptHandlers adapt = nullptr);

}  // namespace enlazora::formats
