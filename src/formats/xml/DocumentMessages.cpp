#include "formats/xml/DocumentMessages.h"

#include <cerrno>

#include "text/Windows1252.h"

namespace enlazora::formats::messages {
namespace {

std::string quoted(const std::filesystem::path& file) { return "\"" + ShownName(file) + "\""; }

std::string readProblem(int errorNumber) {
  switch (errorNumber) {
    case EACCES:
    case EPERM:
      return ": no hay permiso de lectura.";
    case EIO:
      return ": error de lectura.";
    default:
      return ".";
  }
}

std::string writeProblem(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      return ": la carpeta no existe.";
    case EACCES:
    case EPERM:
    case EROFS:
      return ": no hay permiso de escritura.";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return ": no queda espacio en el disco.";
    case EISDIR:
      return ": es una carpeta.";
    case EFBIG:
      return ": supera el tamaño de archivo permitido.";
    case EIO:
      return ": error de escritura.";
    default:
      return ".";
  }
}

}  // namespace

std::string ShownName(const std::filesystem::path& file) {
  const auto utf8 = file.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string FileMissing(const std::filesystem::path& file) {
  return "No se puede abrir el archivo " + quoted(file) + ": no existe.";
}

std::string FileIsFolder(const std::filesystem::path& file) {
  return "No se puede abrir el archivo " + quoted(file) + ": es una carpeta.";
}

std::string FileNotReadable(const std::filesystem::path& file, int errorNumber) {
  return "No se puede leer el archivo " + quoted(file) + readProblem(errorNumber);
}

std::string FileEmpty(const std::filesystem::path& file) {
  return "El archivo " + quoted(file) + " está vacío: no es un documento XML.";
}

std::string FileBinary(const std::filesystem::path& file) {
  return "El archivo " + quoted(file) + " no es un documento XML: su contenido es binario.";
}

std::string NotWellFormed(const std::filesystem::path& file, int line, int column, std::string_view reason) {
  return "El archivo " + quoted(file) + " no es un documento XML válido (línea " + std::to_string(line) +
         ", columna " + std::to_string(column) + "): " + std::string(reason) + ".";
}

std::string DeclaresEntities(const std::filesystem::path& file, int line) {
  return "El archivo " + quoted(file) + " declara entidades (línea " + std::to_string(line) +
         "), que no se admiten por seguridad.";
}

std::string ReachesOutside(const std::filesystem::path& file) {
  return "El archivo " + quoted(file) +
         " hace referencia a otros archivos o direcciones, que no se admiten por seguridad.";
}

std::string SaveFailed(const std::filesystem::path& file, int errorNumber) {
  return "No se puede guardar el archivo " + quoted(file) + writeProblem(errorNumber);
}

std::string SaveTargetIsFolder(const std::filesystem::path& file) { return SaveFailed(file, EISDIR); }

std::string SaveEncodingMissing(const std::filesystem::path& file, std::string_view encoding) {
  return "No se puede guardar el archivo " + quoted(file) + ": la codificación \"" + std::string(encoding) +
         "\" no está disponible.";
}

std::string InvalidElementName(std::string_view ansiName) {
  return "\"" + text::AnsiToUtf8(ansiName) + "\" no es un nombre válido para un elemento XML.";
}

std::string InvalidAttributeName(std::string_view ansiName) {
  return "\"" + text::AnsiToUtf8(ansiName) + "\" no es un nombre válido para un atributo XML.";
}

}  // namespace enlazora::formats::messages
