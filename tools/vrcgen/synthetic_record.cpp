// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vrcgen/synthetic_record.h"

#include <array>
#include <span>

#include "session/record_file.h"

namespace veltrasko {

namespace {

constexpr std::uint32_t MinGarbageLength = 4;
constexpr std::uint32_t MaxGarbageLength = 40;

bool IsNth(std::uint32_t index, std::uint32_t every) { return every != 0 && (index + 1) % every == 0; }

PersonalData HeadPersonalData(const SyntheticRecordOptions& options) {
  PersonalData data;
  data.SetText(PersonNameField, options.Name);
  data.SetText(FanResistanceField, options.FanResistance);
  data.SetText(WeightTextField, WeightFieldText(options.Weight));
  return data;
}

// Garbage never holds 0xFF, so it cannot form or complete a tag by itself.
void WriteGarbage(RecordFile& file, ModelRandom& random) {
  std::array<std::uint8_t, MaxGarbageLength> bytes{};
  const std::uint32_t length = random.Between(MinGarbageLength, MaxGarbageLength);
  for (std::uint32_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(random.Between(0, 0xFE));
  // The file writes whole frames only: the first four bytes go where a tag would stand.
  const FrameTag head{bytes[0], bytes[1], bytes[2], bytes[3]};
  file.WriteFrame(head, std::span<const std::uint8_t>(bytes).subspan(4, length - 4));
}

class StrokeFrameWriter {
 public:
  StrokeFrameWriter(RecordFile& file, const SyntheticRecordOptions& options, std::uint32_t total)
      : file_(file), options_(options), total_(total), garbageRandom_(options.Seed ^ 0x6A09E667F3BCC909ull) {}

  void Write(StrokeMessage message) {
    if (IsNth(index_, options_.BadChecksumEvery)) message.Bytes[32] = static_cast<std::uint8_t>(message.Bytes[32] + 1);
    const bool last = index_ + 1 == total_;
    if (last && options_.TruncateLastFrame) {
      file_.WriteFrame(StrokeTag, std::span<const std::uint8_t>(message.Bytes).first(TruncatedPayloadLength));
    } else {
      WriteStrokeFrame(file_, message);
    }
    if (!last && IsNth(index_, options_.GarbageEvery)) WriteGarbage(file_, garbageRandom_);
    ++index_;
  }

 private:
  RecordFile& file_;
  const SyntheticRecordOptions& options_;
  std::uint32_t total_;
  std::uint32_t index_ = 0;
  // Apart from the model's, so that garbage does not change the strokes.
  ModelRandom garbageRandom_;
};

}  // namespace

bool WriteSyntheticRecord(const SyntheticRecordOptions& options, std::string& error) {
  RecordFile file;
  if (!file.Create(options.OutputPath)) {
    error = "cannot create " + options.OutputPath;
    return false;
  }
  PersonalData personal = HeadPersonalData(options);
  PersonalDataMarks marks;
  WritePersonalDataFrame(file, personal, options.Date, marks);
  SessionStartMessage start = EncodeSessionStart(options.BoxVersion, options.Weight);
  if (options.BadSessionStart) start.Bytes[4] = static_cast<std::uint8_t>(start.Bytes[4] + 1);
  WriteSessionStartFrame(file, start);

  PaddlingModel model(options.Seed, options.Faults);
  StrokeFrameWriter strokes(file, options, options.StrokesPerSession * options.Sessions);
  for (std::uint32_t session = 0; session < options.Sessions; ++session) {
    if (session > 0) model.ResetBox();
    for (std::uint32_t i = 0; i < options.StrokesPerSession; ++i) strokes.Write(model.NextStroke());
  }
  const bool writeFailed = file.WriteFailed();
  file.Close();
  if (writeFailed) {
    error = "cannot write " + options.OutputPath;
    return false;
  }
  if (options.AppendedName) {
    personal.SetText(PersonNameField, *options.AppendedName);
    if (!AppendPersonalDataFrame(options.OutputPath, personal)) {
      error = "cannot append to " + options.OutputPath;
      return false;
    }
  }
  return true;
}

}  // namespace veltrasko
