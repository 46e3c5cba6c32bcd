#pragma once
// All or nothing for the host's table folder: the steps build their tables in
// a staging folder inside the table folder; only when every step succeeded do
// the new tables take the place of the old ones, together with the deletions
// the steps make. Until then, and whenever the run stops, the table folder
// stays exactly as it was.
#include <filesystem>
#include <string>
#include <vector>

#include "formats/dbf/FieldDef.h"
#include "formats/files/FileLock.h"

namespace enlazora::inbound {

class StagedTables {
 public:
  // Creates the staging folder. Raises InboundError naming the table folder
  // when it does not exist (the run never creates it) or cannot be written.
  explicit StagedTables(const std::filesystem::path& tableFolder);
  ~StagedTables();  // removes the staging folder and whatever it holds
  StagedTables(const StagedTables&) = delete;
  StagedTables& operator=(const StagedTables&) = delete;

  enum class OldIndex { Deleted, Kept };

  // Creates the table empty in the staging folder and returns its path. On
  // commit it replaces the table of the same name, and the old table's .MDX
  // is deleted unless kept.
  std::filesystem::path recreate(const std::string& table, const std::vector<formats::FieldDef>& fields,
                                 OldIndex oldIndex = OldIndex::Deleted);

  // The staged file of a table recreated earlier in this run.
  std::filesystem::path staged(const std::string& table) const;

  // A file of the table folder to delete on commit ("JORNADAS.DBF").
  void deleteOnCommit(const std::string& file);

  // Checks that every file to be replaced or deleted can be taken (no other
  // program holds it open), then moves the old files aside and the new tables
  // into place. Raises InboundError, with the folder as it was, when a file is
  // held or a move fails.
  void commit();

 private:
  std::vector<std::filesystem::path> existingTargets() const;
  std::vector<formats::FileLock> takeTargets(const std::vector<std::filesystem::path>& targets) const;

  std::filesystem::path folder_;
  std::filesystem::path staging_;
  std::vector<std::string> replaced_;
  std::vector<std::string> deleted_;
};

// A path as UTF-8 text for messages.
std::string PathText(const std::filesystem::path& path);

}  // namespace enlazora::inbound
