#pragma once
// Helpers shared by the tests: scratch folders, file bytes, folder snapshots
// and running a program.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace enlazora::testing {

// A fresh folder under the system's temporary folder, removed on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// Every file below a folder (relative path -> bytes), to show that a run left
// a folder exactly as it was.
std::map<std::string, std::string> SnapshotFolder(const std::filesystem::path& folder);

// The names of the files that differ between two snapshots, each followed by
// a blank; empty when the snapshots are equal.
std::string ChangedFiles(const std::map<std::string, std::string>& before,
                         const std::map<std::string, std::string>& after);

struct ProcessResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs a program with arguments (no shell), with extra environment variables
// ("NAME=value"), and collects its output.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {});

// A file of the tests' source tree ("formats/fixtures/x.xml").
std::filesystem::path TestsFile(const std::string& relative);

}  // namespace enlazora::testing
