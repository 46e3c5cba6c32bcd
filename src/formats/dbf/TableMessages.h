#pragma once
// The Spanish texts of the table layer's errors. Every message names the table
// by its file name; texts read from a table are Windows-1252 and are shown
// converted, like the rest of the message, to UTF-8.
#include <string>
#include <string_view>
#include <system_error>

#include "formats/dbf/DbfTable.h"

namespace enlazora::formats::dbf {

TableError TableNotFound(std::string_view table);
TableError FolderInPlaceOfTable(std::string_view table);
TableError TableHeldElsewhere(std::string_view table);
TableError TableDamaged(std::string_view table, std::string_view detail);
TableError TableNotReadable(std::string_view table, const std::error_code& cause);
TableError TableNotCreated(std::string_view table, std::string_view detail);
TableError TableNotWritten(std::string_view table, std::string_view detail);
TableError FieldMissing(std::string_view table, std::string_view field);
TableError RowMissing(std::string_view table, std::size_t row);
TableError NoRecordBeingAppended(std::string_view table);
TableError TableClosed(std::string_view table);
TableError LocateNeedsOneValuePerField(std::string_view table);
TableError FieldNotWritable(std::string_view table, std::string_view field, char type);

// "'%s' no es un valor entero válido", then where the text came from.
TableError NotAnInteger(std::string_view ansiText, std::string_view table, std::string_view field);
TableError NotANumber(std::string_view ansiText, std::string_view table, std::string_view field);
TableError NotALogical(std::string_view ansiText, std::string_view table, std::string_view field);
TableError ValueDoesNotFit(std::string_view valueText, std::string_view table, std::string_view field);

// What went wrong with a file operation, in a few Spanish words.
std::string DescribeFileError(const std::error_code& cause);

}  // namespace enlazora::formats::dbf
