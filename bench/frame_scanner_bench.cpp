// SPDX-License-Identifier: GPL-3.0-or-later
// Scanning 10 MB of box stream through the frame scanner in 64-byte reports,
// each carrying one stroke frame and zero fill, as the box sends them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "protocol/frame_scanner.h"
#include "tools/vrcgen/paddling_model.h"

namespace veltrasko::bench {
namespace {

constexpr std::size_t ReportLength = 64;
constexpr std::size_t StreamLength = 10 * 1024 * 1024;

std::vector<std::uint8_t> MakeStream() {
  std::vector<std::uint8_t> stream(StreamLength, 0);
  PaddlingModel model(1);
  for (std::size_t at = 0; at + ReportLength <= stream.size(); at += ReportLength) {
    const StrokeMessage message = model.NextStroke();
    std::copy(StrokeTag.begin(), StrokeTag.end(), stream.begin() + static_cast<std::ptrdiff_t>(at));
    std::copy(message.Bytes.begin(), message.Bytes.end(), stream.begin() + static_cast<std::ptrdiff_t>(at + 4));
  }
  return stream;
}

void ScanTenMegabytesInReports(benchmark::State& state) {
  const std::vector<std::uint8_t> stream = MakeStream();
  StreamBuffer chunk;
  StrokeMessage stroke;
  PersonalData personal;
  SessionStartMessage start;
  std::size_t strokes = 0;
  for (auto _ : state) {
    FrameScanner scanner;
    scanner.Flags().SessionStartSeen = 1;
    strokes = 0;
    for (std::size_t at = 0; at < stream.size(); at += ReportLength) {
      FillStreamBuffer(chunk, std::span(stream).subspan(at, ReportLength));
      strokes += scanner.ScanFrame(chunk, 0, stroke, personal, start) == ScanStroke;
    }
    benchmark::DoNotOptimize(strokes);
  }
  state.counters["strokes"] = static_cast<double>(strokes);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(ScanTenMegabytesInReports)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace veltrasko::bench

BENCHMARK_MAIN();
