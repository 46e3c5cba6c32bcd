#pragma once
// What the outbound targets share: the host tables of a tiny school, and the
// check that a written result is an exchange document any XML reader takes.
#include <filesystem>
#include <string>

namespace enlazora::fuzzing {

// Writes the tables of the outbound run into the folder, SOLUC.DBF with two
// placed lessons included. The teachers' keys hold characters that need
// escaping or that some encodings lack (see FirstEmployeeUtf8).
void WriteSchoolTables(const std::filesystem::path& folder);

// A table folder in the scratch folder holding those tables, written once.
const std::filesystem::path& SchoolTableFolder();

// The first teacher's X_EMPLEADO as a reader of the written document must
// get it back (UTF-8).
const std::string& FirstEmployeeUtf8();

// Aborts unless libxml2 reads the file as a well-formed document whose first
// X_EMPLEADO value is FirstEmployeeUtf8().
void RequireReadableResult(const std::filesystem::path& file);

}  // namespace enlazora::fuzzing
