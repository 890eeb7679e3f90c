// SPDX-License-Identifier: GPL-3.0-or-later
// Print and copy of the graph in front: through the real print path into a
// PDF file read back with the poppler tools, and onto the clipboard.
#include "graph/chart_output.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>

#include "app/graph/graph_fixture.h"
#include "graph/chart_foot.h"
#include "graph/stroke_graphs.h"
#include "graph/zoom_animation.h"
#include "session/analyser_core.h"
#include "support/core_state_for_tests.h"
#include "support/modal_answers.h"
#include "support/places_in_folder.h"

namespace veltrasko {
namespace {

constexpr char RecordPath[] = "/home/paddler/kayak_03.vrc";
constexpr char InformationLine[] = "Kayak, 62 Kg, avg. filter: 4 strokes, 3-7-2024";

class ChartOutputTest : public testing::Test {
 protected:
  ChartOutputTest() {
    core_->EditSettings() = UserSettings::Defaults();
    core_->EditSettings().SetAverageFilter(4);
    CoreStateForTests::Session(*core_).OnlineHeader.RecordFileName.Assign(RecordPath);
    PersonalData& online = CoreStateForTests::Session(*core_).OnlinePersonalData;
    online.SetText(PersonNameField, "Kayak");
    online.SetText(WeightTextField, "62");
    online.SetText(SessionDateField, "3-7-2024");
    auto* page1 = new QWidget;
    auto* page2 = new QWidget;
    tabs_.addTab(page1, "Stroke values");
    tabs_.addTab(page2, "Right vs. left");
    graphs_ = std::make_unique<StrokeGraphs>(*core_, status_, *page1, *page2);
    graphs_->SetupSeries();
    for (std::uint16_t n = 1; n <= 20; ++n) {
      StrokeRow row = MakeRow(n, n % 2, 10.0f * n, 3.0f * n);
      row.Speed = 3.5f + 0.05f * (n % 5);
      graphs_->PlotStroke(row);
    }
    graphs_->UpdateAxes();
    tabs_.resize(1000, 560);
    tabs_.show();
    QCoreApplication::processEvents();
    output_ = std::make_unique<ChartOutput>(*core_, *graphs_, tabs_, tabs_);
  }

  std::string PrintToPdf() {
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(PdfPath());
    output_->PrintFrontChart(printer);
    std::string text = Run("pdftotext", {"-layout", PdfPath(), "-"});
    // The font may set "fi" as one ligature glyph.
    for (std::size_t at; (at = text.find("\xEF\xAC\x81")) != std::string::npos;) text.replace(at, 3, "fi");
    return text;
  }

  // The printed page as a bitmap, 30 dots per inch.
  QImage PrintedPage() {
    Run("pdftoppm", {"-png", "-r", "30", "-singlefile", PdfPath(), test::QtPath(folder_, "page")});
    return QImage(test::QtPath(folder_, "page.png"));
  }

  static std::string Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(20000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return process.readAllStandardOutput().toStdString();
  }

  QString PdfPath() const { return test::QtPath(folder_, "graph.pdf"); }

  // The feet are gone from both graphs, so the window shows none.
  void ExpectNoFoot() const {
    // The title, the legend and the plot.
    for (QCustomPlot* chart : {&graphs_->Chart1(), &graphs_->Chart2()}) EXPECT_EQ(chart->plotLayout()->rowCount(), 3);
  }

  std::unique_ptr<AnalyserCore> core_ = std::make_unique<AnalyserCore>();
  RecordingStatus status_;
  test::TemporaryFolder folder_;
  QTabWidget tabs_;
  std::unique_ptr<StrokeGraphs> graphs_;  // before the pages go with the tabs
  std::unique_ptr<ChartOutput> output_;
};

// The box around what is not white on the page, in parts of the page.
QRectF InkedArea(const QImage& page) {
  int left = page.width(), top = page.height(), right = -1, bottom = -1;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (QColor(page.pixel(x, y)).lightness() > 245) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return {static_cast<double>(left) / page.width(), static_cast<double>(top) / page.height(),
          static_cast<double>(right - left + 1) / page.width(), static_cast<double>(bottom - top + 1) / page.height()};
}

TEST_F(ChartOutputTest, PrintedStrokeValuesCarryTheFootLinesAndFillTheMargins) {
  const std::string text = PrintToPdf();
  EXPECT_NE(text.find(RecordPath), std::string::npos) << text;
  EXPECT_NE(text.find(InformationLine), std::string::npos) << text;
  EXPECT_NE(text.find("Stroke values"), std::string::npos);
  EXPECT_LT(text.find(RecordPath), text.find(InformationLine));
  ExpectNoFoot();

  const QImage page = PrintedPage();
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());  // landscape
  // Stretched into 10 % left and right, 20 % top and bottom.
  const QRectF inked = InkedArea(page);
  EXPECT_NEAR(inked.left(), 0.10, 0.02);
  EXPECT_NEAR(inked.right(), 0.90, 0.02);
  EXPECT_NEAR(inked.top(), 0.20, 0.03);
  EXPECT_NEAR(inked.bottom(), 0.80, 0.03);
}

TEST_F(ChartOutputTest, RightVersusLeftKeepsItsProportionsOnThePage) {
  tabs_.setCurrentIndex(1);
  QCoreApplication::processEvents();
  const QSize onScreen = graphs_->Chart2().size();
  EXPECT_NE(PrintToPdf().find("Right vs. left stroke side"), std::string::npos);
  const QImage page = PrintedPage();
  const QRectF inked = InkedArea(page);
  const double printedRatio = inked.width() * page.width() / (inked.height() * page.height());
  EXPECT_NEAR(printedRatio, static_cast<double>(onScreen.width()) / onScreen.height(), 0.05);
  // Within 23 % top and bottom, the height is what limits it.
  EXPECT_NEAR(inked.top(), 0.23, 0.03);
  EXPECT_GE(inked.left(), 0.15 - 0.01);
}

TEST_F(ChartOutputTest, FileViewWithoutWeightPrintsNoFootLines) {
  core_->ShowFileGraph();
  CoreStateForTests::File(*core_).FileHeader.FileName.Assign("/data/opened_01.vrc");
  const std::string text = PrintToPdf();
  EXPECT_EQ(text.find("opened_01"), std::string::npos) << text;
  EXPECT_EQ(text.find("Kg"), std::string::npos);
  EXPECT_NE(text.find("Stroke values"), std::string::npos);
}

TEST_F(ChartOutputTest, CopyPutsAnSvgWithTheFootAndABitmapOfTheGraphsSize) {
  QApplication::clipboard()->clear();
  output_->Copy1Click();
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  ASSERT_TRUE(copied->hasFormat("image/svg+xml"));
  const std::string svg = copied->data("image/svg+xml").toStdString();
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find(RecordPath), std::string::npos);
  EXPECT_NE(svg.find(InformationLine), std::string::npos);
  EXPECT_NE(svg.find("Stroke values"), std::string::npos);
  ASSERT_TRUE(copied->hasImage());
  const QImage bitmap = qvariant_cast<QImage>(copied->imageData());
  EXPECT_EQ(bitmap.size(), graphs_->Chart1().size());
  ExpectNoFoot();
}

