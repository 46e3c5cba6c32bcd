#include "formats/dbf/DbfTable.h"

#include <algorithm>
#include <system_error>

#include "formats/Clock.h"
#include "formats/dbf/FieldNames.h"
#include "formats/dbf/FieldValues.h"
#include "formats/dbf/RowLookups.h"
#include "formats/dbf/TableData.h"
#include "formats/dbf/TableFiles.h"
#include "formats/dbf/TableLayout.h"
#include "formats/dbf/TableMessages.h"

namespace enlazora::formats {
namespace fs = std::filesystem;
using namespace dbf;

namespace {
// A table named without extension is its .DBF file.
fs::path TableFile(const fs::path& file) {
  if (file.has_extension()) return file;
  std::error_code ignored;
  if (fs::exists(file, ignored)) return file;
  for (const char* extension : {".DBF", ".dbf"}) {
    auto candidate = file;
    candidate += extension;
    if (fs::exists(candidate, ignored)) return candidate;
  }
  auto withExtension = file;
  withExtension += ".DBF";
  return withExtension;
}

std::vector<std::string> NamesOf(const std::vector<FieldDef>& fields) {
  std::vector<std::string> names;
  names.reserve(fields.size());
  for (const auto& field : fields) names.push_back(field.name);
  return names;
}

std::vector<FieldDef> DefsOf(const TableLayout& layout) {
  std::vector<FieldDef> defs;
  defs.reserve(layout.fields.size());
  for (const auto& field : layout.fields) defs.push_back(field.def);
  return defs;
}

// The file's bytes, read through an exclusive lock when asked for.
std::string ReadTableBytes(const fs::path& file, const std::string& name, Access access,
                           std::optional<FileLock>& lock) {
  try {
    if (access == Access::Shared) return ReadWholeFile(file);
    lock = FileLock::tryExclusive(file);
    if (lock) return ReadWholeFile(*lock);
    if (HeldElsewhere(file)) throw TableHeldElsewhere(name);
    return ReadWholeFile(file);  // raises the reason it cannot be opened
  } catch (const std::system_error& error) {
    if (IsSharingViolation(error.code())) throw TableHeldElsewhere(name);
    throw TableNotReadable(name, error.code());
  }
}
}  // namespace

struct DbfTable::State {
  State(fs::path file_, std::string name_, std::optional<FileLock> lock_, TableData data_)
      : file(std::move(file_)),
        name(std::move(name_)),
        lock(std::move(lock_)),
        data(std::move(data_)),
        defs(DefsOf(data.layout())),
        names(NamesOf(defs)),
        lookups(data) {}

  const FieldLayout& layoutOf(std::size_t field) const { return data.layout().fields[field]; }

  std::size_t fieldIndex(std::string_view field) const {
    if (const auto found = names.find(field)) return *found;
    throw FieldMissing(name, field);
  }

  void requireOpen() const {
    if (!open) throw TableClosed(name);
  }

  void requireRow(std::size_t row) const {
    requireOpen();
    if (row >= data.rowCount()) throw RowMissing(name, row);
  }

  // The stored bytes of a field in a row, checked.
  std::string_view valueBytes(std::size_t row, std::string_view field, std::size_t& index) const {
    requireRow(row);
    index = fieldIndex(field);
    return data.fieldBytes(row, index);
  }

  std::string trimmedText(std::size_t row, std::size_t index) const {
    std::string text;
    data.appendText(row, index, text);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
  }

  // The record being appended, and the slice of one of its fields.
  char* pendingField(std::string_view field, const FieldLayout*& layout) {
    requireOpen();
    if (!pending) throw NoRecordBeingAppended(name);
    const auto index = fieldIndex(field);
    layout = &layoutOf(index);
    return pending->data() + layout->offset;
  }

