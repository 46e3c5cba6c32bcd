#include "formats/xml/ParseFault.h"

#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

namespace enlazora::formats {
namespace {

constexpr const char* kNotUtf8Prefix = "Input is not proper UTF-8";

std::string tag(const std::string& name) { return "<" + name + ">"; }

std::string mismatchReason(const ParseFault& fault) {
  return "la etiqueta " + tag(fault.subject) + " abierta en la línea " + std::to_string(fault.relatedLine) +
         " se cierra con </" + fault.otherName + ">";
}

std::string unfinishedReason(const ParseFault& fault) {
  if (fault.subject.empty()) return "el documento termina antes de cerrar todas sus etiquetas";
  return "el documento termina sin cerrar la etiqueta " + tag(fault.subject) + " abierta en la línea " +
         std::to_string(fault.relatedLine);
}

std::string encodingReason(const ParseFault& fault) {
  if (fault.parserText.starts_with(kNotUtf8Prefix))
    return "hay bytes que no son UTF-8 válido; si el archivo usa otra codificación (por ejemplo ISO-8859-1), "
           "debe declararla en su cabecera <?xml ... encoding=\"...\"?>";
  return "hay bytes que no corresponden a la codificación que declara el documento";
}

std::string parserReason(const ParseFault& fault) {
  switch (fault.code) {
    case XML_ERR_DOCUMENT_EMPTY:
      return "no se encuentra la etiqueta de inicio del documento";
    case XML_ERR_DOCUMENT_END:
      return "hay contenido después del final del elemento raíz";
    case XML_ERR_TAG_NAME_MISMATCH:
      return mismatchReason(fault);
    case XML_ERR_TAG_NOT_FINISHED:
      return unfinishedReason(fault);
    case XML_ERR_GT_REQUIRED:
    case XML_ERR_LTSLASH_REQUIRED:
      return "una etiqueta no está bien cerrada (falta el signo >)";
    case XML_ERR_LT_IN_ATTRIBUTE:
      return "hay un signo < sin escapar en el valor de un atributo";
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
    case XML_ERR_STRING_NOT_STARTED:
    case XML_ERR_STRING_NOT_CLOSED:
    case XML_ERR_EQUAL_REQUIRED:
      return "un atributo está mal escrito (falta el signo = o las comillas de su valor)";
    case XML_ERR_ATTRIBUTE_REDEFINED:
      return "un atributo aparece dos veces en la misma etiqueta";
    case XML_ERR_NAME_REQUIRED:
      return "falta un nombre donde el XML lo exige (¿hay un signo & o < sin escapar?)";
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
      return "una referencia que empieza por & no termina en punto y coma (¿hay un signo & sin escapar?)";
    case XML_ERR_UNDECLARED_ENTITY:
      return "usa la entidad &" + fault.subject + "; sin declararla";
    case XML_ERR_INVALID_HEX_CHARREF:
    case XML_ERR_INVALID_DEC_CHARREF:
    case XML_ERR_INVALID_CHARREF:
      return "una referencia de carácter (&#...;) no es válida";
    case XML_ERR_INVALID_CHAR:
      return "contiene un carácter que el XML no admite";
    case XML_ERR_UNSUPPORTED_ENCODING:
    case XML_ERR_UNKNOWN_ENCODING:
      return "declara la codificación \"" + fault.subject + "\", que no se reconoce";
    case XML_ERR_COMMENT_NOT_FINISHED:
      return "un comentario no está cerrado";
    case XML_ERR_CDATA_NOT_FINISHED:
      return "una sección CDATA no está cerrada";
    case XML_ERR_PI_NOT_STARTED:
    case XML_ERR_PI_NOT_FINISHED:
    case XML_ERR_XMLDECL_NOT_STARTED:
    case XML_ERR_XMLDECL_NOT_FINISHED:
      return "la declaración XML o una instrucción de proceso está mal escrita";
    case XML_ERR_RESERVED_XML_NAME:
      return "la declaración XML no está al principio del archivo";
    case XML_ERR_VERSION_MISSING:
      return "a la declaración XML le falta la versión";
    case XML_ERR_DOCTYPE_NOT_FINISHED:
      return "la declaración del tipo de documento (DOCTYPE) está mal escrita";
    case XML_ERR_SPACE_REQUIRED:
      return "falta un espacio obligatorio (por ejemplo, entre dos atributos)";
    case XML_ERR_MISPLACED_CDATA_END:
      return "aparece la secuencia ]]> fuera de una sección CDATA";
    default:
      return "el texto no sigue las reglas del XML";
  }
}

}  // namespace

bool IsEncodingFault(const ParseFault& fault) {
  if (fault.domain == XML_FROM_I18N) return true;
  if (fault.code == XML_ERR_INVALID_ENCODING) return true;
  return fault.code == XML_ERR_INVALID_CHAR && fault.parserText.starts_with(kNotUtf8Prefix);
}

std::string ParseFaultReason(const ParseFault& fault) {
  if (fault.tooDeep)
    return "anidamiento excesivo: hay elementos dentro de más de " + std::to_string(xmlParserMaxDepth) + " niveles";
  if (IsEncodingFault(fault)) return encodingReason(fault);
  if (fault.domain == XML_FROM_IO) return "no se pudo leer el archivo completo";
  return parserReason(fault);
}

}  // namespace enlazora::formats
