// SPDX-License-Identifier: GPL-3.0-or-later
// The window with simulated boxes behind the real link code: what the box
// tests share to attach boxes, connect one, answer its Save question and
// look at what the session left on disk.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include "system/durability/record_frames.h"
#include "link/box_link.h"
#include "link/box_menu.h"
#include "modal_driver.h"
#include "unexpected_modals.h"
#include "session/analyser_core.h"
#include "shell/main_window.h"
#include "app/shell/shell_test_support.h"
#include "shell/status_panels.h"
#include "tools/boxsim/boxsim_control.h"

namespace veltrasko::testing {

inline bool ProcessEventsUntil(const std::function<bool()>& condition, int timeMs = 10000) {
  QElapsedTimer waited;
  waited.start();
  while (!condition()) {
    if (waited.elapsed() > timeMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

inline void ProcessEventsFor(int timeMs) {
  ProcessEventsUntil([] { return false; }, timeMs);
}

inline QStringList VisibleCaptions(const QMenu& menu) {
  QStringList captions;
  for (const QAction* item : menu.actions()) {
    if (item->isVisible()) captions << item->text();
  }
  return captions;
}

using BoxVariables = std::initializer_list<std::pair<const char*, const char*>>;

class BoxWindowTest : public ::testing::Test {
 protected:
  // Fast strokes without pauses from box 1001, unless the test says otherwise.
  void AttachBoxes(BoxVariables variables) {
    for (const char* name : boxsim::EnvironmentVariables) unsetenv(name);
    setenv("BOXSIM_PACE", "40", 1);
    setenv("BOXSIM_PAUSE_EVERY", "0", 1);
    for (const auto& [name, value] : variables) setenv(name, value, 1);
    boxsim::Restart();
  }

  TForm1& OpenWindow() {
    form = std::make_unique<TForm1>(core, PlacesIn(folder), QByteArray());
    return *form;
  }

  const BoxMenu& Boxes() const { return form->Link().Menu(); }
  bool Disconnected() const { return Boxes().USB_disconnect1->isChecked(); }
  QString Panel(int panel) const { return form->StatusBar1().PanelText(panel); }
  QString StrokesPanel(unsigned strokes) const { return QString(" Strokes: %1").arg(strokes); }

  // Answers the next Save question with the base name in the test folder;
  // before it answers, the test may pull a plug.
  void AnswerSaveQuestion(const QString& baseName, std::function<void()> beforeAnswer = {}) {
    modals.ExpectOne();
    WhenModalAppears([this, path = folder.filePath(baseName), beforeAnswer = std::move(beforeAnswer)](QWidget& modal) {
      modals.Answered();
      if (beforeAnswer) beforeAnswer();
      AcceptFileName(modal, path);
    });
  }

  // Connects the box of that menu item and names its sessions; true once
  // the window asks for the box's reset.
  bool ConnectAndName(int item, const QString& baseName) {
    AnswerSaveQuestion(baseName);
    Boxes().BoxItem(item)->trigger();
    return ProcessEventsUntil([&] { return Panel(4) == " Reset the ergo computer."; });
  }

  bool RecordStrokes(unsigned strokes) {
    return ProcessEventsUntil([&] { return core.Session().StrokeCount >= strokes; });
  }

  QStringList RecordFiles() const { return QDir(folder.path()).entryList({"*.vrc"}, QDir::Files, QDir::Name); }

  testing_support::RecordFrames FramesOf(const QString& name) const {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
    const QByteArray bytes = file.readAll();
    return testing_support::WalkRecordFrames(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
  }

  // Every stroke the window took is on file, once each and in order.
  void ExpectSessionOnFile(const QString& name, unsigned strokes) const {
    const testing_support::RecordFrames frames = FramesOf(name);
    EXPECT_FALSE(frames.Damaged) << qPrintable(name);
    EXPECT_EQ(frames.SessionStartFrames, 1) << qPrintable(name);
    ASSERT_EQ(frames.StrokeFrames, static_cast<int>(strokes)) << qPrintable(name);
    for (std::size_t i = 0; i < frames.StrokeNumbers.size(); ++i) {
      EXPECT_EQ(frames.StrokeNumbers[i], i + 1) << qPrintable(name);
    }
  }

  QTemporaryDir folder;
  AnalyserCore core;
  UnexpectedModals modals;
  std::unique_ptr<TForm1> form;
};

}  // namespace veltrasko::testing
