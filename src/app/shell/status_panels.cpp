// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/status_panels.h"

#include <QFile>
#include <QLabel>

namespace veltrasko {

namespace {

struct PanelLayout {
  int width;
  Qt::Alignment alignment;
};

constexpr std::array<PanelLayout, StatusPanelCount> PanelLayouts{{
    {70, Qt::AlignCenter},
    {100, Qt::AlignCenter},
    {110, Qt::AlignCenter},
    {110, Qt::AlignCenter},
    {508, Qt::AlignLeft | Qt::AlignVCenter},
}};

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusBar1");
  setSizeGripEnabled(false);
  setFixedHeight(StatusBarHeight);
  // A plain holder with no layout: its panels keep their places and widths
  // whatever the window's width, and it never forces the window wider.
  auto* holder = new QWidget(this);
  holder->setMinimumSize(0, 0);
  int left = 0;
  for (int i = 0; i < StatusPanelCount; ++i) {
    auto* panel = new QLabel(holder);
    panel->setObjectName(QString("StatusBar1Panel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(PanelLayouts[i].alignment);
    panel->setGeometry(left, 1, PanelLayouts[i].width - 2, StatusBarHeight - 4);
    left += PanelLayouts[i].width;
    panels_[i] = panel;
  }
  addWidget(holder, 1);
}

namespace {

// Panel texts are plain ASCII or file paths, which come as the file system's bytes.
QString PanelString(std::string_view text) {
  return QFile::decodeName(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace

void StatusPanels::ShowStatus(StatusPanel panel, std::string_view text) {
  QLabel& label = *panels_[static_cast<int>(panel)];
  label.setText(PanelString(text));
  label.setToolTip(QString());
}

void StatusPanels::ShowStatusTip(StatusPanel panel, std::string_view tip) {
  panels_[static_cast<int>(panel)]->setToolTip(PanelString(tip));
}

QString StatusPanels::PanelText(int index) const { return panels_[index]->text(); }

}  // namespace veltrasko
