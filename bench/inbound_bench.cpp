// The whole inbound run over synthetic schools at scales 1, 4, 16 and 64,
// reported as time per input record; and, at scale 16, the time that xmllint
// takes merely to parse the same document, as a yardstick.
//
// After the runs it prints the time per record at 64 against 4 (kept within
// 1.5) and the run's time against xmllint's at 16.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "inbound/InboundRun.h"
#include "support/DocumentGenerator.h"

extern char** environ;

namespace {
namespace fs = std::filesystem;
using namespace enlazora;

// One folder per scale with the document, the level table and a table folder,
// made once and removed at exit.
struct School {
  fs::path folder;
  fs::path document;
  fs::path levels;
  fs::path tables;
  std::size_t records = 0;
};

class Schools {
 public:
  ~Schools() {
    std::error_code ignored;
    for (const auto& [scale, school] : schools_) fs::remove_all(school.folder, ignored);
  }
  const School& at(int scale) {
    auto found = schools_.find(scale);
    if (found != schools_.end()) return found->second;
    School school;
    school.folder = fs::temp_directory_path() / ("enlazora-bench-" + std::to_string(::getpid()) + "-" + std::to_string(scale));
    school.document = school.folder / "escuela.xml";
    school.levels = school.folder / "NIVELLARI.DBF";
    school.tables = school.folder / "HTEMP";
    fs::create_directories(school.tables);
    std::ofstream(school.document, std::ios::binary) << bench::GenerateExchangeDocument(scale);
    bench::WriteLevelTable(scale, school.levels);
    school.records = bench::SizeAtScale(scale).records();
    return schools_.emplace(scale, school).first->second;
  }

 private:
  std::map<int, School> schools_;
};

Schools& TheSchools() {
  static Schools schools;
  return schools;
}

class FirstPlan : public inbound::InboundInteraction {
 public:
  std::string chooseDayPlan(const fs::path&) override { return bench::FirstDayPlan(); }
};

void BM_InboundRun(benchmark::State& state) {
  const School& school = TheSchools().at(static_cast<int>(state.range(0)));
  FirstPlan plan;
  const inbound::InboundRequest request{school.document, school.tables, school.levels};
  for (auto _ : state) {
    auto result = inbound::RunInbound(request, plan);
    benchmark::DoNotOptimize(result);
  }
  state.counters["registros"] = static_cast<double>(school.records);
  state.counters["s_por_registro"] = benchmark::Counter(static_cast<double>(school.records),
                                                        benchmark::Counter::kIsIterationInvariantRate |
                                                            benchmark::Counter::kInvert);
}
BENCHMARK(BM_InboundRun)->Arg(1)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_XmllintParse(benchmark::State& state) {
  const School& school = TheSchools().at(static_cast<int>(state.range(0)));
  const std::string document = school.document.string();
  for (auto _ : state) {
    char program[] = "xmllint";
    char noout[] = "--noout";
    std::string path = document;
    char* argv[] = {program, noout, path.data(), nullptr};
    pid_t pid;
    if (posix_spawnp(&pid, "xmllint", nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("xmllint no está instalado");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("xmllint rechazó el documento");
      return;
    }
  }
  state.counters["registros"] = static_cast<double>(school.records);
}
BENCHMARK(BM_XmllintParse)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the real time per iteration of every run it reports.
class Recorder : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        seconds_[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
    ConsoleReporter::ReportRuns(runs);
  }
  double seconds(const std::string& name) const {
    const auto found = seconds_.find(name);
    return found == seconds_.end() ? 0.0 : found->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);

  auto perRecord = [&](int scale) {
    const double seconds = recorder.seconds("BM_InboundRun/" + std::to_string(scale) + "/real_time");
    return seconds / static_cast<double>(bench::SizeAtScale(scale).records());
  };
  std::printf("\nTiempo por registro (microsegundos):");
  for (int scale : {1, 4, 16, 64}) std::printf("  %d: %.3f", scale, perRecord(scale) * 1e6);
  if (perRecord(4) > 0 && perRecord(64) > 0)
    std::printf("\nEscala 64 frente a 4: %.2f (límite 1.5)", perRecord(64) / perRecord(4));
  const double run16 = recorder.seconds("BM_InboundRun/16/real_time");
  const double xmllint16 = recorder.seconds("BM_XmllintParse/16/real_time");
  if (run16 > 0 && xmllint16 > 0)
    std::printf("\nEscala 16: transformación %.1f ms, xmllint --noout %.1f ms, proporción %.1f", run16 * 1e3,
                xmllint16 * 1e3, run16 / xmllint16);
  std::printf("\n");
  benchmark::Shutdown();
  return 0;
}
