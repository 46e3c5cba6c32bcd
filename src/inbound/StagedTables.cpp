#include "inbound/StagedTables.h"

#include <algorithm>
#include <random>
#include <set>
#include <system_error>
#include <utility>

#include "formats/dbf/DbfTable.h"
#include "formats/dbf/TableMessages.h"
#include "formats/files/FileLock.h"
#include "inbound/InboundError.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace fs = std::filesystem;

std::string PathText(const fs::path& path) {
  const auto utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

namespace {

// File names compare as the host's file system does: without regard to the
// case of the letters A to Z ("aulat.dbf" is AULAT.DBF).
std::string FileKey(const fs::path& name) { return text::UpperAsciiLetters(PathText(name)); }

std::string IndexFileOf(const std::string& table) {
  return PathText(fs::path(table).replace_extension(".MDX"));
}

fs::path NewStagingFolder(const fs::path& folder) {
  std::random_device random;
  std::error_code error;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = folder / (".enlazora-entrada-" + std::to_string(random()));
    if (fs::create_directory(candidate, error)) return candidate;
    if (error) break;
  }
  throw InboundError("No se puede escribir en la carpeta de las tablas de Horalix: " + PathText(folder));
}

}  // namespace

StagedTables::StagedTables(const fs::path& tableFolder) : folder_(tableFolder) {
  std::error_code error;
  if (!fs::is_directory(folder_, error))
    throw InboundError("No existe la carpeta de las tablas de Horalix: " + PathText(folder_));
  staging_ = NewStagingFolder(folder_);
}

StagedTables::~StagedTables() {
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
}

fs::path StagedTables::recreate(const std::string& table, const std::vector<formats::FieldDef>& fields,
                                OldIndex oldIndex) {
  const fs::path file = staging_ / table;
  formats::DbfTable::create(file, fields);
  if (std::find(replaced_.begin(), replaced_.end(), table) == replaced_.end()) replaced_.push_back(table);
  if (oldIndex == OldIndex::Deleted) deleteOnCommit(IndexFileOf(table));
  return file;
}

fs::path StagedTables::staged(const std::string& table) const { return staging_ / table; }

void StagedTables::deleteOnCommit(const std::string& file) {
  if (std::find(deleted_.begin(), deleted_.end(), file) == deleted_.end()) deleted_.push_back(file);
}

std::vector<fs::path> StagedTables::existingTargets() const {
  std::set<std::string> wanted;
  for (const auto& name : replaced_) wanted.insert(FileKey(name));
  for (const auto& name : deleted_) wanted.insert(FileKey(name));
  std::vector<fs::path> targets;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    if (entry.path() == staging_) continue;
    if (wanted.contains(FileKey(entry.path().filename()))) targets.push_back(entry.path());
  }
  std::sort(targets.begin(), targets.end());
  return targets;
}

std::vector<formats::FileLock> StagedTables::takeTargets(const std::vector<fs::path>& targets) const {
  std::vector<formats::FileLock> locks;
  for (const auto& target : targets) {
    // A folder of a table's name would be moved away with the old tables and
    // deleted with them: it is not ours to replace.
    std::error_code status;
    if (fs::is_directory(fs::symlink_status(target, status)))
      throw InboundError("No se puede reemplazar " + PathText(target.filename()) +
                         " en la carpeta de las tablas de Horalix: en su lugar hay una carpeta; las tablas quedan "
                         "como estaban.");
    if (auto lock = formats::FileLock::tryExclusive(target)) {
      locks.push_back(std::move(*lock));
      continue;
    }
    std::error_code error;
    if (!fs::exists(target, error)) continue;  // gone meanwhile: nothing to take
    throw formats::dbf::TableHeldElsewhere(PathText(target.filename()));
  }
#ifdef _WIN32
  // Windows cannot move a file that is open, even by us: the check has to do.
  locks.clear();
#endif
  return locks;
}

void StagedTables::commit() {
  std::vector<fs::path> targets;
  try {
    targets = existingTargets();
  } catch (const fs::filesystem_error&) {
    throw InboundError("No se puede leer la carpeta de las tablas de Horalix: " + PathText(folder_));
  }
  // Held until the new tables are in place, so that no other program can
  // open an old table between the check and the move.
  const auto heldTargets = takeTargets(targets);

  const fs::path aside = staging_ / "anteriores";
  std::vector<std::pair<fs::path, fs::path>> movedAside;  // (original, aside)
  std::vector<fs::path> movedIn;
  std::string failing;
  try {
    fs::create_directory(aside);
    for (std::size_t i = 0; i < targets.size(); ++i) {
      failing = PathText(targets[i].filename());
      const fs::path parked = aside / (std::to_string(i) + "-" + PathText(targets[i].filename()));
      fs::rename(targets[i], parked);
      movedAside.emplace_back(targets[i], parked);
    }
    for (const auto& table : replaced_) {
      failing = table;
      fs::rename(staging_ / table, folder_ / table);
      movedIn.push_back(folder_ / table);
    }
  } catch (const fs::filesystem_error&) {
    std::error_code ignored;
    for (auto it = movedIn.rbegin(); it != movedIn.rend(); ++it) fs::remove(*it, ignored);
    for (auto it = movedAside.rbegin(); it != movedAside.rend(); ++it) fs::rename(it->second, it->first, ignored);
    throw InboundError("No se puede reemplazar " + failing +
                       " en la carpeta de las tablas de Horalix; las tablas quedan como estaban.");
  }
}

}  // namespace enlazora::inbound
