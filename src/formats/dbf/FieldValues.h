#pragma once
// Reading and storing one field's value inside a record's bytes. `bytes` is
// exactly the field's slice of the record (its layout's length).
#include <optional>
#include <string>
#include <string_view>

#include "formats/dbf/TableLayout.h"

namespace enlazora::formats::dbf {

// The value as text: character fields without trailing blanks, numeric and
// date fields trimmed as stored, logical "T", "F" or "", binary numbers in
// decimal, unknown types "". Appended to `out`.
void AppendText(const FieldLayout& field, std::string_view bytes, std::string& out);

// The read-back text of a character field, without copying.
std::string_view CharacterText(std::string_view bytes);

bool IsBlankValue(const FieldLayout& field, std::string_view bytes);

// Nothing when the value is no whole number; a blank value reads 0.
std::optional<long long> IntegerValue(const FieldLayout& field, std::string_view bytes);
// Nothing when the value is no number; a blank value reads 0.
std::optional<double> NumberValue(const FieldLayout& field, std::string_view bytes);
bool LogicalValue(const FieldLayout& field, std::string_view bytes);

// Storing into the field's slice `at`. Texts are cut to a character field's
// width; a value that cannot be stored raises TableError naming `table`.
void StoreText(const FieldLayout& field, char* at, std::string_view text, std::string_view table);
void StoreInteger(const FieldLayout& field, char* at, long long value, std::string_view table);
void StoreNumber(const FieldLayout& field, char* at, double value, std::string_view table);
void StoreLogical(const FieldLayout& field, char* at, bool value, std::string_view table);
void StoreBlank(const FieldLayout& field, char* at);

// Whole numbers in decimal: optional sign, digits, and a fraction of zeros
// only ("3.00" is 3). Nothing for anything else, or out of range.
std::optional<long long> ParseWholeNumber(std::string_view text);
// A decimal number with optional sign, fraction and exponent.
std::optional<double> ParseDecimal(std::string_view text);
// Shortest decimal text that reads back as the same double ("4", "-2.5").
std::string FormatDouble(double value);

}  // namespace enlazora::formats::dbf
