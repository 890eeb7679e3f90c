// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/readout_band.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "screen/program_texts.h"

namespace veltrasko {
namespace {

constexpr double UnitScale = 0.45;  // units beside the digits, smaller
constexpr double GapScale = 0.5;    // room between cells, in digit heights of the font
constexpr double ReferencePixels = 100;
constexpr int MostRows = 2;
constexpr qint64 PaintMilliseconds = 100;  // the fastest a reader at the seat could follow
const QColor Background(24, 24, 24);
const QColor ValueColour(255, 255, 255);
const QColor UnitColour(176, 176, 176);

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The widest text each cell shows in a plausible session, so the cells keep
// their places while the numbers change.
const std::array<ReadoutCell, ReadoutItemCount>& WidestTexts() {
  static const std::array<ReadoutCell, ReadoutItemCount> widest{{
      {"0:00:00", {}},
      {"00000", ReadoutMetres},
      {"00.0", ReadoutKilometresPerHour},
      {"0:00.0", ReadoutPer500Metres},
      {"000", ReadoutStrokesPerMinute},
      {"0000", ReadoutWatts},
      {"000", ReadoutBeatsPerMinute},
      {"L 00 % | R 00 %", {}},
  }};
  return widest;
}

int CellsPerRow(int rows) { return (ReadoutItemCount + rows - 1) / rows; }

}  // namespace

ReadoutBand::ReadoutBand(const LiveReadout& readout, QWidget* parent) : QWidget(parent), readout_(readout) {
  setObjectName("ReadoutBand");
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setAttribute(Qt::WA_OpaquePaintEvent);
  pending_.setSingleShot(true);
  connect(&pending_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void ReadoutBand::Refresh() {
  if (pending_.isActive()) return;
  const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : PaintMilliseconds;
  pending_.start(static_cast<int>(std::max<qint64>(0, PaintMilliseconds - since)));
}

void ReadoutBand::SetHeightLimit(int pixels) {
  heightLimit_ = pixels;
  Arrange();
}

QFont ReadoutBand::ValueFont(double pixels) const {
  QFont valueFont = font();
  valueFont.setPixelSize(std::max(1, static_cast<int>(pixels)));
  valueFont.setBold(true);
  return valueFont;
}

QFont ReadoutBand::UnitFont(double pixels) const { return ValueFont(pixels * UnitScale); }

double ReadoutBand::DigitHeight() const { return QFontMetricsF(valueFont_).tightBoundingRect("0123456789").height(); }

std::array<double, ReadoutItemCount> ReadoutBand::CellWidths(double pixels) const {
  const QFontMetricsF value(ValueFont(pixels));
  const QFontMetricsF unit(UnitFont(pixels));
  std::array<double, ReadoutItemCount> widths{};
  for (int i = 0; i < ReadoutItemCount; ++i) {
    const ReadoutCell& cell = WidestTexts()[static_cast<std::size_t>(i)];
    widths[static_cast<std::size_t>(i)] = value.horizontalAdvance(ToQString(cell.Value)) +
                                          unit.horizontalAdvance(ToQString(cell.Unit)) + GapScale * pixels;
  }
  return widths;
}

void ReadoutBand::Arrange() {
  if (width() <= 0 || heightLimit_ <= 0) return;
  const std::array<double, ReadoutItemCount> widths = CellWidths(ReferencePixels);
  const double lineHeight = QFontMetricsF(ValueFont(ReferencePixels)).height();
  double bestPixels = 0;
  for (int rows = 1; rows <= MostRows; ++rows) {
    double widestRow = 0;
    for (int first = 0; first < ReadoutItemCount; first += CellsPerRow(rows)) {
      const int end = std::min(first + CellsPerRow(rows), static_cast<int>(ReadoutItemCount));
      double row = 0;
      for (int i = first; i < end; ++i) row += widths[static_cast<std::size_t>(i)];
      widestRow = std::max(widestRow, row);
    }
    const double byWidth = width() * ReferencePixels / widestRow;
    const double byHeight = heightLimit_ * ReferencePixels / (rows * lineHeight);
    const double pixels = std::floor(std::min(byWidth, byHeight));
    if (pixels > bestPixels) {
      bestPixels = pixels;
      rows_ = rows;
    }
  }
  valuePixels_ = std::max(1.0, bestPixels);
  valueFont_ = ValueFont(valuePixels_);
  unitFont_ = UnitFont(valuePixels_);
  widths_ = CellWidths(valuePixels_);
  const int needed = static_cast<int>(std::ceil(rows_ * QFontMetricsF(valueFont_).height()));
  const int bandHeight = std::min(needed, heightLimit_);
  if (height() != bandHeight) setFixedHeight(bandHeight);
  update();
}

void ReadoutBand::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

// Each row's spare width goes evenly to its cells; a number stands centred
// in its cell with its unit after it.
void ReadoutBand::paintEvent(QPaintEvent*) {
  sincePaint_.start();
  QPainter painter(this);
  painter.fillRect(rect(), Background);
  const ReadoutTexts texts = readout_.Texts();
  const QFontMetricsF value(valueFont_);
  const QFontMetricsF unit(unitFont_);
  const double rowHeight = static_cast<double>(height()) / rows_;
  const int perRow = CellsPerRow(rows_);
  for (int first = 0, row = 0; first < ReadoutItemCount; first += perRow, ++row) {
    const int end = std::min(first + perRow, static_cast<int>(ReadoutItemCount));
    double used = 0;
    for (int i = first; i < end; ++i) used += widths_[static_cast<std::size_t>(i)];
    const double spare = std::max(0.0, (width() - used) / (end - first));
    const double baseline = row * rowHeight + (rowHeight - value.height()) / 2 + value.ascent();
    double left = 0;
    for (int i = first; i < end; ++i) {
      const double cellWidth = widths_[static_cast<std::size_t>(i)] + spare;
      const ReadoutCell& cell = texts[static_cast<std::size_t>(i)];
      const QString number = ToQString(cell.Value);
      const QString unitText = ToQString(cell.Unit);
      double x = left + (cellWidth - value.horizontalAdvance(number) - unit.horizontalAdvance(unitText)) / 2;
      painter.setFont(valueFont_);
      painter.setPen(ValueColour);
      painter.drawText(QPointF(x, baseline), number);
      x += value.horizontalAdvance(number);
      painter.setFont(unitFont_);
      painter.setPen(UnitColour);
      painter.drawText(QPointF(x, baseline), unitText);
      left += cellWidth;
    }
  }
}

}  // namespace veltrasko
