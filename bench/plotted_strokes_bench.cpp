// SPDX-License-Identifier: GPL-3.0-or-later
// Naming the stroke under the pointer among 100000 plotted: one lookup once
// the key order is known, and the first lookup after a file of two sessions,
// which puts the keys in order.
#include <benchmark/benchmark.h>

#include "graph/plotted_strokes.h"

namespace veltrasko::bench {
namespace {

constexpr int StrokeCount = 100000;

// Two sessions of 50000 strokes each, as a file of two sessions plots them.
PlottedStrokes TwoSessions() {
  PlottedStrokes strokes;
  for (int i = 0; i < StrokeCount; ++i) {
    StrokeRow row;
    const int inSession = i % (StrokeCount / 2);
    row.StrokeNumber = static_cast<std::uint16_t>(inSession + 1);
    row.TotalDistance = 2.3f * static_cast<float>(inSession);
    row.PaddleTime = 1.4f * static_cast<float>(inSession);
    strokes.Add(row);
  }
  return strokes;
}

void NearestOf100000(benchmark::State& state) {
  const PlottedStrokes strokes = TwoSessions();
  strokes.Nearest(StrokeKey::Distance, 0);
  double x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(strokes.Nearest(StrokeKey::Distance, x));
    x = x > 115000 ? 0 : x + 997.3;
  }
}
BENCHMARK(NearestOf100000)->Unit(benchmark::kMicrosecond);

void FirstLookupAfterTwoSessions(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const PlottedStrokes strokes = TwoSessions();
    state.ResumeTiming();
    benchmark::DoNotOptimize(strokes.Nearest(StrokeKey::Distance, 500));
  }
}
BENCHMARK(FirstLookupAfterTwoSessions)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace veltrasko::bench

BENCHMARK_MAIN();
