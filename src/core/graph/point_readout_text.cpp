// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/point_readout_text.h"

#include "graph/mark_texts.h"

namespace veltrasko {

std::string PointReadoutText(const PlottedStroke& stroke, std::span<const ReadoutValue> values,
                             SpeedUnitCode speedUnit) {
  std::string text = "Stroke: " + std::to_string(stroke.StrokeNumber);
  text += "\nDistance: " + FixedText(stroke.Distance, 1) + " Meters";
  text += "\nTime: " + FixedText(stroke.Time, 1) + " Seconds";
  for (const ReadoutValue& value : values) {
    const std::string line = PointTipText(value.Series, true, value.Y, speedUnit);
    if (!line.empty()) text += "\n" + line;
  }
  return text;
}

}  // namespace veltrasko
