#include "support/IndependentReaders.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "support/TestSupport.h"

extern char** environ;

namespace enlazora::testing {
namespace fs = std::filesystem;
namespace {

fs::path ToolsFolder() {
#ifdef ENLAZORA_TOOLS_DIR
  return ENLAZORA_TOOLS_DIR;
#else
  return fs::path(ENLAZORA_BUILD_DIR) / "tests" / "tools";
#endif
}

std::string Tool(const std::string& name) {
  const auto tool = ToolsFolder() / name;
  if (!fs::exists(tool))
    throw std::runtime_error(tool.string() + " is missing: it is built from tests/tools/" + name +
                             ".pas when fpc and fp-units-db are installed");
  return tool.string();
}

ProcessResult Checked(ProcessResult result, const std::string& what) {
  if (result.exitStatus != 0)
    throw std::runtime_error(what + " failed (" + std::to_string(result.exitStatus) + "): " + result.err + result.out);
  return result;
}

// The description in a file beside the table, removed afterwards.
class DescriptionFile {
 public:
  DescriptionFile(const fs::path& table, const std::string& description) : path_(table) {
    path_ += ".description.txt";
    WriteBytes(path_, description);
  }
  ~DescriptionFile() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  std::string path() const { return path_.string(); }

 private:
  fs::path path_;
};
}  // namespace

std::string DumpWithTDbf(const fs::path& table) {
  return Checked(RunProgram(Tool("dbfdump"), {table.string()}), "dbfdump " + table.string()).out;
}

void WriteWithTDbf(const fs::path& table, int level, const std::string& description) {
  const DescriptionFile file(table, description);
  Checked(RunProgram(Tool("dbfwrite"), {table.string(), std::to_string(level), file.path()}),
          "dbfwrite " + table.string());
}

void WriteWithPythonDbf(const fs::path& table, const std::string& flavour, const std::string& description,
                        int versionByte) {
  const DescriptionFile file(table, description);
  std::vector<std::string> arguments{TestsFile("tools/pydbf_write.py").string(), table.string(), flavour,
                                     file.path()};
  if (versionByte != 0) {
    static constexpr char digits[] = "0123456789abcdef";
    arguments.push_back(std::string{digits[(versionByte >> 4) & 15], digits[versionByte & 15]});
  }
  Checked(RunProgram("/usr/bin/python3", arguments), "pydbf_write.py " + table.string());
}

HeldByTDbf::HeldByTDbf(const fs::path& table) {
  int toChild[2], fromChild[2];
  if (pipe(toChild) != 0 || pipe(fromChild) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
  posix_spawn_file_actions_addclose(&actions, toChild[1]);
  posix_spawn_file_actions_addclose(&actions, fromChild[0]);
  const auto program = Tool("dbfhold");
  const auto file = table.string();
  std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(file.c_str()), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  close(fromChild[1]);
  if (spawned != 0) {
    close(toChild[1]);
    close(fromChild[0]);
    throw std::runtime_error("cannot start dbfhold");
  }
  pid_ = pid;
  input_ = toChild[1];
  std::string line;
  char c = 0;
  while (read(fromChild[0], &c, 1) == 1 && c != '\n') line += c;
  close(fromChild[0]);
  held_ = line == "held";
  if (!held_) refusal_ = line;
}

HeldByTDbf::~HeldByTDbf() {
  if (input_ >= 0) close(input_);  // end of input: the holder closes the table and ends
  int status = 0;
  if (pid_ > 0) waitpid(pid_, &status, 0);
}

}  // namespace enlazora::testing
