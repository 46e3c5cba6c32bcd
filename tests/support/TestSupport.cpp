#include "support/TestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace enlazora::testing {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const auto name = "enlazora-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
                    std::to_string(random());
  path_ = fs::temp_directory_path() / name;
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Give back write permission that a test may have taken away.
  for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + file.string());
  out << bytes;
}

std::map<std::string, std::string> SnapshotFolder(const fs::path& folder) {
  std::map<std::string, std::string> snapshot;
  if (!fs::exists(folder)) return snapshot;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const auto relative = fs::relative(entry.path(), folder).generic_string();
    snapshot[relative] = entry.is_regular_file() ? ReadBytes(entry.path()) : std::string("<folder>");
  }
  return snapshot;
}

std::string ChangedFiles(const std::map<std::string, std::string>& before,
                         const std::map<std::string, std::string>& after) {
  std::string names;
  for (const auto& [name, bytes] : before)
    if (!after.contains(name) || after.at(name) != bytes) names += name + " ";
  for (const auto& [name, bytes] : after)
    if (!before.contains(name)) names += name + " ";
  return names;
}

namespace {
std::string drain(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  close(fd);
  return text;
}
}  // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment) {
  int outPipe[2], errPipe[2];
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, outPipe[0]);
  posix_spawn_file_actions_addclose(&actions, errPipe[0]);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

  std::vector<std::string> argvStore{program};
  argvStore.insert(argvStore.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStore;
  for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
  for (const auto& extra : environment) {
    const auto name = extra.substr(0, extra.find('=') + 1);
    std::erase_if(envStore, [&](const std::string& e) { return e.starts_with(name); });
    envStore.push_back(extra);
  }
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid;
  const int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  if (spawned != 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
  }
  ProcessResult result;
  std::thread errReader([&] { result.err = drain(errPipe[0]); });
  result.out = drain(outPipe[0]);
  errReader.join();
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

fs::path TestsFile(const std::string& relative) { return fs::path(ENLAZORA_TESTS_DIR) / relative; }

}  // namespace enlazora::testing
