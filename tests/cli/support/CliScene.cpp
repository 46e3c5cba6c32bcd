#include "cli/support/CliScene.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <stdexcept>

#include "formats/files/FileLock.h"

namespace enlazora::testing {
namespace fs = std::filesystem;
namespace {

const std::vector<std::string> kEnvironment = {"ENLAZORA_RELOJ=2025-09-01 08:00:00", "LC_ALL=C.UTF-8"};

fs::path SampleFile(const std::string& name) { return fs::path(ENLAZORA_BUILD_DIR) / "ejemplos" / name; }

// The sample school converted once per test program: its document, level
// table and table folder (with the sample solution), copied into each scene.
const fs::path& PreparedSample() {
  static const TempFolder folder;
  static const bool prepared = [] {
    fs::copy_file(fs::path(ENLAZORA_SOURCE_DIR) / "ejemplos" / "instituto.xml", folder / "instituto.xml");
    fs::copy_file(SampleFile("NIVELLARI.DBF"), folder / "NIVELLARI.DBF");
    fs::create_directory(folder / "HTEMP");
    const auto run = RunProgram(ENLAZORA_CLI,
                                {"hacia-horalix", (folder / "instituto.xml").string(), "--tablas",
                                 (folder / "HTEMP").string(), "--niveles", (folder / "NIVELLARI.DBF").string()},
                                kEnvironment);
    if (run.exitStatus != 0) throw std::runtime_error("the sample school does not convert: " + run.err);
    fs::copy_file(SampleFile("SOLUC.DBF"), folder / "HTEMP" / "SOLUC.DBF");
    return true;
  }();
  (void)prepared;
  return folder.path();
}

const passwd& UnprivilegedUser() {
  static const passwd* user = getpwnam("nobody");
  if (user == nullptr) throw std::runtime_error("no user nobody");
  return *user;
}

// A copy of the program that the unprivileged user can reach whatever the
// permissions of the build folder (under a home folder of mode 700, say).
const fs::path& ReachableProgram() {
  static const TempFolder folder;
  static const fs::path program = [] {
    const auto copy = folder / "enlazora-cli";
    fs::copy_file(ENLAZORA_CLI, copy);
    const auto readAndRun = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(copy, readAndRun);
    fs::permissions(folder.path(), readAndRun);
    return copy;
  }();
  return program;
}

std::vector<std::string> Command(const char* command, const fs::path& document, const fs::path& tables) {
  return {command, document.string(), "--tablas", tables.string()};
}

}  // namespace

CliScene::CliScene() {
  fs::create_directories(place());
  fs::copy(PreparedSample(), place(), fs::copy_options::recursive);
}

std::vector<std::string> CliScene::inbound(const fs::path& document, const fs::path& tables) const {
  auto arguments =
      Command("hacia-horalix", document.empty() ? this->document() : document, tables.empty() ? this->tables() : tables);
  arguments.insert(arguments.end(), {"--niveles", levels().string()});
  return arguments;
}

std::vector<std::string> CliScene::outbound(const fs::path& document, const fs::path& tables) const {
  return Command("hacia-quirenda", document.empty() ? this->document() : document,
                 tables.empty() ? this->tables() : tables);
}

void CliScene::giveToUnprivilegedUser() const {
  if (geteuid() != 0) return;
  const auto& user = UnprivilegedUser();
  const auto give = [&](const fs::path& path) {
    if (lchown(path.c_str(), user.pw_uid, user.pw_gid) != 0) throw std::runtime_error("cannot chown " + path.string());
  };
  for (const auto& entry : fs::recursive_directory_iterator(root())) give(entry.path());
  give(root());
}

ProcessResult CliScene::run(const std::vector<std::string>& arguments, RunAs as) const {
  if (as == RunAs::Tester || geteuid() != 0) return RunProgram(ENLAZORA_CLI, arguments, kEnvironment);
  const auto& user = UnprivilegedUser();
  std::vector<std::string> dropped = {"--reuid=" + std::to_string(user.pw_uid),
                                      "--regid=" + std::to_string(user.pw_gid), "--clear-groups", ReachableProgram().string()};
  dropped.insert(dropped.end(), arguments.begin(), arguments.end());
  return RunProgram("setpriv", dropped, kEnvironment);
}

void ExpectStop(const CliScene& scene, const std::vector<std::string>& arguments, const std::string& message,
                RunAs as) {
  const auto before = SnapshotFolder(scene.root());
  const auto run = scene.run(arguments, as);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, message + "\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ChangedFiles(before, SnapshotFolder(scene.root())), "");
  EXPECT_FALSE(fs::exists(scene.result()));
}

std::string WithFieldBytes(std::string table, std::size_t record, const std::string& field, const std::string& bytes) {
  const auto u16 = [&](std::size_t at) {
    return static_cast<std::size_t>(static_cast<unsigned char>(table[at]) |
                                    static_cast<unsigned char>(table[at + 1]) << 8);
  };
  if (table.size() < 68 || table[0] != 0x04) throw std::runtime_error("not a level-7 table");
  std::size_t offset = 1;
  for (std::size_t at = 68; at + 48 <= table.size() && table[at] != 0x0D; at += 48) {
    const std::string name = table.substr(at, 32).c_str();
    const auto width = static_cast<std::size_t>(static_cast<unsigned char>(table[at + 33]));
    if (name == field) {
      if (bytes.size() != width) throw std::runtime_error("field " + field + " is not that wide");
      table.replace(u16(8) + record * u16(10) + offset, width, bytes);
      return table;
    }
    offset += width;
  }
  throw std::runtime_error("no field " + field);
}

HeldByOtherProcess::HeldByOtherProcess(const fs::path& file) {
  int ready[2], release[2];
  if (pipe(ready) != 0 || pipe(release) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    close(ready[0]);
    close(release[1]);
    const auto lock = formats::FileLock::tryExclusive(file);
    const char answer = lock ? '1' : '0';
    if (write(ready[1], &answer, 1) != 1) _exit(1);
    char ignored = 0;
    while (read(release[0], &ignored, 1) > 0) {
    }
    _exit(0);
  }
  close(ready[1]);
  close(release[0]);
  release_ = release[1];
  char answer = '0';
  held_ = read(ready[0], &answer, 1) == 1 && answer == '1';
  close(ready[0]);
}

HeldByOtherProcess::~HeldByOtherProcess() {
  if (release_ >= 0) close(release_);  // end of input: the child lets go and ends
  int status = 0;
  if (pid_ > 0) waitpid(pid_, &status, 0);
}

}  // namespace enlazora::testing