// The size in pixels of the SVG text just before the first occurrence of text.
double SvgFontSizeBefore(const std::string& svg, const std::string& text) {
  const std::size_t at = svg.rfind("font-size=\"", svg.find(text));
  return at == std::string::npos ? 0 : std::stod(svg.substr(at + 11));
}

TEST_F(ChartOutputTest, CopiedSvgOfAZoomedGraphEndsItsLinesAtThePlotAndSizesTextsAsTheScreen) {
  QCustomPlot& chart = graphs_->Chart1();
  graphs_->Series(1).setPen(QPen(Qt::darkGreen, 2));  // a colour no text or axis has
  chart.replot();
  const QRect zoomed(chart.axisRect()->rect().center() - QPoint(60, 40), QSize(120, 80));
  emit chart.selectionRect()->accepted(zoomed, nullptr);
  chart.findChild<ZoomAnimation*>()->Finish();

  std::unique_ptr<QMimeData> picture;
  QRect plot;
  QRect legend;  // its samples of the lines are drawn outside the plot
  {
    const ChartFoot foot(graphs_->Chart1(), graphs_->Chart2(), SessionFootText(*core_));
    picture = ChartPicture(chart);
    plot = chart.axisRect()->rect().adjusted(-2, -2, 2, 2);  // as laid out with the foot
    legend = chart.legend->outerRect();
  }
  const QByteArray svg = picture->data("image/svg+xml");
  QImage drawn(chart.size(), QImage::Format_RGB32);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  QSvgRenderer(svg).render(&painter, QRectF(QPointF(0, 0), QSizeF(chart.size())));
  painter.end();
  // Texts and axes are black, grey or blue; green is the line.
  int lineOutside = 0;
  int lineInside = 0;
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      const QColor pixel(drawn.pixel(x, y));
      if (std::abs(pixel.red() - pixel.green()) < 40 || legend.contains(x, y)) continue;
      ++(plot.contains(x, y) ? lineInside : lineOutside);
    }
  }
  EXPECT_GT(lineInside, 50);
  EXPECT_EQ(lineOutside, 0) << "line pixels over the title, the axes or the foot";

  const auto* title = dynamic_cast<QCPTextElement*>(chart.plotLayout()->element(0, 0));
  ASSERT_NE(title, nullptr);
  const double screenPixels = title->font().pointSizeF() * chart.logicalDpiY() / 72;
  EXPECT_NEAR(SvgFontSizeBefore(svg.toStdString(), ">Stroke values<"), screenPixels, 0.1);
  EXPECT_NEAR(SvgFontSizeBefore(svg.toStdString(), InformationLine), 8.0 * chart.logicalDpiY() / 72, 0.1);
}

TEST_F(ChartOutputTest, PreviewShowsTheGraphWithItsFootAndEmptiesItAfterwards) {
  int rowsWhilePreviewed = 0;
  bool previewed = false;
  const test::ModalAnswers answers([&](QWidget& modal) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(&modal);
    previewed = preview != nullptr;
    rowsWhilePreviewed = graphs_->Chart2().plotLayout()->rowCount();
    if (preview != nullptr) preview->reject();
  });
  output_->Print1Click();
  EXPECT_TRUE(previewed);
  EXPECT_EQ(rowsWhilePreviewed, 4);  // both graphs carry the foot, not only the one printed
  ExpectNoFoot();
}

TEST_F(ChartOutputTest, PreviewOpensWideEnoughForItsWholeToolbar) {
  bool overflowShown = true;
  bool printShown = false;
  bool withinScreen = false;
  const test::ModalAnswers answers([&](QWidget& modal) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(&modal);
    if (preview == nullptr) return;
    const auto* toolbar = preview->findChild<QToolBar*>();
    overflowShown = toolbar->findChild<QToolButton*>("qt_toolbar_ext_button")->isVisible();
    for (QAction* action : toolbar->actions()) {
      if (action->text() == "Print") printShown = toolbar->widgetForAction(action)->isVisible();
    }
    withinScreen = preview->screen()->availableGeometry().width() >= preview->width();
    preview->reject();
  });
  output_->Print1Click();
  EXPECT_FALSE(overflowShown);
  EXPECT_TRUE(printShown);
  EXPECT_TRUE(withinScreen);
}

}  // namespace
}  // namespace veltrasko
