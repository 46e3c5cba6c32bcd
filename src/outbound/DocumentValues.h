#pragma once
// Writing the parts of the outbound document: a value, the new root with its
// header, the school-year block.
#include <string>
#include <string_view>

#include "formats/xml/ExchangeDocument.h"

namespace enlazora::outbound {

// A dato named by nombre_dato holding the text, appended to the record.
void AppendValue(formats::Element record, std::string_view name, std::string_view text);

// Replaces the document's root, keeping everything outside it, by SERVICIO
// with modulo, tipo, autor and fecha in this order, holding an empty
// BLOQUE_DATOS; answers BLOQUE_DATOS.
formats::Element BuildNewRoot(formats::ExchangeDocument& document, const std::string& fecha);

// The block ANNO_ACADEMICO holding C_ANNO directly.
void AppendSchoolYearBlock(formats::Element dataContainer, const std::string& schoolYear);

}  // namespace enlazora::outbound
