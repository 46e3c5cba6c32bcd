#pragma once
// Parsing an exchange file with libxml2 under this program's safety rules: no
// network, no other file, no DTD loading, no entity declarations, libxml2's
// nesting limit. Every fault becomes a DocumentError in Spanish naming the
// file; a document is returned only when the whole file is well-formed.
#include <filesystem>

using xmlDoc = struct _xmlDoc;

namespace enlazora::formats {

// The caller owns the returned document (xmlFreeDoc).
xmlDoc* ParseExchangeFile(const std::filesystem::path& file);

}  // namespace enlazora::formats
