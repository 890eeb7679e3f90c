// SPDX-License-Identifier: GPL-3.0-or-later
// A live recording without a window: the real box link, connection handshake
// and session recorder behind quiet screen sinks, the Save question answered
// with a fixed path. The killed-recording child and the soak benchmark both
// record through it.
#pragma once

#include <QDBusConnection>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "link/box_link.h"
#include "protocol/box_commands.h"
#include "protocol/chunk_consumer.h"
#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/connection_handshake.h"
#include "session/session_recorder.h"

namespace veltrasko::test {

// Called on the main thread after the recorder has taken a chunk that raised
// its stroke count: every stroke counted so far has been handed over.
using StrokesTaken = std::function<void(std::uint32_t strokeCount)>;

class LiveRecording final : private ChunkConsumer {
 public:
  LiveRecording(std::string savePath, StrokesTaken strokesTaken)
      : screen_(std::move(savePath)), strokesTaken_(std::move(strokesTaken)) {
    core_->SetConnectionListener(&handshake_);
  }

  // Connects the first box listed; false when there is none.
  bool ConnectFirstBox() {
    link_.ScanBoxes();
    if (!link_.Menu().BoxItem(1)->isVisible()) return false;
    link_.Menu().BoxItem(1)->trigger();
    return link_.BoxOpen();
  }
  bool Confirmed() const { return core_->Flags().ConnectionState == 1; }
  void ResetBox() { commands_.SendResetCommand(); }
  // Stops the reader and closes the record file, as "Disconnect..." does.
  void Disconnect() { link_.Menu().USB_disconnect1->trigger(); }

  AnalyserCore& Core() { return *core_; }

 private:
  void OnBytesReceived(StreamBuffer& chunk) override {
    const std::uint32_t before = core_->Session().StrokeCount;
    recorder_.OnBytesReceived(chunk);
    if (core_->Session().StrokeCount != before) strokesTaken_(core_->Session().StrokeCount);
  }

  std::unique_ptr<AnalyserCore> core_ = std::make_unique<AnalyserCore>();
  QuietScreen screen_;
  StrokesTaken strokesTaken_;
  ScreenSinks& sinks_ = screen_.Sinks();
  ConnectionHandshake handshake_{*core_, sinks_};
  SessionRecorder recorder_{*core_, sinks_};
  BoxCommandSender commands_;
  BoxLink link_{BoxLinkPeers{*core_, commands_, *this, sinks_.Status, sinks_.Graphs}, nullptr,
                QDBusConnection("no-bus-for-recordings")};
};

}  // namespace veltrasko::test
