// The compile of the embedded scenario and of a route at the greatest
// length, each beside its I/O floor: the time to write the same bytes to
// the same folder in one write a file. Run each case in a process of its
// own for a true peak memory:
//   build/bin/compile_benchmark --benchmark_filter=Embedded
//   build/bin/compile_benchmark --benchmark_filter=Maximal
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/text_document.h"
#include "bench/scenarios.h"
#include "compiler/scenario_compiler.h"
#include "model/binary_files.h"
#include "source/route_source.h"
#include "source/train_source.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

long PeakMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

void BM_Compile(benchmark::State& state, Texts (*make)()) {
  const Texts texts = make();
  char pattern[] = "/tmp/compile_benchmark.XXXXXX";
  if (::mkdtemp(pattern) == nullptr) std::abort();
  const FileNames names(pattern, "R", "1");
  DiskFileSystem disk;
  double compile_seconds = 0;
  Long code = 0;
  for (auto _ : state) {
    // The compile deletes its source texts: write them anew, untimed.
    state.PauseTiming();
    if (!disk.Replace(names.RouteSource(), texts.route).ok() ||
        !disk.Replace(names.TrainSource(), texts.train).ok()) {
      state.SkipWithError("cannot write the source texts");
      break;
    }
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    Scenario s;
    // Moved in whole: assigning the literals trips a false -Wrestrict of
    // g++ 12 at -O3.
    s.nome_linea = std::string("R");
    s.numero_treno = std::string("1");
    memorizza_percorso(s, /*scrivi_linea=*/true, disk,
                       {names.RouteSource(), names.TrainSource()}, names);
    compile_seconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
            .count();
    code = s.codice_errore;
  }

  // Peak memory of the compiles, before the floor reads the files back.
  const long peak = PeakMiB();

  // The floor: the three files' bytes, written once each, as often.
  std::string files[3];
  for (int i = 0; const std::string& path :
                  {names.RoutePlan(), names.TrainBank(), names.Cells()}) {
    if (!disk.Read(path, &files[i++]).ok()) {
      state.SkipWithError("the compile wrote no package");
      return;
    }
  }
  const auto start = std::chrono::steady_clock::now();
  for (int64_t i = 0; i < state.iterations(); ++i) {
    for (int f = 0; const std::string& path :
                    {names.RoutePlan(), names.TrainBank(), names.Cells()}) {
      if (!disk.Replace(path, files[f++]).ok()) {
        state.SkipWithError("cannot write the floor's files");
        return;
      }
    }
  }
  const double floor_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  fs::remove_all(pattern);

  const double n = static_cast<double>(state.iterations());
  state.counters["compile_ms"] = compile_seconds / n * 1e3;
  state.counters["floor_ms"] = floor_seconds / n * 1e3;
  state.counters["compile_per_floor"] = compile_seconds / floor_seconds;
  state.counters["peak_MiB"] = static_cast<double>(peak);
  state.counters["codice_errore"] = code;
  state.counters["bytes_written"] =
      static_cast<double>(files[0].size() + files[1].size() + files[2].size());
}

BENCHMARK_CAPTURE(BM_Compile, Embedded, &Embedded)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Compile, Maximal, &Maximal)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario

BENCHMARK_MAIN();
