// The outbound run over synthetic schools of growing size: the time per
// placed lesson should stay flat as the tables grow.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

#include "outbound/OutboundRun.h"
#include "support/TableSetGenerator.h"

namespace {

namespace fs = std::filesystem;

struct Scene {
  fs::path folder;
  fs::path document;
  enlazora::bench::TableSetSize size;
};

fs::path BenchFolder() {
  return fs::temp_directory_path() / ("enlazora-bench-outbound-" + std::to_string(getpid()));
}

// One table set per scale, written once and reused by every repetition.
const Scene& SceneAtScale(std::size_t scale) {
  static std::map<std::size_t, Scene> scenes;
  auto found = scenes.find(scale);
  if (found != scenes.end()) return found->second;
  Scene scene;
  scene.folder = BenchFolder() / ("escala" + std::to_string(scale));
  scene.document = scene.folder / "centro.xml";
  scene.size = enlazora::bench::WriteTableSet(scene.folder / "HTEMP", scale);
  enlazora::bench::WriteExchangeDocument(scene.document);
  return scenes.emplace(scale, scene).first->second;
}

void BM_OutboundRun(benchmark::State& state) {
  const Scene& scene = SceneAtScale(static_cast<std::size_t>(state.range(0)));
  std::size_t activities = 0;
  for (auto _ : state) {
    const auto result = enlazora::outbound::RunOutbound({scene.document, scene.folder / "HTEMP", std::nullopt});
    activities = result.activities;
    benchmark::DoNotOptimize(activities);
  }
  state.counters["teachers"] = static_cast<double>(scene.size.teachers);
  state.counters["lessons"] = static_cast<double>(scene.size.lessons);
  state.counters["activities"] = static_cast<double>(activities);
  // Seconds per lesson of SOLUC.DBF (the benchmark shows it in its own unit).
  state.counters["per_lesson"] =
      benchmark::Counter(static_cast<double>(scene.size.lessons),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_OutboundRun)->Arg(1)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(BenchFolder(), ignored);
  return 0;
}
