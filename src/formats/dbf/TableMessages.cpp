#include "formats/dbf/TableMessages.h"

#include <initializer_list>

#include "text/Windows1252.h"

namespace enlazora::formats::dbf {
namespace {
// Joins the parts of a message by appending (which also keeps GCC 12's false
// -Wrestrict alarm about "literal" + std::string away from optimised builds).
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string message;
  for (const auto part : parts) message.append(part);
  return message;
}

TableError Error(std::initializer_list<std::string_view> parts) { return TableError(Join(parts)); }

TableError BadValue(std::string_view ansiText, std::string_view what, std::string_view table,
                    std::string_view field) {
  const auto shown = text::AnsiToUtf8(ansiText);
  return Error({"'", shown, "' no es un valor ", what, " válido (campo ", field, " de la tabla ", table, ")"});
}
}  // namespace

TableError TableNotFound(std::string_view table) { return Error({"No se encuentra la tabla ", table}); }

TableError FolderInPlaceOfTable(std::string_view table) {
  return Error({"No se puede abrir la tabla ", table, ": en su lugar hay una carpeta"});
}

TableError TableHeldElsewhere(std::string_view table) {
  return Error({"La tabla ", table,
                " está abierta en otro programa (no se puede usar en exclusiva hasta que la cierre)"});
}

TableError TableDamaged(std::string_view table, std::string_view detail) {
  return Error({"La tabla ", table, " está dañada: ", detail});
}

TableError TableNotReadable(std::string_view table, const std::error_code& cause) {
  return Error({"No se puede leer la tabla ", table, ": ", DescribeFileError(cause)});
}

TableError TableNotCreated(std::string_view table, std::string_view detail) {
  return Error({"No se puede crear la tabla ", table, ": ", detail});
}

TableError TableNotWritten(std::string_view table, std::string_view detail) {
  return Error({"No se puede escribir la tabla ", table, ": ", detail});
}

TableError FieldMissing(std::string_view table, std::string_view field) {
  return Error({"La tabla ", table, " no tiene el campo ", field});
}

TableError RowMissing(std::string_view table, std::size_t row) {
  return Error({"La tabla ", table, " no tiene el registro ", std::to_string(row + 1)});
}

TableError NoRecordBeingAppended(std::string_view table) {
  return Error({"La tabla ", table, " no tiene ningún registro nuevo en curso"});
}

TableError TableClosed(std::string_view table) { return Error({"La tabla ", table, " ya está cerrada"}); }

TableError LocateNeedsOneValuePerField(std::string_view table) {
  return Error({"La búsqueda en la tabla ", table, " necesita al menos un campo y un valor por campo"});
}

TableError FieldNotWritable(std::string_view table, std::string_view field, char type) {
  return Error({"El campo ", field, " de la tabla ", table, " (tipo ", std::string_view(&type, 1),
                ") no admite ese valor"});
}

TableError NotAnInteger(std::string_view ansiText, std::string_view table, std::string_view field) {
  return BadValue(ansiText, "entero", table, field);
}

TableError NotANumber(std::string_view ansiText, std::string_view table, std::string_view field) {
  return BadValue(ansiText, "numérico", table, field);
}

TableError NotALogical(std::string_view ansiText, std::string_view table, std::string_view field) {
  return BadValue(ansiText, "lógico", table, field);
}

TableError ValueDoesNotFit(std::string_view valueText, std::string_view table, std::string_view field) {
  return Error({"El valor ", valueText, " no cabe en el campo ", field, " de la tabla ", table});
}

std::string DescribeFileError(const std::error_code& cause) {
  if (cause == std::errc::permission_denied || cause == std::errc::operation_not_permitted)
    return "permiso denegado";
  if (cause == std::errc::no_such_file_or_directory) return "no existe la carpeta o el archivo";
  if (cause == std::errc::no_space_on_device) return "no queda espacio en el disco";
  if (cause == std::errc::read_only_file_system) return "el disco es de solo lectura";
  if (cause == std::errc::is_a_directory) return "en su lugar hay una carpeta";
  if (cause == std::errc::not_a_directory) return "la carpeta no existe";
  if (cause == std::errc::file_too_large) return "el archivo sería demasiado grande";
  if (cause == std::errc::io_error) return "error de entrada/salida del disco";
  if (cause == std::errc::device_or_resource_busy || cause == std::errc::text_file_busy)
    return "está abierta en otro programa";
  return "error del sistema " + std::to_string(cause.value());
}

}  // namespace enlazora::formats::dbf
