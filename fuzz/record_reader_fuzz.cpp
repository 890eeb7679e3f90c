// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the input as a record file with the real reader and checks the file
// view it leaves: a stroke table bounded by its capacity and by the frames the
// file can hold, closed by the end marker, counts that agree, and a message
// exactly when nothing could be read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "fuzz/fuzz_temp_file.h"
#include "screen/program_texts.h"
#include "screen/quiet_screen.h"
#include "session/analyser_core.h"
#include "session/record_reader.h"

namespace {

using namespace veltrasko;

void CheckFileView(const AnalyserCore& core, const QuietScreen& screen, RecordOpenResult opened, std::size_t fileSize) {
  const StrokeTable& strokes = core.FileStrokes();
  const std::uint32_t count = strokes.Count();
  Require(count <= StrokeTableCapacity, "more strokes than the table holds");
  Require(count <= fileSize / static_cast<std::size_t>(FrameLengths.StrokeFrame),
          "more strokes than frames in the file");
  Require(strokes[count].Side == EndMarker, "table not closed by the end marker");
  for (std::uint32_t i = 0; i < count; ++i) Require(strokes[i].Side != EndMarker, "end marker inside the table");
  Require(core.File().FileStrokeCount == count, "file stroke count disagrees with the table");
  const bool read = core.File().FileHeader.BoxVersion != 0;
  Require((opened == RecordOpenResult::Unreadable) != read, "open result and file view disagree");
  Require(screen.WasShown(RecordNotOpenedMessage) != read, "open failure and message disagree");
  Require(core.OnlineShown() != read, "wrong view after opening");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each input meets a freshly started analyser; its two tables of 100000
  // rows are too big for the stack.
  const auto core = std::make_unique<AnalyserCore>();
  static const FuzzTempFile recordFile("record_fuzz.vrc");

  recordFile.Write(std::span(data, size));
  QuietScreen screen;
  RecordReader reader(*core, screen.Sinks());
  const RecordOpenResult opened = reader.OpenRecordFile(recordFile.Path());
  CheckFileView(*core, screen, opened, size);
  return 0;
}
