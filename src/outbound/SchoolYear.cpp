#include "outbound/SchoolYear.h"

#include "outbound/OutboundError.h"
#include "text/Clipper.h"

namespace enlazora::outbound {

std::string SchoolYearOf(const formats::StreamedDocument& document, const std::string& documentName) {
  const auto firstBlockText = document.firstDataChildText();
  if (!firstBlockText)
    throw OutboundError("El documento " + documentName +
                        " no es un documento de intercambio de Quirenda: le falta el contenido de "
                        "/SERVICIO/BLOQUE_DATOS, del que se toma el curso académico.");
  return text::Izquierda(*firstBlockText, 4);
}

}  // namespace enlazora::outbound
