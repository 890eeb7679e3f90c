// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated three-hour session in the whole window: the simulated box
// sends 20000 strokes at 200 times its pace through the real link into the
// window, which records them and plots them live on the offscreen platform.
// Figures only: resident memory sampled every two seconds (first, middle and
// last sample, and the curve on the error stream), and how many of the
// strokes sent were counted, written and read back. Besides, the time the
// window takes through a flood of garbage reports.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QTimer>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_record.h"
#include "graph/stroke_graphs.h"
#include "link/box_link.h"
#include "link/box_menu.h"
#include "session/analyser_core.h"
#include "shell/main_window.h"
#include "shell/status_panels.h"
#include "soak_support.h"
#include "support/modal_answers.h"
#include "support/places_in_folder.h"
#include "support/simulated_boxes.h"

namespace veltrasko {
namespace {

constexpr int SampleEveryMs = 2000;
constexpr auto SoakTimeout = std::chrono::minutes(10);

struct ResidentSample {
  double Seconds;
  std::uint32_t Strokes;
  long SeriesPoints;  // held by all 36 series, 16 bytes each
  long Kilobytes;
};

long SeriesPointCount(const StrokeGraphs& graphs) {
  long points = 0;
  for (int series = 1; series <= SeriesCount; ++series) points += graphs.Series(series).dataCount();
  return points;
}

struct WindowSoakFigures {
  bench::SoakOutcome Outcome;
  std::vector<ResidentSample> Samples;
};

void ConnectAndName(TForm1& form, const std::string& basePath) {
  test::ModalAnswers saveQuestion;
  saveQuestion.AnswerNext(
      [path = QString::fromStdString(basePath)](QWidget& modal) { test::AcceptFileName(modal, path); });
  form.Link().Menu().BoxItem(1)->trigger();
  if (!bench::ServeUntil([&] { return form.StatusBar1().PanelText(4) == " Reset the ergo computer."; },
                         std::chrono::seconds(10))) {
    bench::BenchFolder::Fail("the box did not confirm");
  }
}

WindowSoakFigures RecordInTheWindow(const bench::BenchFolder& folder) {
  bench::AttachSoakBox("200");
  WindowSoakFigures figures;
  AnalyserCore core;
  {
    TForm1 form(core, test::PlacesInFolder(QString::fromStdString(folder.File(""))), QByteArray());
    form.show();
    if (!form.Link().Menu().BoxItem(1)->isVisible()) bench::BenchFolder::Fail("no simulated box");
    ConnectAndName(form, folder.File("window_soak"));

    figures.Samples.reserve(static_cast<std::size_t>(SoakTimeout / std::chrono::milliseconds(SampleEveryMs)) + 1);
    const auto started = std::chrono::steady_clock::now();
    const auto secondsSinceStart = [&] {
      return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
      figures.Samples.push_back({secondsSinceStart(), core.Session().StrokeCount, SeriesPointCount(form.Graphs()),
                                 bench::ResidentKilobytes()});
    });
    sampler.start(SampleEveryMs);
    form.Menu().Resetcomputer1->trigger();
    bench::ServeUntil([&] { return core.Session().StrokeCount >= bench::SoakStrokes; }, SoakTimeout);
    figures.Outcome.Seconds = secondsSinceStart();
    figures.Outcome.Counted = core.Session().StrokeCount;
    form.close();
  }
  bench::TakeRecordFile(folder.File("window_soak_00.vrc"), core, figures.Outcome);
  return figures;
}

void BM_WindowSoakSession20000(benchmark::State& state) {
  WindowSoakFigures figures;
  for (auto _ : state) figures = RecordInTheWindow(bench::BenchFolder());

  const std::vector<ResidentSample>& samples = figures.Samples;
  std::vector<long> residentKilobytes;
  residentKilobytes.reserve(samples.size());
  for (const ResidentSample& sample : samples) {
    std::fprintf(stderr, "%6.1f s %6u strokes %7ld series points %7ld kB\n", sample.Seconds,
                 static_cast<unsigned>(sample.Strokes), sample.SeriesPoints, sample.Kilobytes);
    residentKilobytes.push_back(sample.Kilobytes);
  }
  bench::ReportSoak(state, figures.Outcome, residentKilobytes);
  if (samples.empty()) return;
  // The series take room for a whole table at start; its pages become
  // resident as the points fill them.
  const long newPoints = samples.back().SeriesPoints - samples.front().SeriesPoints;
  state.counters["rss_growth_per_new_point_B"] =
      newPoints == 0 ? 0.0
                     : 1024.0 * static_cast<double>(samples.back().Kilobytes - samples.front().Kilobytes) / newPoints;
}
BENCHMARK(BM_WindowSoakSession20000)->Unit(benchmark::kSecond)->Iterations(1);

// A box that floods 60000 reports of random bytes after the reset, with 30
// strokes among them, and is unplugged once it has sent them all: how long
// the window takes to go through them, and how many strokes it kept.
void BM_WindowGarbageFlood60000(benchmark::State& state) {
  constexpr std::uint32_t Strokes = 30;
  std::uint32_t counted = 0;
  for (auto _ : state) {
    const bench::BenchFolder folder;
    // Unplugged after the flood, the strokes, the confirmation and the session start.
    test::AttachBoxes({{"BOXSIM_STROKES", "30"},
                       {"BOXSIM_PACE", "20"},
                       {"BOXSIM_PAUSE_EVERY", "0"},
                       {"BOXSIM_GARBAGE_REPORTS", "60000"},
                       {"BOXSIM_UNPLUG_AFTER", "60032"}});
    AnalyserCore core;
    TForm1 form(core, test::PlacesInFolder(QString::fromStdString(folder.File(""))), QByteArray());
    ConnectAndName(form, folder.File("flood"));
    form.Menu().Resetcomputer1->trigger();
    if (!bench::ServeUntil([&] { return form.Link().WaitingForBox(); }, SoakTimeout)) {
      bench::BenchFolder::Fail("the flood did not end");
    }
    counted = core.Session().StrokeCount;
  }
  state.counters["box_strokes"] = Strokes;
  state.counters["counted_strokes"] = counted;
}
BENCHMARK(BM_WindowGarbageFlood60000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace veltrasko
