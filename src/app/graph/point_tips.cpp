// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/point_tips.h"

#include <qcustomplot.h>

#include <QHelpEvent>
#include <QToolTip>

#include "graph/graph_page.h"
#include "graph/mark_texts.h"
#include "graph/series_data.h"
#include "settings/user_settings.h"

namespace veltrasko {

PointTips::PointTips(const GraphPage& page, const UserSettings& settings)
    : QObject(&page.Chart()), page_(page), settings_(settings), chart_(page.Chart()) {
  chart_.installEventFilter(this);
}

QString PointTips::TipAt(const QPointF& position) const {
  int nearestSeries = 0;
  double nearestDistance = chart_.selectionTolerance();
  double nearestY = 0;
  for (int number = page_.Description().FirstSeries; number <= page_.Description().LastSeries(); ++number) {
    const QCPGraph& graph = page_.Series(number);
    // Points added since the last replot are not where the line is drawn yet.
    if (!graph.visible() || !PointsOf(graph).Normalised()) continue;
    QVariant details;
    const double distance = graph.selectTest(position, false, &details);
    if (distance < 0 || distance > nearestDistance) continue;
    const QCPDataSelection closest = details.value<QCPDataSelection>();
    if (closest.isEmpty()) continue;
    nearestSeries = number;
    nearestDistance = distance;
    // The asking series' own point: after a second session in one file the
    // distance and time copies of a value no longer sort alike.
    nearestY = (graph.data()->constBegin() + closest.dataRange().begin())->value;
  }
  if (nearestSeries == 0) return {};
  const QCPGraph& graph = page_.Series(nearestSeries);
  return QString::fromStdString(PointTipText(nearestSeries, graph.visible(), nearestY, settings_.SpeedUnit()));
}

bool PointTips::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &chart_ || event->type() != QEvent::ToolTip) return false;
  const auto& help = static_cast<const QHelpEvent&>(*event);
  const QString tip = TipAt(help.pos());
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(help.globalPos(), tip, &chart_);
  return true;
}

}  // namespace veltrasko
