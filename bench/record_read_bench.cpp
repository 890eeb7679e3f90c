// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a 100000-stroke record file into the file table, against merely
// reading its bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "bench_record.h"
#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"

namespace veltrasko::bench {
namespace {

void ReadRecordFileIntoFileStrokes(benchmark::State& state) {
  const std::string& path = BenchRecordPath();
  auto core = std::make_unique<AnalyserCore>();
  QuietScreen screen;
  RecordReader reader(*core, screen.Sinks());
  for (auto _ : state) {
    if (!reader.ReadRecordFile(path)) state.SkipWithError("record file not readable");
    benchmark::DoNotOptimize(core->FileStrokes().Count());
  }
  state.counters["rows"] = static_cast<double>(core->FileStrokes().Count());
}
BENCHMARK(ReadRecordFileIntoFileStrokes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The floor: the same bytes read from the (cached) file into memory.
void ReadRecordFileBytesOnly(benchmark::State& state) {
  const std::string& path = BenchRecordPath();
  std::vector<unsigned char> buffer(64 * 1024);
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::size_t total = 0;
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) total += static_cast<std::size_t>(got);
    ::close(fd);
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(ReadRecordFileBytesOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace veltrasko::bench

BENCHMARK_MAIN();
