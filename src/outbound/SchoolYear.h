#pragma once
// The school year that the written document carries in C_ANNO.
#include <string>

#include "formats/xml/StreamedDocument.h"

namespace enlazora::outbound {

// The first four characters of the text of the first child of
// /SERVICIO/BLOQUE_DATOS (the whole text when shorter). A document without
// that container, or whose container is empty, is no exchange document of
// Quirenda: OutboundError naming the file.
std::string SchoolYearOf(const formats::StreamedDocument& document, const std::string& documentName);

}  // namespace enlazora::outbound
