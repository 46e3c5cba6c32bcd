#pragma once
// Which converter writes a document in the encoding it declares. libxml2
// finds a converter for a name among its own, then in the system's iconv,
// and last in ICU, whose loose matching also takes spellings such as
// "ISO8859_1", "Latin-1" or "ISO-885-91". libxml2 2.9's output through ICU
// miscounts what it has converted when a character is missing from the
// encoding (a euro sign in a Latin-1 document): it drops text and turns
// markup into character references, a file no reader takes; and its input
// through ICU takes bytes that the encoding leaves undefined. So a document is
// only read and written through libxml2's own converters or iconv.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

using xmlDoc = struct _xmlDoc;

namespace enlazora::formats {

// The encoding named by the XML declaration at the start of a file, when the
// file begins in ASCII-compatible text (a UTF-8 byte order mark allowed).
std::optional<std::string> DeclaredEncoding(std::string_view head);

// Before parsing: when only ICU knows the name, makes it an alias of the
// spelling that iconv knows for the same encoding ("ISO8859_1" of
// "ISO88591"), so that reading and writing both go through iconv.
void PreferSystemConverter(const std::string& encoding);

// After parsing: raises DocumentError naming the file when the document's
// declared encoding is still reached through ICU alone (no spelling of it is
// known elsewhere): the encoding is then not recognised.
void RequireSystemConverter(const std::filesystem::path& file, const xmlDoc* doc);

}  // namespace enlazora::formats
