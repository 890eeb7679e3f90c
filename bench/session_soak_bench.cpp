// SPDX-License-Identifier: GPL-3.0-or-later
// A long live session through the real box link and recorder, the simulated
// box sending 20000 strokes at high speed, on the offscreen platform. Figures
// only: how many of the strokes sent reached the record file, and resident
// memory sampled every 1000 strokes, which should stay flat once the stroke
// tables are allocated.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench_record.h"
#include "soak_support.h"
#include "support/live_recording.h"

namespace veltrasko {
namespace {

using test::LiveRecording;

constexpr std::uint32_t SampleEvery = 1000;
constexpr auto SoakTimeout = std::chrono::minutes(5);

struct SoakFigures {
  bench::SoakOutcome Outcome;
  std::vector<long> ResidentKilobytes;
};

SoakFigures RecordSoakSession(const bench::BenchFolder& folder) {
  bench::AttachSoakBox("2000");
  SoakFigures figures;
  figures.ResidentKilobytes.reserve(bench::SoakStrokes / SampleEvery + 1);
  std::uint32_t sampledUpTo = 0;
  LiveRecording recording(folder.File("soak.vrc"), [&](std::uint32_t strokeCount) {
    if (strokeCount / SampleEvery == sampledUpTo / SampleEvery) return;
    sampledUpTo = strokeCount;
    figures.ResidentKilobytes.push_back(bench::ResidentKilobytes());
  });
  if (!recording.ConnectFirstBox()) bench::BenchFolder::Fail("no simulated box");
  if (!bench::ServeUntil([&] { return recording.Confirmed(); }, std::chrono::seconds(5)))
    bench::BenchFolder::Fail("the box did not confirm");

  const auto started = std::chrono::steady_clock::now();
  recording.ResetBox();
  const SessionState& session = recording.Core().Session();
  bench::ServeUntil([&] { return session.StrokeCount >= bench::SoakStrokes; }, SoakTimeout);
  figures.Outcome.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  figures.Outcome.Counted = session.StrokeCount;
  recording.Disconnect();

  bench::TakeRecordFile(folder.File("soak_00.vrc"), recording.Core(), figures.Outcome);
  return figures;
}

void BM_SoakSession20000(benchmark::State& state) {
  SoakFigures figures;
  for (auto _ : state) figures = RecordSoakSession(bench::Folder());
  bench::ReportSoak(state, figures.Outcome, figures.ResidentKilobytes);
}
BENCHMARK(BM_SoakSession20000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace veltrasko
