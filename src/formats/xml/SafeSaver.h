#pragma once
// Writing a document to its file without ever leaving a partial file under
// the target name: the text goes to a temporary file in the same folder, which
// then replaces the target in one step.
#include <filesystem>

using xmlDoc = struct _xmlDoc;

namespace enlazora::formats {

// With a declaration, the file carries the document's own declaration and is
// encoded as it names (UTF-8 when it names none); without, it is UTF-8 with
// no declaration. Raises DocumentError in Spanish naming the file.
void SaveDocumentFile(xmlDoc* doc, bool withDeclaration, const std::filesystem::path& file);

}  // namespace enlazora::formats
