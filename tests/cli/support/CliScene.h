#pragma once
// The sample school laid out for both commands of enlazora-cli, and the one
// check that every stopped run must pass: exit status 1, its message on
// standard error, nothing on standard output, and not one byte changed, added
// or removed anywhere in the scene (so no result file either).
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace enlazora::testing {

// Who runs the program. Root ignores permission bits, so when the tests run
// as root a read-only folder is only read-only for another user: the runs
// that need it go through setpriv as "nobody", to whom the scene is given.
enum class RunAs { Tester, Unprivileged };

// A scratch folder holding, four folders down (so that any "../../.." a value
// could climb stays inside what is watched), the sample document, its level
// reference table, and a table folder filled by a real inbound run of that
// document together with the host's sample solution SOLUC.DBF.
class CliScene {
 public:
  CliScene();

  const std::filesystem::path& root() const { return folder_.path(); }
  std::filesystem::path place() const { return root() / "u" / "centro" / "datos" / "horarios"; }
  std::filesystem::path document() const { return place() / "instituto.xml"; }
  std::filesystem::path levels() const { return place() / "NIVELLARI.DBF"; }
  std::filesystem::path tables() const { return place() / "HTEMP"; }
  std::filesystem::path table(const std::string& name) const { return tables() / name; }
  std::filesystem::path result() const { return place() / "ResultadoHoralixinstituto.xml"; }

  // The arguments of each command over the scene, for another document or
  // table folder when given.
  std::vector<std::string> inbound(const std::filesystem::path& document = {},
                                   const std::filesystem::path& tables = {}) const;
  std::vector<std::string> outbound(const std::filesystem::path& document = {},
                                    const std::filesystem::path& tables = {}) const;

  // Makes the whole scene the unprivileged user's (when the tests run as
  // root), before its permissions are narrowed.
  void giveToUnprivilegedUser() const;

  ProcessResult run(const std::vector<std::string>& arguments, RunAs as = RunAs::Tester) const;

 private:
  TempFolder folder_;
};

// Runs and checks the stop described above.
void ExpectStop(const CliScene& scene, const std::vector<std::string>& arguments, const std::string& message,
                RunAs as = RunAs::Tester);

// Bytes of a level-7 table with the value of one field of one record (from
// 0) replaced by `bytes`, which must have the field's width.
std::string WithFieldBytes(std::string table, std::size_t record, const std::string& field, const std::string& bytes);

// Another process holding a file under this program's own exclusive lock
// (FileLock) from construction until destruction.
class HeldByOtherProcess {
 public:
  explicit HeldByOtherProcess(const std::filesystem::path& file);
  ~HeldByOtherProcess();
  HeldByOtherProcess(const HeldByOtherProcess&) = delete;
  HeldByOtherProcess& operator=(const HeldByOtherProcess&) = delete;
  bool held() const { return held_; }

 private:
  int pid_ = -1;
  int release_ = -1;
  bool held_ = false;
};

}  // namespace enlazora::testing
