// SPDX-License-Identifier: GPL-3.0-or-later
// Handing a record file path from a second start of the program to the
// instance that already runs: the second start writes the path into the
// hand-over file and knocks on the running instance's local channel; the
// running instance reads (and removes) the file, opens the record file and
// answers. Whoever removes the file owns the path: a second start that gets
// no answer in time takes its file back and opens the record file itself.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QLocalServer;

namespace veltrasko {

// The receiver reads no more than this many bytes of a handed-over path.
inline constexpr qint64 HandOverPathLimit = 255;

// The longest a second start waits for the running instance to take its path.
inline constexpr int HandOverWaitMs = 5000;

// Creates the hand-over file with exactly the path's bytes: no terminator, no
// length, no line end. The file is made anew, never written through a link or
// into an existing file: one that is there belongs to another start's
// hand-over, which is waited for up to waitMs, unless it is so old that its
// start must have died. False when the file cannot be made or written.
bool WriteHandOverFile(const QString& handOverFile, QByteArrayView path, int waitMs = 0);

// The path in the hand-over file (at most 255 bytes, up to the first zero
// byte), and the file removed; empty when there is no readable regular file
// or the second start took it back first.
QByteArray TakeHandOverFile(const QString& handOverFile);

// Knocks on the running instance's channel and waits for its answer, at most
// waitMs in all. False when no answer came: no instance listens, or it is
// stopped or busy.
bool KnockOnRunningInstance(const QString& channelName, int waitMs = HandOverWaitMs);

// The second start's side: writes the hand-over file, knocks and, when the
// running instance has not taken the path within waitMs, takes the file back.
// True when the running instance took the path; false when the caller must
// open the record file itself.
bool HandOverToRunningInstance(const QString& handOverFile, const QString& channelName, QByteArrayView path,
                               int waitMs = HandOverWaitMs);

// The running instance's side of the channel.
class HandOverListener : public QObject {
  Q_OBJECT

 public:
  explicit HandOverListener(QObject* parent = nullptr);

  // Listens on the channel; a channel left behind by a dead instance is
  // replaced. Only the holder of the instance lock may call this.
  bool Listen(const QString& channelName);
  void Stop();

 signals:
  // A second start has written the hand-over file; the knock is answered
  // once the slots connected to this have returned.
  void handOverKnocked();

 private:
  void AnswerKnock();

  QLocalServer* server_;
};

}  // namespace veltrasko
