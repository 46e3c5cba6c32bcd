#include "outbound/DocumentValues.h"

namespace enlazora::outbound {

void AppendValue(formats::Element record, std::string_view name, std::string_view text) {
  formats::Element value = record.appendElement("dato");
  value.setAttribute("nombre_dato", name);
  value.setText(text);
}

formats::Element BuildNewRoot(formats::ExchangeDocument& document, const std::string& fecha) {
  formats::Element root = document.replaceRoot("SERVICIO");
  root.setAttribute("modulo", "HORARIOS");
  root.setAttribute("tipo", "I");
  root.setAttribute("autor", "HORARIOS");
  root.setAttribute("fecha", fecha);
  return root.appendElement("BLOQUE_DATOS");
}

void AppendSchoolYearBlock(formats::Element dataContainer, const std::string& schoolYear) {
  formats::Element block = dataContainer.appendElement("grupo_datos");
  block.setAttribute("seq", "ANNO_ACADEMICO");
  AppendValue(block, "C_ANNO", schoolYear);
}

}  // namespace enlazora::outbound
