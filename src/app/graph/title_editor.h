// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a graph's title in place: a click on the title shows a one-line
// box on the graph's page (Graph1Title or Graph2Title); Enter makes its text
// the title, Escape leaves the title as it was. Enter and Escape are taken
// by two buttons that are never seen (zero pixels high).
#pragma once

#include <QObject>
#include <QPoint>

class QCPTextElement;
class QCustomPlot;
class QLineEdit;
class QMouseEvent;
class QPushButton;

namespace veltrasko {

class TitleEditor : public QObject {
  Q_OBJECT

 public:
  // chartNumber 1 or 2 names the controls; the box goes onto the chart's page.
  TitleEditor(QCustomPlot& chart, int chartNumber);

  // A click on the title at position, in pixels within the graph.
  void ChartClickTitle(const QPoint& position);
  // Enter and Escape.
  void TitleOKClick();
  void TitleCancelClick();

  QLineEdit& TitleBox() const { return *titleBox_; }
  QPushButton& TitleOK() const { return *titleOK_; }
  QPushButton& TitleCancel() const { return *titleCancel_; }
  QCPTextElement& Title() const { return *title_; }

 private:
  void ChartMousePress(QMouseEvent* event);
  void ChartMouseRelease(QMouseEvent* event);
  void EndEdit();

  QCustomPlot& chart_;
  QCPTextElement* title_ = nullptr;
  QLineEdit* titleBox_ = nullptr;
  QPushButton* titleOK_ = nullptr;
  QPushButton* titleCancel_ = nullptr;
  QPoint pressPosition_;
};

}  // namespace veltrasko
