// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting 100000 rows, against only formatting their lines with snprintf;
// the same rows as a FIT activity, and their session summary, figures and text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "bench_record.h"
#include "export/export_writer.h"
#include "export/fit_activity.h"
#include "export/session_summary.h"
#include "export/summary_text.h"
#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"

namespace veltrasko::bench {
namespace {

// A core showing the benchmark file, as after opening it in the window.
AnalyserCore& CoreWithFile() {
  static const std::unique_ptr<AnalyserCore> core = [] {
    auto opened = std::make_unique<AnalyserCore>();
    opened->EditSettings() = UserSettings::Defaults();
    QuietScreen screen;
    RecordReader(*opened, screen.Sinks()).OpenRecordFile(BenchRecordPath());
    if (opened->FileStrokes().Count() != BenchStrokes) BenchFolder::Fail("the benchmark file lost strokes");
    return opened;
  }();
  return *core;
}

void WriteExportFileOfAllRows(benchmark::State& state) {
  AnalyserCore& core = CoreWithFile();
  const std::string output = Folder().File("bench.csv");
  for (auto _ : state) {
    if (WriteExportFile(output, ShownExportSource(core), core.Settings()) != ExportResult::Written)
      state.SkipWithError("export failed");
  }
  state.counters["rows"] = static_cast<double>(core.FileStrokes().Count());
}
BENCHMARK(WriteExportFileOfAllRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// As "Export FIT..." does it: totals, start from the record file, encoding and writing.
void WriteFitExportOfAllRows(benchmark::State& state) {
  AnalyserCore& core = CoreWithFile();
  const std::string output = Folder().File("bench.fit");
  for (auto _ : state) {
    if (!WriteFitExport(output, ShownExportSource(core), std::nullopt, "1.61")) state.SkipWithError("export failed");
  }
  state.counters["rows"] = static_cast<double>(core.FileStrokes().Count());
}
BENCHMARK(WriteFitExportOfAllRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The floor: the stroke lines formatted into a buffer, neither rewritten nor written.
void FormatStrokeLinesOnly(benchmark::State& state) {
  const StrokeTable& strokes = CoreWithFile().FileStrokes();
  char line[256];
  for (auto _ : state) {
    std::size_t total = 0;
    strokes.ForEachRow([&](const StrokeRow& row) {
      total += static_cast<std::size_t>(std::snprintf(
          line, sizeof line,
          "%4d; %7.2lf; %7.3lf; %7.2lf; %7.3lf; %7.2lf; %7.1lf; %7.1lf; %8.3lf; %8.3lf; %8.3lf; %8.2lf; %8.3lf; "
          "%8.3lf; %4.0f; \n",
          row.StrokeNumber, double{row.TotalDistance}, double{row.Speed} * double{3.6f}, double{row.StrokeDistance},
          double{row.Power}, double{row.Work}, double{row.StrokeRate}, double{row.WaterPercent}, double{row.StrokeTime},
          double{row.WaterDistance}, double{row.AirTime}, double{row.TotalWork}, double{row.PaddleTime},
          double{row.ClockTime}, double{row.HeartRate}));
    });
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(FormatStrokeLinesOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void SummariseSessionsOfAllRows(benchmark::State& state) {
  const StrokeTable& strokes = CoreWithFile().FileStrokes();
  for (auto _ : state) benchmark::DoNotOptimize(SummariseSessions(strokes));
  state.counters["rows"] = static_cast<double>(strokes.Count());
}
BENCHMARK(SummariseSessionsOfAllRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the dialog's Copy and veltrasko-export --summary make of it.
void SummaryTextOfAllRows(benchmark::State& state) {
  AnalyserCore& core = CoreWithFile();
  for (auto _ : state) benchmark::DoNotOptimize(SummaryText(ShownExportSource(core), core.Settings()));
}
BENCHMARK(SummaryTextOfAllRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace veltrasko::bench

BENCHMARK_MAIN();
