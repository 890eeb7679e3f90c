// SPDX-License-Identifier: GPL-3.0-or-later
// The Options dialog's way to the two graph pages.
#pragma once

#include "dialogs/options_dialog.h"
#include "graph/stroke_graphs.h"

namespace veltrasko {

class StrokeGraphsOptions final : public OptionsGraphs {
 public:
  explicit StrokeGraphsOptions(StrokeGraphs& graphs) : graphs_(graphs) {}

  void SetLineWidth(std::int16_t width) override { graphs_.SetLineWidth(width); }
  void RedrawView() override { graphs_.RedrawView(); }
  void UpdateAxes() override { graphs_.UpdateAxes(); }

 private:
  StrokeGraphs& graphs_;
};

}  // namespace veltrasko
