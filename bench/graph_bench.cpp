// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and memory of the graph pages with files of 100000 strokes, on the
// offscreen platform. Figures only; nothing is asserted.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "graph/readout_band.h"
#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"
#include "support/core_state_for_tests.h"

namespace veltrasko {
namespace {

class QuietSinks : public StatusSink, public MessageSink, public SessionDialogs {
 public:
  void ShowStatus(StatusPanel, std::string_view) override {}
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", int(text.size()), text.data());
  }
  std::optional<std::string> AskSaveNextSession(std::string_view) override { return std::nullopt; }
  void ShowOnlineWeight(std::string_view) override {}
  void ShowFilePersonalData(const PersonalData&) override {}
};

// The program's graphs on two pages, the first shown with Chart1 at 1200 x 700.
struct GraphWorld {
  GraphWorld() {
    core->EditSettings() = UserSettings::Defaults();
    graphs = std::make_unique<StrokeGraphs>(*core, sinks, page1, page2);
    graphs->SetupSeries();
    graphs->VertAxisNameChart1();
    graphs->VertAxisNameChart2();
    graphs->Chart1().setFixedSize(1200, 700);
    page1.show();
    QApplication::processEvents();
  }

  void Open(const std::string& path) {
    ScreenSinks screen{sinks, sinks, *graphs, sinks};
    RecordReader(*core, screen).OpenRecordFile(path);
  }

  std::unique_ptr<AnalyserCore> core = std::make_unique<AnalyserCore>();
  QuietSinks sinks;
  QWidget page1;
  QWidget page2;
  std::unique_ptr<StrokeGraphs> graphs;
};

std::string RecordFile(const char* name, const char* options) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrasko_graph_bench";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / name).string();
  if (!std::filesystem::exists(path)) {
    const std::string command = std::string(VRCGEN_PATH) + " " + options + " " + path;
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "vrcgen failed: %s\n", command.c_str());
  }
  return path;
}

std::string OneSession() { return RecordFile("one_100000.vrc", "--strokes 100000"); }
std::string TwoSessions() { return RecordFile("two_50000.vrc", "--strokes 50000 --sessions 2"); }

void OpenFile(benchmark::State& state, const std::string& path) {
  GraphWorld world;
  for (auto _ : state) world.Open(path);
  state.counters["points_series1"] = world.graphs->Series(1).dataCount();
}

void BM_OpenRecordFile100000(benchmark::State& state) { OpenFile(state, OneSession()); }
BENCHMARK(BM_OpenRecordFile100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenRecordFileTwoSessions50000(benchmark::State& state) { OpenFile(state, TwoSessions()); }
BENCHMARK(BM_OpenRecordFileTwoSessions50000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawView100000(benchmark::State& state) {
  GraphWorld world;
  world.Open(OneSession());
  for (auto _ : state) world.graphs->RedrawView();
}
BENCHMARK(BM_RedrawView100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReplotFileView1200x700(benchmark::State& state) {
  GraphWorld world;
  world.Open(OneSession());
  for (auto _ : state) world.graphs->Chart1().replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(BM_ReplotFileView1200x700)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One stroke from the box with a whole session already on the graphs; with
// the second argument 1 the readout band above them shows it too.
void BM_LiveStrokeAfter100000(benchmark::State& state) {
  GraphWorld world;
  const bool readout = state.range(1) != 0;
  // The band above the page in one window, as the program's window has them;
  // without the readout the band is hidden and hears of no stroke.
  QWidget window;
  ReadoutBand band(world.graphs->Readout());
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(&band);
  layout->addWidget(&world.page1);
  band.setVisible(readout);
  if (readout) QObject::connect(world.graphs.get(), &StrokeGraphs::readoutChanged, &band, &ReadoutBand::Refresh);
  window.show();
  band.SetHeightLimit(140);
  world.Open(OneSession());
  world.graphs->Showonlinesession1Click();
  world.core->ShowOnlineGraph();
  world.core->FileStrokes().ForEachRow([&](const StrokeRow& row) { world.graphs->PlotStroke(row); });
  world.graphs->UpdateAxes();
  // The new stroke lies beyond every point held, as the next stroke of a session does.
  StrokeRow row = world.core->FileStrokes()[world.core->FileStrokes().Count() - 1];
  row.TotalDistance = static_cast<float>(world.graphs->Series(1).data()->constEnd()[-1].key);
  row.PaddleTime = static_cast<float>(world.graphs->Series(9).data()->constEnd()[-1].key);
  for (auto _ : state) {
    row.TotalDistance += 2.5f;
    row.PaddleTime += 0.6f;
    ++row.StrokeNumber;
    world.graphs->PlotStroke(row);
    world.graphs->UpdateAxes();
    if (state.range(0) == 0) {
      QCoreApplication::processEvents();  // the queued replot of the graph shown
    } else {
      world.graphs->Chart1().replot(QCustomPlot::rpImmediateRefresh);
      world.graphs->Chart2().replot(QCustomPlot::rpImmediateRefresh);
      if (readout) band.repaint();  // every stroke, however soon after the last
    }
  }
  // The page outlives the window.
  world.page1.setParent(nullptr);
}
// Replot 0: as the program does it, replotting the graph shown; 2: both
// graphs at once. Readout 0 or 1: without or with the readout band.
BENCHMARK(BM_LiveStrokeAfter100000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(2000)
    ->ArgNames({"replot", "readout"})
    ->ArgsProduct({{0, 2}, {0, 1}});

long PeakResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

// Both tables full and every series at 100000 points (strokes of both sides).
void BM_PeakMemoryFullGraphs(benchmark::State& state) {
  for (auto _ : state) {
    GraphWorld world;
    for (StrokeTable* table :
         {&CoreStateForTests::OnlineStrokes(*world.core), &CoreStateForTests::FileStrokes(*world.core)}) {
      for (std::uint32_t i = 0; i < StrokeTableCapacity; ++i) {
        StrokeRow& row = table->WorkingRow();
        row = StrokeRow{};
        row.Side = 2;
        row.StrokeNumber = static_cast<std::uint16_t>(i + 1);
        row.TotalDistance = 2.5f * i;
        row.PaddleTime = 0.6f * i;
        row.Speed = 4.0f;
        row.Power = 150.0f + i % 50;
        table->FinishStroke(true);
      }
    }
    world.core->ShowFileGraph();
    world.graphs->ShowOnlineGraph();
    world.graphs->Chart1().replot(QCustomPlot::rpImmediateRefresh);
    state.counters["series36_points"] = world.graphs->Series(36).dataCount();
  }
  state.counters["peak_rss_MB"] = PeakResidentKilobytes() / 1024.0;
}
BENCHMARK(BM_PeakMemoryFullGraphs)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace veltrasko
