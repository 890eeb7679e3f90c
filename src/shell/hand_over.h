// Handing a record file path from a second start of the program to the
// instance that already runs: the second start writes the path into the
// hand-over file and knocks on the running instance's local channel; the
// running instance reads (and removes) the file, opens the record file and
// answers, so the second start ends only once the path has been taken.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QLocalServer;

namespace veltrasko {

// The receiver reads no more than this many bytes of a handed-over path.
inline constexpr qint64 HandOverPathLimit = 255;

// Replaces the hand-over file with exactly the path's bytes: no terminator,
// no length, no line end. False when it cannot be written.
bool WriteHandOverFile(const QString& handOverFile, QByteArrayView path);

// The path in the hand-over file (at most 255 bytes, up to the first zero
// byte), and the file removed; empty when there is no readable file.
QByteArray TakeHandOverFile(const QString& handOverFile);

// Knocks on the running instance's channel and waits for its answer. False
// when no instance listens; one that is still starting up gets the connect time.
inline constexpr int KnockConnectTimeMs = 5000;
bool KnockOnRunningInstance(const QString& channelName, int connectTimeMs = KnockConnectTimeMs);

// The running instance's side of the channel.
class HandOverListener : public QObject {
  Q_OBJECT

 public:
  explicit HandOverListener(QObject* parent = nullptr);

  // Listens on the channel; a channel left behind by a dead instance is
  // replaced (the caller holds the instance lock, so no one else owns it).
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
