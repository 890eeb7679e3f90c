// SPDX-License-Identifier: GPL-3.0-or-later
// The readout band above the graph tabs: the numbers of the newest stroke of
// the view shown, in digits big enough to read from the seat. It takes one
// or two rows, whichever gives the larger digits within its width and the
// height the window allows it, and no more height than those digits need.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <array>

#include "graph/live_readout.h"

namespace veltrasko {

class ReadoutBand : public QWidget {
  Q_OBJECT

 public:
  explicit ReadoutBand(const LiveReadout& readout, QWidget* parent = nullptr);

  // The tallest the band may be.
  void SetHeightLimit(int pixels);

  // What the cells show now.
  ReadoutTexts Texts() const { return readout_.Texts(); }
  int Rows() const { return rows_; }
  // The height of a digit as drawn, in pixels.
  double DigitHeight() const;

  // The readout moved on: drawn anew at once, or, when the last drawing was
  // less than a tenth of a second ago, a tenth of a second after it. Strokes
  // come about once a second; a burst is drawn without holding up the graphs.
  void Refresh();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QFont ValueFont(double pixels) const;
  QFont UnitFont(double pixels) const;
  // The widths of the widest texts each cell expects, at pixels.
  std::array<double, ReadoutItemCount> CellWidths(double pixels) const;
  // Rows and digit size for the width and the height limit; sets the height.
  void Arrange();

  const LiveReadout& readout_;
  int heightLimit_ = 0;
  int rows_ = 1;
  double valuePixels_ = 1;
  QFont valueFont_;
  QFont unitFont_;
  std::array<double, ReadoutItemCount> widths_{};
  QTimer pending_;
  QElapsedTimer sincePaint_;
};

}  // namespace veltrasko
