// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a graph's title in place, with the real keys and mouse clicks.
#include "graph/title_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "graph/chart_tools.h"
#include "tips_fixture.h"

namespace veltrasko {
namespace {

class TitleEditorTest : public ShownGraphTest {
 protected:
  TitleEditor& Editor() {
    if (!tools_) {
      tools_ = std::make_unique<ChartTools>(Graphs(), core_->Settings());
      Show(page1_);
      QApplication::setActiveWindow(&page1_);
      EXPECT_TRUE(test::WaitUntil([this] { return page1_.isActiveWindow(); }));
    }
    return tools_->Graph1Title();
  }

  QPoint TitleCentre() { return Editor().Title().rect().center(); }

  void ClickTitle() { QTest::mouseClick(&Graphs().Chart1(), Qt::LeftButton, {}, TitleCentre()); }

  std::string TitleText() { return Editor().Title().text().toStdString(); }

  std::unique_ptr<ChartTools> tools_;
};

TEST_F(TitleEditorTest, ClickShowsTheBoxAndEnterMakesItsTextTheTitle) {
  TitleEditor& editor = Editor();
  EXPECT_TRUE(editor.TitleBox().isHidden());
  EXPECT_FALSE(editor.TitleOK().isEnabled());
  EXPECT_EQ(editor.TitleBox().size(), QSize(120, 21));
  ClickTitle();
  ASSERT_TRUE(editor.TitleBox().isVisible());
  EXPECT_EQ(editor.TitleBox().text().toStdString(), "Graph Title");
  EXPECT_EQ(editor.TitleBox().pos(), TitleCentre() - QPoint(60, 0));
  EXPECT_TRUE(editor.TitleOK().isEnabled());

  editor.TitleBox().clear();
  QTest::keyClicks(&editor.TitleBox(), "Session 3");
  QTest::keyClick(&editor.TitleBox(), Qt::Key_Return);
  EXPECT_EQ(TitleText(), "Session 3");
  EXPECT_TRUE(editor.TitleBox().isHidden());
  EXPECT_FALSE(editor.TitleOK().isEnabled());

  // The box keeps what was typed last, not the title.
  ClickTitle();
  EXPECT_EQ(editor.TitleBox().text().toStdString(), "Session 3");
}

TEST_F(TitleEditorTest, EscapeHidesTheBoxAndKeepsTheTitle) {
  TitleEditor& editor = Editor();
  ClickTitle();
  QTest::keyClicks(&editor.TitleBox(), " changed");
  QTest::keyClick(&editor.TitleBox(), Qt::Key_Escape);
  EXPECT_EQ(TitleText(), "Stroke values");
  EXPECT_TRUE(editor.TitleBox().isHidden());
  EXPECT_FALSE(editor.TitleOK().isEnabled());
  // Enter with no edit going on changes nothing.
  QTest::keyClick(&page1_, Qt::Key_Return);
  EXPECT_EQ(TitleText(), "Stroke values");
}

TEST_F(TitleEditorTest, EnterWorksWhereverTheFocusIsInTheWindow) {
  Editor();
  ClickTitle();
  Graphs().Chart1().setFocus();
  QTest::keyClick(&Graphs().Chart1(), Qt::Key_Enter);
  EXPECT_EQ(TitleText(), "Graph Title");
}

TEST_F(TitleEditorTest, ABoxShownStaysWhereItIsAndMayStartLeftOfThePage) {
  TitleEditor& editor = Editor();
  editor.ChartClickTitle(QPoint(20, 7));
  EXPECT_EQ(editor.TitleBox().pos(), QPoint(-40, 7));
  editor.ChartClickTitle(QPoint(300, 9));
  EXPECT_EQ(editor.TitleBox().pos(), QPoint(-40, 7));
  editor.TitleBox().clear();
  editor.TitleOK().click();
  EXPECT_EQ(TitleText(), "");
}

TEST_F(TitleEditorTest, DragOverTheTitleIsNoClickAndEachGraphHasItsOwnBox) {
  TitleEditor& editor = Editor();
  QCustomPlot& chart = Graphs().Chart1();
  QTest::mousePress(&chart, Qt::LeftButton, {}, TitleCentre());
  QTest::mouseMove(&chart, TitleCentre() + QPoint(40, 0));
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, TitleCentre() + QPoint(40, 0));
  EXPECT_TRUE(editor.TitleBox().isHidden());
  // A click beside the title is no click on it.
  QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.axisRect()->rect().center());
  EXPECT_TRUE(editor.TitleBox().isHidden());

  TitleEditor& second = tools_->Graph2Title();
  EXPECT_EQ(second.TitleBox().objectName(), "Graph2Title");
  EXPECT_EQ(second.TitleOK().objectName(), "Graph2TitleOK");
  EXPECT_EQ(second.TitleCancel().objectName(), "Graph2TitleCancel");
  EXPECT_EQ(second.TitleBox().parentWidget(), &page2_);
  EXPECT_EQ(second.Title().text().toStdString(), "Right vs. left stroke side");
}

}  // namespace
}  // namespace veltrasko
