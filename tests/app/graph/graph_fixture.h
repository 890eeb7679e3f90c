// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh core, two pages and the real graphs on them, set up as at
// start-up, with a status sink that records what it was told.
#pragma once

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graph/stroke_graphs.h"
#include "session/analyser_core.h"

namespace veltrasko {

class RecordingStatus : public StatusSink {
 public:
  void ShowStatus(StatusPanel panel, std::string_view text) override { Panels[panel] = std::string(text); }
  std::map<StatusPanel, std::string> Panels;
};

// A stroke row as the computation leaves it, with values that tell the
// series apart.
inline StrokeRow MakeRow(std::uint16_t strokeNumber, std::uint8_t side, float distance, float time) {
  StrokeRow row;
  row.Side = side;
  row.StrokeNumber = strokeNumber;
  row.TotalDistance = distance;
  row.PaddleTime = time;
  row.Speed = 4.0f;
  row.StrokeRate = 90.0f;
  row.Power = 200.0f;
  row.WaterPercent = 60.0f;
  row.WaterDistance = 1.5f;
  row.AirTime = 0.25f;
  row.HeartRate = 120.0f;
  row.StrokeDistance = 2.5f;
  row.Work = 150.0f;
  return row;
}

class GraphTest : public testing::Test {
 protected:
  GraphTest() {
    core_->EditSettings() = UserSettings::Defaults();
    core_->EditSettings().SetAverageFilter(1);
  }

  // Builds the graphs after a test has changed the settings it starts with.
  StrokeGraphs& Graphs() {
    if (!graphs_) {
      graphs_ = std::make_unique<StrokeGraphs>(*core_, status_, page1_, page2_);
      graphs_->SetupSeries();
      graphs_->VertAxisNameChart1();
      graphs_->VertAxisNameChart2();
    }
    return *graphs_;
  }

  static std::vector<double> Ys(const QCPGraph& graph) {
    std::vector<double> ys;
    for (auto point = graph.data()->constBegin(); point != graph.data()->constEnd(); ++point)
      ys.push_back(point->value);
    return ys;
  }

  static std::vector<double> Xs(const QCPGraph& graph) {
    std::vector<double> xs;
    for (auto point = graph.data()->constBegin(); point != graph.data()->constEnd(); ++point) xs.push_back(point->key);
    return xs;
  }

  int Count(int series) { return Graphs().Series(series).dataCount(); }

  // Plots a live stroke as the recorder does.
  void PlotLive(const StrokeRow& row) {
    Graphs().PlotStroke(row);
    Graphs().UpdateAxes();
  }

  std::unique_ptr<AnalyserCore> core_ = std::make_unique<AnalyserCore>();
  RecordingStatus status_;
  QWidget page1_;
  QWidget page2_;
  std::unique_ptr<StrokeGraphs> graphs_;
};

}  // namespace veltrasko
