// SPDX-License-Identifier: GPL-3.0-or-later
// Screen sinks for running the core without a window (the export tool, a
// recording without a window, benchmarks): everything shown is dropped, except
// that messages are remembered for the caller to look at; the Save question
// gets the answer given at construction.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "screen/screen_sinks.h"

namespace veltrasko {

class QuietScreen final : StatusSink, MessageSink, GraphSink, SessionDialogs {
 public:
  explicit QuietScreen(std::optional<std::string> saveAnswer = std::nullopt) : saveAnswer_(std::move(saveAnswer)) {}

  ScreenSinks& Sinks() { return sinks_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  bool WasShown(std::string_view message) const {
    for (const std::string& shown : messages_)
      if (shown == message) return true;
    return false;
  }

 private:
  void ShowStatus(StatusPanel, std::string_view) override {}
  void ShowMessage(std::string_view text) override { messages_.emplace_back(text); }
  void PlotStroke(const StrokeRow&) override {}
  void ClearGraphs() override {}
  void UpdateAxes() override {}
  void UndoZoom() override {}
  void ShowOnlineGraph() override {}
  void ShowFileGraph() override {}
  void SetBottomAxesAutomatic(bool) override {}
  std::optional<std::string> AskSaveNextSession(std::string_view) override { return saveAnswer_; }
  void ShowOnlineWeight(std::string_view) override {}
  void ShowFilePersonalData(const PersonalData&) override {}

  std::optional<std::string> saveAnswer_;
  std::vector<std::string> messages_;
  ScreenSinks sinks_{*this, *this, *this, *this};
};

}  // namespace veltrasko
