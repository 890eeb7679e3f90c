// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's five panels (StatusBar1): fixed widths and alignments at
// fixed places, like the panels of a classic status bar, so a narrow window
// cuts the last panels off instead of growing to fit them.
#pragma once

#include <QStatusBar>
#include <array>

#include "screen/screen_sinks.h"

class QLabel;

namespace veltrasko {

inline constexpr int StatusPanelCount = 5;
inline constexpr int StatusBarHeight = 22;

class StatusPanels : public QStatusBar, public StatusSink {
  Q_OBJECT

 public:
  explicit StatusPanels(QWidget* parent = nullptr);

  // Panel 0 stays empty; only panels 1 to 4 are written.
  void ShowStatus(StatusPanel panel, std::string_view text) override;
  void ShowStatusTip(StatusPanel panel, std::string_view tip) override;

  // The text of panel 0 .. 4 as shown.
  QString PanelText(int index) const;
  const QLabel& Panel(int index) const { return *panels_[index]; }

 private:
  std::array<QLabel*, StatusPanelCount> panels_{};
};

}  // namespace veltrasko
