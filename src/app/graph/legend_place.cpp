// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/legend_place.h"

#include <qcustomplot.h>

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>
#include <array>

namespace veltrasko {
namespace {

struct SpotChoice {
  LegendSpot Spot;
  const char* Caption;
  Qt::Alignment Corner;  // within the plot; none for outside
};

constexpr std::array<SpotChoice, 5> SpotChoices{{
    {LegendSpot::Outside, "Outside", {}},
    {LegendSpot::TopLeft, "Top left", Qt::AlignTop | Qt::AlignLeft},
    {LegendSpot::TopRight, "Top right", Qt::AlignTop | Qt::AlignRight},
    {LegendSpot::BottomLeft, "Bottom left", Qt::AlignBottom | Qt::AlignLeft},
    {LegendSpot::BottomRight, "Bottom right", Qt::AlignBottom | Qt::AlignRight},
}};

// Layout rows of the chart: the title stays on top, the band comes under it.
constexpr int BandRow = 1;
// A stretch this small leaves a row or column no more than its least size.
constexpr double LeastStretch = 0.001;

const SpotChoice& ChoiceOf(LegendSpot spot) {
  return *std::find_if(SpotChoices.begin(), SpotChoices.end(),
                       [spot](const SpotChoice& choice) { return choice.Spot == spot; });
}

}  // namespace

LegendPlace::LegendPlace(QCustomPlot& chart) : QObject(&chart), chart_(chart), legend_(*chart.legend) {
  menu_ = new QMenu(&chart);
  auto* choices = new QActionGroup(menu_);
  for (const SpotChoice& choice : SpotChoices) {
    QAction* action = menu_->addAction(choice.Caption);
    action->setCheckable(true);
    action->setData(static_cast<int>(choice.Spot));
    choices->addAction(action);
    connect(action, &QAction::triggered, this, [this, spot = choice.Spot] {
      Place(spot);
      chart_.replot(QCustomPlot::rpQueuedReplot);
    });
  }
  chart.installEventFilter(this);
  // The band's columns depend on the chart's width and the legend's texts.
  connect(&chart, &QCustomPlot::beforeReplot, this, &LegendPlace::FitColumnsToWidth);
  Place(LegendSpot::Outside);
}

void LegendPlace::Place(LegendSpot spot) {
  QCPLayoutGrid& layout = *chart_.plotLayout();
  if (band_ != nullptr) {
    band_->take(&legend_);
    layout.remove(band_);  // deletes the band and its spacers
    layout.simplify();
    band_ = nullptr;
  } else {
    chart_.axisRect()->insetLayout()->take(&legend_);
  }
  spot_ = spot;
  for (QAction* action : menu_->actions()) action->setChecked(action->data().toInt() == static_cast<int>(spot));

  if (spot == LegendSpot::Outside) {
    // A band of spacer, legend, spacer: the legend keeps its own width in
    // the middle, and the plot below keeps the chart's full width.
    band_ = new QCPLayoutGrid;
    layout.insertRow(BandRow);
    layout.addElement(BandRow, 0, band_);
    layout.setRowStretchFactor(BandRow, LeastStretch);
    band_->addElement(0, 0, new QCPLayoutElement(&chart_));
    band_->addElement(0, 1, &legend_);
    band_->addElement(0, 2, new QCPLayoutElement(&chart_));
    band_->setColumnStretchFactors({1, LeastStretch, 1});
    legend_.setWrap(0);  // set by the width at the next replot
    FitColumnsToWidth();
  } else {
    legend_.setWrap(0);
    legend_.setFillOrder(QCPLayoutGrid::foRowsFirst, true);
    chart_.axisRect()->insetLayout()->addElement(&legend_, ChoiceOf(spot).Corner);
  }
}

void LegendPlace::SetTextSize(int points) {
  QFont font = legend_.font();
  if (font.pointSize() == points) return;
  font.setPointSize(points);
  legend_.setFont(font);  // the items take it too
}

// Outside, the items run side by side, in as many columns as the chart's
// width holds, and wrap into further rows.
void LegendPlace::FitColumnsToWidth() {
  if (band_ == nullptr) return;
  // Of a grid that wraps, the count includes the empty cells of its last row.
  const int cells = legend_.itemCount();
  int count = 0;
  int widest = 0;
  for (int i = 0; i < cells; ++i) {
    const QCPLayoutElement* item = legend_.item(i);
    if (item == nullptr) continue;
    ++count;
    widest = std::max(widest, item->minimumOuterSizeHint().width());
  }
  const int spacing = legend_.columnSpacing();
  const int room = chart_.viewport().width() - legend_.margins().left() - legend_.margins().right();
  const int columns = widest == 0 ? 1 : std::clamp((room + spacing) / (widest + spacing), 1, std::max(count, 1));
  if (columns == legend_.wrap() && legend_.fillOrder() == QCPLayoutGrid::foColumnsFirst) return;
  legend_.setWrap(columns);
  legend_.setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
}

bool LegendPlace::OnLegend(const QPoint& position) const {
  return legend_.realVisibility() && legend_.selectTest(position, false) >= 0;
}

bool LegendPlace::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &chart_ || event->type() != QEvent::ContextMenu) return false;
  const auto& request = static_cast<const QContextMenuEvent&>(*event);
  if (!OnLegend(request.pos())) return false;
  // The right press began a zoom rectangle; under the menu it would miss its
  // release and go on following the mouse.
  if (chart_.selectionRect()->isActive()) chart_.selectionRect()->cancel();
  menu_->popup(request.globalPos());
  return true;
}

}  // namespace veltrasko
