// A long live session through the real box link and recorder, the simulated
// box sending 20000 strokes at high speed, on the offscreen platform. Figures
// only: how many of the strokes sent reached the record file, and resident
// memory sampled every 1000 strokes, which should stay flat once the stroke
// tables are allocated.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench_record.h"
#include "durability/live_recording.h"
#include "session/quiet_screen.h"
#include "durability/record_frames.h"
#include "session/record_reader.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko {
namespace {

using namespace testing_support;

constexpr std::uint32_t SoakStrokes = 20000;
constexpr std::uint32_t SampleEvery = 1000;
constexpr auto SoakTimeout = std::chrono::minutes(5);

// Whole frames in reports of 200 bytes, five strokes each, at a pace the
// link keeps up with. Once the box's 32-bit tick clock wraps (after about
// 13500 strokes, 2 h 23 min of box time) the simulated box finds all further
// strokes due at once and queues them faster than one report a read drains:
// resident memory after that point includes the simulator's own queue.
void AttachSoakBox() {
  setenv("BOXSIM_BOXES", "1001", 1);
  setenv("BOXSIM_PACE", "2000", 1);
  setenv("BOXSIM_STROKES", std::to_string(SoakStrokes).c_str(), 1);
  setenv("BOXSIM_PAUSE_EVERY", "0", 1);
  setenv("BOXSIM_PACKING", "burst", 1);
  setenv("BOXSIM_REPORT_LENGTH", "200", 1);
  for (const char* name : {"BOXSIM_BAD_CHECKSUM_EVERY", "BOXSIM_GARBAGE_EVERY", "BOXSIM_UNPLUG_AFTER",
                           "BOXSIM_NEVER_CONFIRM", "BOXSIM_LOG"}) {
    unsetenv(name);
  }
  boxsim::Restart();
}

// VmRSS of this process in kB, read without allocating so that sampling
// does not disturb what it measures; 0 if it cannot be read.
long ResidentKilobytes() {
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  std::array<char, 4096> text{};
  const ssize_t length = ::read(fd, text.data(), text.size() - 1);
  ::close(fd);
  if (length <= 0) return 0;
  const char* field = std::strstr(text.data(), "VmRSS:");
  return field == nullptr ? 0 : std::strtol(field + std::strlen("VmRSS:"), nullptr, 10);
}

// Runs the event loop, as the program does, until the condition holds or
// the time is up.
bool ServeUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (condition() || std::chrono::steady_clock::now() > deadline) loop.quit();
  });
  check.start(20);
  if (!condition()) loop.exec();
  return condition();
}

struct SoakFigures {
  std::uint32_t Recorded = 0;
  double Seconds = 0;
  std::vector<long> ResidentSamples;
  RecordFrames Frames;
  std::uint32_t ReadBack = 0;
};

SoakFigures RecordSoakSession(const bench::BenchFolder& folder) {
  AttachSoakBox();
  SoakFigures figures;
  figures.ResidentSamples.reserve(SoakStrokes / SampleEvery + 1);
  std::uint32_t sampledUpTo = 0;
  LiveRecording recording(folder.File("soak.vrc"), [&](std::uint32_t strokeCount) {
    if (strokeCount / SampleEvery == sampledUpTo / SampleEvery) return;
    sampledUpTo = strokeCount;
    figures.ResidentSamples.push_back(ResidentKilobytes());
  });
  if (!recording.ConnectFirstBox()) bench::BenchFolder::Fail("no simulated box");
  if (!ServeUntil([&] { return recording.Confirmed(); }, std::chrono::seconds(5)))
    bench::BenchFolder::Fail("the box did not confirm");

  const auto started = std::chrono::steady_clock::now();
  recording.ResetBox();
  const SessionState& session = recording.Core().Session;
  ServeUntil([&] { return session.StrokeCount >= SoakStrokes; }, SoakTimeout);
  figures.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  figures.Recorded = session.StrokeCount;
  recording.Disconnect();

  const std::string path = folder.File("soak_00.vrc");
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  figures.Frames = WalkRecordFrames(bytes);
  QuietScreen screen;
  ScreenSinks& sinks = screen.Sinks();
  RecordReader(recording.Core(), sinks).ReadRecordFile(path);
  figures.ReadBack = recording.Core().FileStrokes.Count();
  return figures;
}

bool CountsUpFromOne(const std::vector<std::uint16_t>& numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] != i + 1) return false;
  }
  return true;
}

void BM_SoakSession20000(benchmark::State& state) {
  SoakFigures figures;
  for (auto _ : state) figures = RecordSoakSession(bench::Folder());

  const std::vector<long>& rss = figures.ResidentSamples;
  state.counters["box_strokes"] = SoakStrokes;
  state.counters["recorded_strokes"] = figures.Recorded;
  state.counters["file_stroke_frames"] = figures.Frames.StrokeFrames;
  state.counters["file_strokes_read"] = figures.ReadBack;
  state.counters["file_damaged"] = figures.Frames.Damaged || !CountsUpFromOne(figures.Frames.StrokeNumbers);
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
