// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a record file whose short session is followed by a gigabyte of
// zero bytes, as a damaged disk or a copy gone wrong may leave it: the time
// it takes and the memory it needs, which must not grow with the file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>

#include "bench_record.h"
#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"

namespace veltrasko::bench {
namespace {

constexpr off_t Gigabyte = off_t{1} << 30;

// Sparse, so the gigabyte costs no disk.
const std::string& HugeRecordPath() {
  static const std::string path = [] {
    SyntheticRecordOptions options;
    options.OutputPath = Folder().File("huge.vrc");
    options.StrokesPerSession = 3;
    std::string error;
    if (!WriteSyntheticRecord(options, error)) BenchFolder::Fail(error);
    if (::truncate(options.OutputPath.c_str(), Gigabyte) != 0) BenchFolder::Fail("cannot extend huge.vrc");
    return options.OutputPath;
  }();
  return path;
}

long PeakResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void ReadGigabyteOfZerosBehindASession(benchmark::State& state) {
  const std::string& path = HugeRecordPath();
  auto core = std::make_unique<AnalyserCore>();
  QuietScreen screen;
  RecordReader reader(*core, screen.Sinks());
  const long residentBefore = PeakResidentKilobytes();
  for (auto _ : state) {
    if (!reader.ReadRecordFile(path)) state.SkipWithError("record file not readable");
    benchmark::DoNotOptimize(core->FileStrokes().Count());
  }
  state.counters["rows"] = static_cast<double>(core->FileStrokes().Count());
  state.counters["peak_rss_growth_kB"] = static_cast<double>(PeakResidentKilobytes() - residentBefore);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * Gigabyte);
}
BENCHMARK(ReadGigabyteOfZerosBehindASession)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace veltrasko::bench

BENCHMARK_MAIN();
