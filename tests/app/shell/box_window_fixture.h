// SPDX-License-Identifier: GPL-3.0-or-later
// The window with simulated boxes behind the real link code: what the box
// tests share to attach boxes, connect one, answer its Save question and
// look at what the session left on disk.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <functional>
#include <memory>
#include <utility>

#include "link/box_link.h"
#include "link/box_menu.h"
#include "session/analyser_core.h"
#include "shell/main_window.h"
#include "shell/status_panels.h"
#include "support/event_waits.h"
#include "support/modal_answers.h"
#include "support/places_in_folder.h"
#include "support/record_frames.h"
#include "support/simulated_boxes.h"
#include "support/temporary_folder.h"

namespace veltrasko::test {

inline QStringList VisibleCaptions(const QMenu& menu) {
  QStringList captions;
  for (const QAction* item : menu.actions()) {
    if (item->isVisible()) captions << item->text();
  }
  return captions;
}

class BoxWindowTest : public ::testing::Test {
 protected:
  // Fast strokes without pauses from box 1001, unless the test says otherwise.
  void AttachBoxes(const BoxVariables& variables) {
    BoxVariables paced{{"BOXSIM_PACE", "40"}, {"BOXSIM_PAUSE_EVERY", "0"}};
    paced.insert(paced.end(), variables.begin(), variables.end());
    test::AttachBoxes(paced);
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
    modals.AnswerNext([path = QtPath(folder, baseName), beforeAnswer = std::move(beforeAnswer)](QWidget& modal) {
      if (beforeAnswer) beforeAnswer();
      AcceptFileName(modal, path);
    });
  }

  // Connects the box of that menu item and names its sessions; true once
  // the window asks for the box's reset.
  bool ConnectAndName(int item, const QString& baseName) {
    AnswerSaveQuestion(baseName);
    Boxes().BoxItem(item)->trigger();
    return WaitUntil([&] { return Panel(4) == " Reset the ergo computer."; });
  }

  bool RecordStrokes(unsigned strokes) {
    return WaitUntil([&] { return core.Session().StrokeCount >= strokes; });
  }

  QStringList RecordFiles() const { return QDir(QtPath(folder)).entryList({"*.vrc"}, QDir::Files, QDir::Name); }

  RecordFrames FramesOf(const QString& name) const {
    QFile file(QtPath(folder, name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
    const QByteArray bytes = file.readAll();
    return WalkRecordFrames(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
  }

  // Every stroke the window took is on file, once each and in order.
  void ExpectSessionOnFile(const QString& name, unsigned strokes) const {
    const RecordFrames frames = FramesOf(name);
    EXPECT_FALSE(frames.Damaged) << qPrintable(name);
    EXPECT_EQ(frames.SessionStartFrames, 1) << qPrintable(name);
    ASSERT_EQ(frames.StrokeFrames, static_cast<int>(strokes)) << qPrintable(name);
    EXPECT_TRUE(CountsUpFromOne(frames.StrokeNumbers)) << qPrintable(name);
  }

  TemporaryFolder folder;
  AnalyserCore core;
  ModalAnswers modals;
  std::unique_ptr<TForm1> form;
};

}  // namespace veltrasko::test
