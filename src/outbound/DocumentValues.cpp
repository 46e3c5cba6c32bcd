#include "outbound/DocumentValues.h"

namespace enlazora::outbound {

void AppendValue(formats::StreamElement record, std::string_view name, std::string_view text) {
  formats::StreamElement value = record.appendElement("dato");
  value.setAttribute("nombre_dato", name);
  value.setText(text);
}

formats::StreamElement BuildNewRoot(formats::StreamWriter& document, const std::string& fecha) {
  formats::StreamElement root = document.root("SERVICIO");
  root.setAttribute("modulo", "HORARIOS");
  root.setAttribute("tipo", "I");
  root.setAttribute("autor", "HORARIOS");
  root.setAttribute("fecha", fecha);
  return root.appendElement("BLOQUE_DATOS");
}

void AppendSchoolYearBlock(formats::StreamElement dataContainer, const std::string& schoolYear) {
  formats::StreamElement block = dataContainer.appendElement("grupo_datos");
  block.setAttribute("seq", "ANNO_ACADEMICO");
  AppendValue(block, "C_ANNO", schoolYear);
}

}  // namespace enlazora::outbound
