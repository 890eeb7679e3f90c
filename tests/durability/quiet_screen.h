// Screen sinks that show nothing: a recording or a read-back without a
// window. Messages go to standard error, as a message box would stop a real
// recording; the Save question is answered with a fixed path.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "session/screen_sinks.h"

namespace veltrasko::testing_support {

class QuietScreen final : public StatusSink, public MessageSink, public GraphSink, public SessionDialogs {
 public:
  explicit QuietScreen(std::string saveAnswer = {}) : saveAnswer_(std::move(saveAnswer)) {}

  void ShowStatus(StatusPanel, std::string_view) override {}
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
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

 private:
  std::string saveAnswer_;
};

}  // namespace veltrasko::testing_support
