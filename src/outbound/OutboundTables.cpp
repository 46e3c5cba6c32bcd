#include "outbound/OutboundTables.h"

#include <initializer_list>
#include <string>
#include <system_error>

#include "outbound/TableFiles.h"

namespace enlazora::outbound {
namespace {

using formats::DbfTable;
using formats::TableError;

// Whether the folder's entries can be read (a table may be missing only from
// a folder that can be looked into).
bool CanList(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator entries(folder, error);
  return !error;
}

// Opens one table exclusively and makes sure it holds the fields the run
// reads from it.
DbfTable OpenTable(const std::filesystem::path& folder, const std::string& table,
                   std::initializer_list<const char*> fieldsRead) {
  const auto file = FindTableFile(folder, table);
  if (!file && !CanList(folder))
    throw TableError("No se puede leer la carpeta de las tablas de Horalix: " + PathText(folder));
  if (!file)
    throw TableError("No se encuentra la tabla " + table + ".DBF en la carpeta de tablas " + PathText(folder) + ".");
  auto opened = DbfTable::open(*file, formats::Access::Exclusive);
  for (const char* field : fieldsRead)
    if (!opened.hasField(field))
      throw TableError("La tabla " + table + ".DBF no tiene el campo " + field + ".");
  return opened;
}

}  // namespace

OutboundTables OutboundTables::Open(const std::filesystem::path& folder) {
  std::error_code status;
  if (!std::filesystem::is_directory(folder, status))
    throw TableError("No existe la carpeta de las tablas de Horalix: " + PathText(folder));
  // Braced initialisation runs in order; a table that fails releases those
  // opened before it.
  return OutboundTables{
      OpenTable(folder, "SOLUC", {"PROF", "DIA", "HORA", "ASIG", "CODGRUPO", "TAREA", "AULA"}),
      OpenTable(folder, "GRUPOST", {"ABREV", "CLAVE", "CLAVECURSO"}),
      OpenTable(folder, "CURSOST", {}),
      OpenTable(folder, "PROFT", {"ABREV", "X_EMPLEADO", "F_TOMAPOS"}),
      OpenTable(folder, "AULAT", {}),
      OpenTable(folder, "ASIGNOMT", {"COD", "CODTAREA"}),
      OpenTable(folder, "ASIGNOMT2", {"COD", "OFERTAMATRI", "MATERIA"}),
      OpenTable(folder, "DIASHORAST", {"DIHO", "DIA", "CODDIHO", "HORADESDE", "HORAHASTA"}),
      OpenTable(folder, "ASIGT", {"CASIG", "CGRUP", "CLAVE", "CLAVECURSO"}),
  };
}

void OutboundTables::close() {
  for (DbfTable* table : {&solution, &classUnits, &courses, &teachers, &rooms, &subjects, &subjectOfferings,
                          &timeSlots, &subjectLoad})
    table->close();
}

}  // namespace enlazora::outbound
