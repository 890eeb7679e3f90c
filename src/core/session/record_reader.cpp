// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/record_reader.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <span>

#include "files/file_descriptor.h"
#include "screen/program_texts.h"

namespace veltrasko {

namespace {

// Until the session-start frame is decoded the file is taken in blocks of
// a session-start payload, then in blocks four bytes short of a stroke frame.
constexpr std::size_t BlockBeforeSessionStart = 6;
constexpr std::size_t BlockAfterSessionStart = 34;

// A read-only file handed out in small blocks from a large buffer, so that a
// long file costs a few dozen read calls and never sits whole in memory.
class BlockSource {
 public:
  BlockSource(const FileDescriptor& file, std::span<std::uint8_t> buffer)
      : file_(file), buffer_(buffer), ended_(!file.IsOpen()) {}

  // The next block of at most `size` bytes; empty at the end of the file.
  std::span<const std::uint8_t> Next(std::size_t size) {
    if (end_ - begin_ < size) Refill();
    const std::size_t taken = std::min(size, end_ - begin_);
    std::span<const std::uint8_t> block(buffer_.data() + begin_, taken);
    begin_ += taken;
    return block;
  }

 private:
  void Refill() {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    if (ended_) return;
    const std::size_t wanted = buffer_.size() - end_;
    const std::size_t read = file_.ReadFully(buffer_.data() + end_, wanted);
    end_ += read;
    ended_ = read < wanted;  // the end of the file, or a read error, which ends it too
  }

  const FileDescriptor& file_;
  std::span<std::uint8_t> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool ended_;
};

// Only a regular file is read. O_NONBLOCK keeps the open of a FIFO from
// waiting for a writer and the check after it turns away FIFOs and devices
// such as /dev/zero, which would never end or never answer.
FileDescriptor OpenForReading(const FileNameField& path) {
  if (path.View().empty()) return {};
  FileDescriptor file = FileDescriptor::Open(path.Chars.data(), O_RDONLY | O_NONBLOCK | O_NOCTTY).File;
  struct stat status {};
  if (file.IsOpen() && (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))) return {};
  return file;
}

}  // namespace

RecordReader::RecordReader(AnalyserCore& core, ScreenSinks& sinks)
    : core_(core), sinks_(sinks), readAhead_(std::make_unique<std::array<std::uint8_t, ReadAheadCapacity>>()) {
  scanner_.emplace();
}

RecordOpenResult RecordReader::OpenRecordFile(std::string_view path) {
  sinks_.Graphs.ClearGraphs();
  core_.file_.FilePersonalData.EmptyTexts();
  const bool read = ReadRecordFile(path);
  // The file view redraws from FileStrokes only when it believes the online
  // session is shown; after a good read the strokes are plotted already.
  core_.session_.OnlineShown = read ? 0 : 1;
  sinks_.Graphs.ShowFileGraph();
  sinks_.Graphs.UpdateAxes();
  if (!read) sinks_.Messages.ShowMessage(RecordNotOpenedMessage);
  return read ? RecordOpenResult::Shown : RecordOpenResult::Unreadable;
}

bool RecordReader::ReadRecordFile(std::string_view path) {
  FileHeaderRecord& header = core_.file_.FileHeader;
  header.BoxVersion = 0;
  // Strokes count only after a session start of this file: those standing
  // before it must not land in the table of the file read before.
  core_.file_.FileSessionsSeen = 0;
  scanner_.emplace();
  path_ = FileNameField{};
  // A path too long for the name fields is refused: it reads as a missing file.
  const FileDescriptor file = path_.Assign(path) ? OpenForReading(path_) : FileDescriptor();

  BlockSource source(file, *readAhead_);
  for (;;) {
    const std::size_t size = header.BoxVersion == 0 ? BlockBeforeSessionStart : BlockAfterSessionStart;
    const std::span<const std::uint8_t> block = source.Next(size);
    if (block.empty()) break;
    FillStreamBuffer(block_, block);
    ScanWhileFramesComplete(block_);
  }

  sinks_.Graphs.UpdateAxes();
  return header.BoxVersion != 0;
}

void RecordReader::ScanWhileFramesComplete(StreamBuffer& chunk) {
  // One scan takes at most one frame. Scanning on while frames come out
  // keeps every complete frame from waiting behind the blocks still to come,
  // so none is left unread at the end of the file, however many damaged
  // frames or small blocks came before it.
  while (FrameTaken(ParseRecordChunk(chunk))) {
  }
}

ScanResult RecordReader::ParseRecordChunk(StreamBuffer& chunk) {
  LinkFlags& flags = scanner_->Flags();
  flags.ReadingFile = 1;
  const ScanResult result = scanner_->ScanFrame(chunk, 0, stroke_, personal_, start_);
  flags.ReadingFile = 0;

  switch (result) {
    case ScanStroke:
      if (core_.file_.FileSessionsSeen >= 1) TakeStroke();
      break;
    case ScanSessionStart: TakeSessionStart(); break;
    case ScanPersonalData: core_.TakeFilePersonalData(sinks_.Dialogs, personal_); break;
    default: break;
  }
  core_.file_.DisplayedFileStrokeCount = core_.file_.FileStrokeCount;
  return result;
}

void RecordReader::TakeStroke() {
  FileView& file = core_.file_;
  StrokeRow& row = core_.fileStrokes_.WorkingRow();
  const StrokeResult result = core_.computer_.ComputeStroke(row, stroke_, file.PreviousFileStroke,
                                                            HeartRateFactorOf(file.FileHeader.BoxVersion));
  if (result == StrokeAccepted) sinks_.Graphs.PlotStroke(row);
  if (result != StrokeRepeat) CopyStrokeMessage(file.PreviousFileStroke, stroke_);
  core_.fileStrokes_.FinishStroke(result == StrokeAccepted);
  file.FileStrokeCount = core_.fileStrokes_.Count();
  sinks_.Status.ShowStatus(StatusPanel::Strokes, StrokesText(file.FileStrokeCount).View());
}

void RecordReader::TakeSessionStart() {
  FileView& file = core_.file_;
  ClearStrokeMessage(file.PreviousFileStroke);
  core_.fileStrokes_.MarkEmpty();
  file.FileStrokeCount = 0;
  sinks_.Status.ShowStatus(StatusPanel::Strokes, StrokesText(0).View());

  file.FileHeader.Weight = start_.Weight();
  sinks_.Status.ShowStatus(StatusPanel::Weight, WeightText(file.FileHeader.Weight).View());
  file.FileHeader.FileName = path_;
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint, path_.View());

  if (file.FileSessionsSeen < INT16_MAX) ++file.FileSessionsSeen;
  file.FileHeader.BoxVersion = start_.BoxVersion();
}

}  // namespace veltrasko
