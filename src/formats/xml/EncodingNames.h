#pragma once
// Which converter writes a document in the encoding it declares. libxml2
// finds a converter for a name among its own, then in the system's iconv,
// and last in ICU, whose loose matching also takes spellings such as
// "ISO8859_1", "Latin-1" or "ISO-885-91". libxml2 2.9's output through ICU
// miscounts what it has converted when a character is missing from the
// encoding (a euro sign in a Latin-1 document): it drops text and turns
// markup into character references, a file no reader takes. So a document
// is only written through libxml2's own converters or iconv.
#include <filesystem>

using xmlDoc = struct _xmlDoc;

namespace enlazora::formats {

// For a parsed document whose declared encoding only ICU knows, makes the
// name an alias of the spelling that iconv knows for the same encoding
// ("ISO8859_1" of "ISO88591"), so that writing it goes through iconv. Raises
// DocumentError naming the file when no such spelling exists: the encoding is
// then not recognised.
void RequireSystemConverter(const std::filesystem::path& file, const xmlDoc* doc);

}  // namespace enlazora::formats