  fs::path file;
  std::string name;
  std::optional<FileLock> lock;
  TableData data;
  std::vector<FieldDef> defs;
  FieldNames names;
  RowLookups lookups;
  std::optional<std::string> pending;
  bool open = true;
  std::vector<std::size_t> locateFields;  // reused by locate
};

void DbfTable::create(const fs::path& given, const std::vector<FieldDef>& fields) {
  const auto file = TableFile(given);
  const auto name = file.filename().string();
  const auto layout = PlanLevel7Layout(fields, name);
  std::error_code status;
  if (fs::is_directory(file, status)) throw TableNotCreated(name, "en su lugar hay una carpeta");
  const auto folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  if (!fs::is_directory(folder, status)) throw TableNotCreated(name, "no existe la carpeta " + folder.string());

  std::optional<FileLock> held;
  if (fs::exists(file, status)) {
    held = FileLock::tryExclusive(file);
    if (!held && HeldElsewhere(file)) throw TableNotCreated(name, "está abierta en otro programa");
  }
  auto bytes = Level7Header(layout, Now(), 0);
  bytes.push_back(0x1A);
  try {
    ReplaceWholeFile(file, bytes, held);
  } catch (const std::system_error& error) {
    throw TableNotCreated(name, DescribeFileError(error.code()));
  }
}

DbfTable DbfTable::open(const fs::path& given, Access access) {
  const auto file = TableFile(given);
  auto name = file.filename().string();
  std::error_code status;
  if (fs::is_directory(file, status)) throw FolderInPlaceOfTable(name);
  if (!fs::exists(file, status)) throw TableNotFound(name);

  std::optional<FileLock> lock;
  auto bytes = ReadTableBytes(file, name, access, lock);
  auto layout = ReadLayout(bytes, name);
  TableData data(std::move(layout), std::move(bytes));
  return DbfTable(std::make_unique<State>(file, std::move(name), std::move(lock), std::move(data)));
}

DbfTable::DbfTable(std::unique_ptr<State> state) : state_(std::move(state)) {}
DbfTable::DbfTable(DbfTable&&) noexcept = default;
DbfTable& DbfTable::operator=(DbfTable&&) noexcept = default;
DbfTable::~DbfTable() = default;

const std::string& DbfTable::name() const { return state_->name; }
const std::vector<FieldDef>& DbfTable::fields() const { return state_->defs; }
bool DbfTable::hasField(std::string_view field) const { return state_->names.find(field).has_value(); }

std::size_t DbfTable::size() const {
  state_->requireOpen();
  return state_->data.rowCount();
}

std::string DbfTable::text(std::size_t row, std::string_view field) const {
  std::size_t index = 0;
  const auto bytes = state_->valueBytes(row, field, index);
  std::string text;
  AppendText(state_->layoutOf(index), bytes, text);
  return text;
}

long long DbfTable::integer(std::size_t row, std::string_view field) const {
  std::size_t index = 0;
  const auto bytes = state_->valueBytes(row, field, index);
  const auto& layout = state_->layoutOf(index);
  if (const auto value = IntegerValue(layout, bytes)) return *value;
  throw NotAnInteger(state_->trimmedText(row, index), state_->name, layout.def.name);
}

double DbfTable::number(std::size_t row, std::string_view field) const {
  std::size_t index = 0;
  const auto bytes = state_->valueBytes(row, field, index);
  const auto& layout = state_->layoutOf(index);
  if (const auto value = NumberValue(layout, bytes)) return *value;
  throw NotANumber(state_->trimmedText(row, index), state_->name, layout.def.name);
}

bool DbfTable::logical(std::size_t row, std::string_view field) const {
  std::size_t index = 0;
  const auto bytes = state_->valueBytes(row, field, index);
  return LogicalValue(state_->layoutOf(index), bytes);
}

bool DbfTable::isBlank(std::size_t row, std::string_view field) const {
  std::size_t index = 0;
  const auto bytes = state_->valueBytes(row, field, index);
  return IsBlankValue(state_->layoutOf(index), bytes);
}

void DbfTable::append() {
  state_->requireOpen();
  if (state_->pending) post();  // like a data set, appending again posts the record in hand
  const auto& layout = state_->data.layout();
  std::string record(layout.recordLength, ' ');
  for (const auto& field : layout.fields) StoreBlank(field, record.data() + field.offset);
  state_->pending = std::move(record);
}

void DbfTable::set(std::string_view field, std::string_view text) {
  const FieldLayout* layout = nullptr;
  char* at = state_->pendingField(field, layout);
  StoreText(*layout, at, text, state_->name);
}

void DbfTable::setInteger(std::string_view field, long long value) {
  const FieldLayout* layout = nullptr;
  char* at = state_->pendingField(field, layout);
  StoreInteger(*layout, at, value, state_->name);
}

void DbfTable::setNumber(std::string_view field, double value) {
  const FieldLayout* layout = nullptr;
  char* at = state_->pendingField(field, layout);
  StoreNumber(*layout, at, value, state_->name);
}

void DbfTable::setLogical(std::string_view field, bool value) {
  const FieldLayout* layout = nullptr;
  char* at = state_->pendingField(field, layout);
  StoreLogical(*layout, at, value, state_->name);
}

void DbfTable::post() {
  state_->requireOpen();
  if (!state_->pending) throw NoRecordBeingAppended(state_->name);
  state_->data.appendRecord(*state_->pending);
  state_->pending.reset();
  state_->lookups.rowAppended();
}

void DbfTable::close() {
  auto& state = *state_;
  if (!state.open) return;
  if (state.data.hasAppendedRecords()) {
    try {
      ReplaceWholeFile(state.file, state.data.fileWithAppendedRecords(Now()), state.lock);
    } catch (const std::system_error& error) {
      throw TableNotWritten(state.name, DescribeFileError(error.code()));
    }
  }
  state.pending.reset();
  state.lock.reset();
  state.open = false;
}

std::optional<std::size_t> DbfTable::locate(const std::vector<std::string>& fields,
                                            const std::vector<std::string>& values) const {
  auto& state = *state_;
  state.requireOpen();
  if (fields.empty() || fields.size() != values.size()) throw LocateNeedsOneValuePerField(state.name);
  state.locateFields.clear();
  for (const auto& field : fields) state.locateFields.push_back(state.fieldIndex(field));
  return state.lookups.firstRow(state.locateFields, values);
}

const std::vector<std::size_t>& DbfTable::rowsWhere(std::string_view field, std::string_view value) const {
  auto& state = *state_;
  state.requireOpen();
  return state.lookups.rowsWhere(state.fieldIndex(field), value);
}

std::vector<std::size_t> DbfTable::rowsInOrderOf(std::string_view field) const {
  auto& state = *state_;
  state.requireOpen();
  const auto index = state.fieldIndex(field);
  const auto& layout = state.layoutOf(index);
  const auto count = state.data.rowCount();
  std::vector<double> keys(count);
  for (std::size_t row = 0; row < count; ++row) {
    const auto key = NumberValue(layout, state.data.fieldBytes(row, index));
    if (!key) throw NotANumber(state.trimmedText(row, index), state.name, layout.def.name);
    keys[row] = *key;
  }
  std::vector<std::size_t> rows(count);
  for (std::size_t row = 0; row < count; ++row) rows[row] = row;
  std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return rows;
}

}  // namespace enlazora::formats
