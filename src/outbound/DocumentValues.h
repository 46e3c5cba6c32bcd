#pragma once
// Writing the parts of the outbound document: a value, the new root with its
// header, the school-year block. The document is written as it is built, in
// document order.
#include <string>
#include <string_view>

#include "formats/xml/StreamWriter.h"

namespace enlazora::outbound {

// A dato named by nombre_dato holding the text, appended to the record.
void AppendValue(formats::StreamElement record, std::string_view name, std::string_view text);

// The new root, written after everything that stood outside the input's
// root: SERVICIO with modulo, tipo, autor and fecha in this order, holding
// BLOQUE_DATOS; answers BLOQUE_DATOS.
formats::StreamElement BuildNewRoot(formats::StreamWriter& document, const std::string& fecha);

// The block ANNO_ACADEMICO holding C_ANNO directly.
void AppendSchoolYearBlock(formats::StreamElement dataContainer, const std::string& schoolYear);

}  // namespace enlazora::outbound
