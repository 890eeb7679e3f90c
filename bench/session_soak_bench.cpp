// A long live session through the real box link and recorder, the simulated
// box sending 20000 strokes at high speed, on the offscreen platform. Figures
// only: how many of the strokes sent reached the record file, and resident
// memory sampled every 1000 strokes, which should stay flat once the stroke
// tables are allocated.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <string>
#include <vector>

#include "bench_record.h"
#include "durability/live_recording.h"
#include "session/quiet_screen.h"
#include "session/record_reader.h"
#include "soak_support.h"

namespace veltrasko {
namespace {

using namespace testing_support;

constexpr std::uint32_t SampleEvery = 1000;
constexpr auto SoakTimeout = std::chrono::minutes(5);

struct SoakFigures {
  std::uint32_t Recorded = 0;
  double Seconds = 0;
  std::vector<long> ResidentSamples;
  RecordFrames Frames;
  std::uint32_t ReadBack = 0;
};

SoakFigures RecordSoakSession(const bench::BenchFolder& folder) {
  bench::AttachSoakBox("2000");
  SoakFigures figures;
  figures.ResidentSamples.reserve(bench::SoakStrokes / SampleEvery + 1);
  std::uint32_t sampledUpTo = 0;
  LiveRecording recording(folder.File("soak.vrc"), [&](std::uint32_t strokeCount) {
    if (strokeCount / SampleEvery == sampledUpTo / SampleEvery) return;
    sampledUpTo = strokeCount;
    figures.ResidentSamples.push_back(bench::ResidentKilobytes());
  });
  if (!recording.ConnectFirstBox()) bench::BenchFolder::Fail("no simulated box");
  if (!bench::ServeUntil([&] { return recording.Confirmed(); }, std::chrono::seconds(5)))
    bench::BenchFolder::Fail("the box did not confirm");

  const auto started = std::chrono::steady_clock::now();
  recording.ResetBox();
  const SessionState& session = recording.Core().Session;
  bench::ServeUntil([&] { return session.StrokeCount >= bench::SoakStrokes; }, SoakTimeout);
  figures.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  figures.Recorded = session.StrokeCount;
  recording.Disconnect();

  const std::string path = folder.File("soak_00.vrc");
  figures.Frames = bench::FramesOnFile(path);
  QuietScreen screen;
  ScreenSinks& sinks = screen.Sinks();
  RecordReader(recording.Core(), sinks).ReadRecordFile(path);
  figures.ReadBack = recording.Core().FileStrokes.Count();
  return figures;
}

void BM_SoakSession20000(benchmark::State& state) {
  SoakFigures figures;
  for (auto _ : state) figures = RecordSoakSession(bench::Folder());

  const std::vector<long>& rss = figures.ResidentSamples;
  state.counters["box_strokes"] = bench::SoakStrokes;
  state.counters["recorded_strokes"] = figures.Recorded;
  state.counters["file_stroke_frames"] = figures.Frames.StrokeFrames;
  state.counters["file_strokes_read"] = figures.ReadBack;
  state.counters["file_damaged"] = !bench::WholeAndInOrder(figures.Frames);
  state.counters["strokes_per_s"] = figures.Recorded / figures.Seconds;
  state.counters["rss_samples"] = static_cast<double>(rss.size());
  if (!rss.empty()) {
    state.counters["rss_first_kB"] = rss.front();
    state.counters["rss_middle_kB"] = rss[rss.size() / 2];
    state.counters["rss_last_kB"] = rss.back();
    state.counters["rss_growth_kB"] = rss.back() - rss.front();
  }
}
BENCHMARK(BM_SoakSession20000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace veltrasko

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
