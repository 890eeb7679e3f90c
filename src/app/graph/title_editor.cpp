// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/title_editor.h"

#include <qcustomplot.h>

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace veltrasko {
namespace {

constexpr int BoxWidth = 120;
constexpr int BoxHeight = 21;
constexpr int BoxLeftOfClick = 60;
// Press and release this close together are a click, not a zoom drag.
constexpr int ClickShake = 3;

QPushButton* MakeKeyButton(QWidget& page, const QString& name, std::initializer_list<Qt::Key> keys) {
  auto* button = new QPushButton(&page);
  button->setObjectName(name);
  button->setFixedSize(75, 0);
  // Active while the page is shown and the button enabled, wherever the
  // focus is in the window.
  for (Qt::Key key : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key), button);
    QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
  }
  return button;
}

}  // namespace

TitleEditor::TitleEditor(QCustomPlot& chart, int chartNumber) : QObject(&chart), chart_(chart) {
  title_ = qobject_cast<QCPTextElement*>(chart.plotLayout()->element(0, 0));
  Q_ASSERT(title_ != nullptr);
  QWidget& page = *chart.parentWidget();
  const QString prefix = QString("Graph%1Title").arg(chartNumber);

  titleBox_ = new QLineEdit("Graph Title", &page);
  titleBox_->setObjectName(prefix);
  titleBox_->setFixedSize(BoxWidth, BoxHeight);
  titleBox_->hide();

  titleOK_ = MakeKeyButton(page, prefix + "OK", {Qt::Key_Return, Qt::Key_Enter});
  titleOK_->setEnabled(false);
  connect(titleOK_, &QPushButton::clicked, this, &TitleEditor::TitleOKClick);
  titleCancel_ = MakeKeyButton(page, prefix + "Cancel", {Qt::Key_Escape});
  connect(titleCancel_, &QPushButton::clicked, this, &TitleEditor::TitleCancelClick);

  connect(&chart, &QCustomPlot::mousePress, this, &TitleEditor::ChartMousePress);
  connect(&chart, &QCustomPlot::mouseRelease, this, &TitleEditor::ChartMouseRelease);
}

void TitleEditor::ChartMousePress(QMouseEvent* event) { pressPosition_ = event->pos(); }

// The rectangle zoom takes the chart's presses, so a click on the title is
// recognised here rather than by the title itself.
void TitleEditor::ChartMouseRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if ((event->pos() - pressPosition_).manhattanLength() > ClickShake) return;
  if (title_->selectTest(event->pos(), false) < 0) return;
  ChartClickTitle(event->pos());
}

void TitleEditor::ChartClickTitle(const QPoint& position) {
  // The graph starts at the top left corner of its page, so the position
  // within the graph serves as the position on the page.
  if (titleBox_->isHidden()) titleBox_->move(position.x() - BoxLeftOfClick, position.y());
  titleBox_->show();
  titleBox_->raise();
  titleBox_->setFocus();
  titleOK_->setEnabled(true);
}

void TitleEditor::TitleOKClick() {
  title_->setText(titleBox_->text());
  chart_.replot(QCustomPlot::rpQueuedReplot);
  EndEdit();
}

void TitleEditor::TitleCancelClick() { EndEdit(); }

void TitleEditor::EndEdit() {
  titleBox_->hide();
  titleOK_->setEnabled(false);
}

}  // namespace veltrasko
