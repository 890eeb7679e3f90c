// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/record_reader.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <charconv>
#include <cstring>
#include <span>

#include "files/file_descriptor.h"
#include "session/personal_data_records.h"

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

void RecordReader::OpenRecordFile(std::string_view path) {
  sinks_.Graphs.ClearGraphs();
  core_.File.FilePersonalData.EmptyTexts();
  const bool read = ReadRecordFile(path);
  // The file view redraws from FileStrokes only when it believes the online
  // session is shown; after a good read the strokes are plotted already.
  core_.Session.OnlineShown = read ? 0 : 1;
  sinks_.Graphs.ShowFileGraph();
  sinks_.Graphs.UpdateAxes();
  if (!read) sinks_.Messages.ShowMessage("Could not open file!");
}

bool RecordReader::ReadRecordFile(std::string_view path) {
  FileHeaderRecord& header = core_.File.FileHeader;
  header.BoxVersion = 0;
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
      if (core_.File.FileSessionsSeen >= 1) TakeStroke();
      break;
    case ScanSessionStart:
      TakeSessionStart();
      break;
    case ScanPersonalData:
      TakeFilePersonalData(core_, sinks_.Dialogs, personal_);
      break;
    default:
      break;
  }
  core_.File.DisplayedFileStrokeCount = core_.File.FileStrokeCount;
  return result;
}

void RecordReader::TakeStroke() {
  FileView& file = core_.File;
  StrokeRow& row = core_.FileStrokes.WorkingRow();
  const StrokeResult result = core_.Computer.ComputeStroke(row, stroke_, file.PreviousFileStroke,
                                                           HeartRateFactorOf(file.FileHeader.BoxVersion));
  if (result == StrokeAccepted) sinks_.Graphs.PlotStroke(row);
  if (result != StrokeRepeat) CopyStrokeMessage(file.PreviousFileStroke, stroke_);
  core_.FileStrokes.FinishStroke(result == StrokeAccepted);
  file.FileStrokeCount = core_.FileStrokes.Count();
  ShowNumber(StatusPanel::Strokes, " Strokes: ", static_cast<int>(file.FileStrokeCount));
}

void RecordReader::TakeSessionStart() {
  FileView& file = core_.File;
  ClearStrokeMessage(file.PreviousFileStroke);
  core_.FileStrokes.MarkEmpty();
  file.FileStrokeCount = 0;
  ShowNumber(StatusPanel::Strokes, " Strokes: ", 0);

  file.FileHeader.Weight = start_.Weight();
  ShowNumber(StatusPanel::Weight, " Weight: ", file.FileHeader.Weight, " Kg");
  file.FileHeader.FileName = path_;
  sinks_.Status.ShowStatus(StatusPanel::FileOrHint, path_.View());

  if (file.FileSessionsSeen < INT16_MAX) ++file.FileSessionsSeen;
  file.FileHeader.BoxVersion = start_.BoxVersion();
}

void RecordReader::ShowNumber(StatusPanel panel, std::string_view prefix, int value, std::string_view suffix) {
  // Written for every stroke of a file: formatted without printf, which
  // would cost a third of the reading time of a long file.
  std::array<char, 48> text;
  char* end = std::copy(prefix.begin(), prefix.end(), text.begin());
  end = std::to_chars(end, text.data() + text.size() - suffix.size(), value).ptr;
  end = std::copy(suffix.begin(), suffix.end(), end);
  sinks_.Status.ShowStatus(panel, std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
}

}  // namespace veltrasko
