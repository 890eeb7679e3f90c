// The window with a (simulated) box: the box is listed in "USB Connection",
// its confirmation asks for the session's name, and a reset of the box
// records the first numbered file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>

#include "link/box_link.h"
#include "modal_driver.h"
#include "session/analyser_core.h"
#include "shell/main_window.h"
#include "shell/shell_test_support.h"
#include "shell/status_panels.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko {
namespace {

bool ProcessEventsUntil(const std::function<bool()>& condition, int timeMs = 10000) {
  QElapsedTimer waited;
  waited.start();
  while (!condition()) {
    if (waited.elapsed() > timeMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

QStringList VisibleCaptions(const QMenu& menu) {
  QStringList captions;
  for (const QAction* item : menu.actions()) {
    if (item->isVisible()) captions << item->text();
  }
  return captions;
}

class BoxSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("BOXSIM_BOXES", "1001", 1);
    setenv("BOXSIM_PACE", "40", 1);
    setenv("BOXSIM_PAUSE_EVERY", "0", 1);
    setenv("BOXSIM_STROKES", "12", 1);
    setenv("BOXSIM_WEIGHT", "71", 1);
    boxsim::Restart();
  }

  QTemporaryDir folder;
  AnalyserCore core;
};

TEST_F(BoxSessionTest, ConnectAskForTheNameAndRecordTheFirstSession) {
  TForm1 form(core, testing::PlacesIn(folder), {});
  const MainMenu& menu = form.Menu();
  EXPECT_EQ(VisibleCaptions(*menu.Connection1), QStringList({"Update...", "Disconnected", "Box ID: 1001"}));
  EXPECT_TRUE(form.Link().Menu().USB_disconnect1->isChecked());

  QString proposal;
  const QString base = folder.filePath("race");
  testing::WhenModalAppears([&](QWidget& modal) {
    auto& dialog = dynamic_cast<QFileDialog&>(modal);
    auto* nameField = dialog.findChild<QLineEdit*>("fileNameEdit");
    proposal = nameField->text();
    nameField->setText(base);
    static_cast<QDialog&>(dialog).accept();
  });
  form.Link().Menu().BoxItem(1)->trigger();
  ASSERT_TRUE(ProcessEventsUntil([&] { return form.StatusBar1().PanelText(4) == " Reset the ergo computer."; }));
  EXPECT_EQ(proposal, QString::fromStdString(CompactDateText(Today()) + "_?"));
  EXPECT_EQ(form.StatusBar1().PanelText(1), "Connected");
  EXPECT_EQ(core.Session.SaveDialogFileName, QFile::encodeName(base + ".vrc").toStdString());

  form.Menu().Resetcomputer1->trigger();
  const QString first = base + "_00.vrc";
  ASSERT_TRUE(ProcessEventsUntil([&] { return form.StatusBar1().PanelText(2) == " Strokes: 12"; }));
  EXPECT_EQ(form.StatusBar1().PanelText(3), " Weight: 71 Kg");
  EXPECT_EQ(form.StatusBar1().PanelText(4), first);

  form.close();  // the shutdown sequence closes the record file
  EXPECT_FALSE(core.Session.Record.IsOpen());
  EXPECT_EQ(QFileInfo(first).size(), 58 + 10 + 12 * 38);
}

}  // namespace
}  // namespace veltrasko
