// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hand_over.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>

#include "files/file_descriptor.h"

namespace veltrasko {

namespace {

constexpr int RetryMs = 100;
constexpr char Answer = '1';
// Every start takes its file back once its wait is over, so a hand-over file
// twice as old as the wait was left by a start that was killed.
constexpr std::time_t LeftoverAgeSeconds = 2 * HandOverWaitMs / 1000;

int RemainingMs(const QDeadlineTimer& deadline) {
  return static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 0, INT_MAX));
}

void PauseBeforeRetry(const QDeadlineTimer& deadline) {
  QThread::msleep(static_cast<unsigned long>(std::min(RetryMs, RemainingMs(deadline))));
}

bool IsLeftover(const QByteArray& name) {
  struct stat status {};
  return ::lstat(name.constData(), &status) == 0 && std::time(nullptr) - status.st_mtime > LeftoverAgeSeconds;
}

QByteArray ReadUpTo(const FileDescriptor& file, qint64 limit) {
  QByteArray bytes(limit, '\0');
  bytes.truncate(static_cast<qsizetype>(file.ReadFully(bytes.data(), static_cast<std::size_t>(limit))));
  return bytes;
}

}  // namespace

bool WriteHandOverFile(const QString& handOverFile, QByteArrayView path, int waitMs) {
  const QByteArray name = QFile::encodeName(handOverFile);
  if (name.isEmpty()) return false;
  const QDeadlineTimer deadline(waitMs);
  for (;;) {
    // O_EXCL makes the file anew or not at all, and never through a link,
    // not even one that points nowhere.
    FileOpening opening = FileDescriptor::Open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (opening.File.IsOpen()) {
      const bool written = opening.File.WriteFully(path.data(), static_cast<std::size_t>(path.size()));
      if (opening.File.Close() && written) return true;
      ::unlink(name.constData());  // part of a path must never be taken for one
      return false;
    }
    if (opening.Error != EEXIST) return false;
    if (IsLeftover(name)) {
      if (::unlink(name.constData()) != 0 && errno != ENOENT) return false;
      continue;
    }
    if (deadline.hasExpired()) return false;
    PauseBeforeRetry(deadline);
  }
}

QByteArray TakeHandOverFile(const QString& handOverFile) {
  const QByteArray name = QFile::encodeName(handOverFile);
  if (name.isEmpty()) return {};
  FileDescriptor file = FileDescriptor::Open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK).File;
  if (!file.IsOpen()) return {};
  struct stat status {};
  QByteArray path;
  if (::fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode)) path = ReadUpTo(file, HandOverPathLimit);
  file.Close();
  // Removing it decides who owns the path: when the second start has taken
  // its file back after its wait, it opens the record file itself.
  if (::unlink(name.constData()) != 0) return {};
  const qsizetype zero = path.indexOf('\0');
  if (zero >= 0) path.truncate(zero);
  return path;
}

bool KnockOnRunningInstance(const QString& channelName, int waitMs) {
  if (channelName.isEmpty()) return false;
  const QDeadlineTimer deadline(waitMs);
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(channelName);
    if (socket.waitForConnected(RemainingMs(deadline))) break;
    if (deadline.hasExpired()) return false;
    PauseBeforeRetry(deadline);  // an instance that is still starting up
  }
  // The running instance answers once it has dealt with the path; one that
  // is stopped or stuck never does, so the wait has a limit.
  while (socket.bytesAvailable() == 0 && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
    socket.waitForReadyRead(RemainingMs(deadline));
  }
  return socket.bytesAvailable() > 0;
}

bool HandOverToRunningInstance(const QString& handOverFile, const QString& channelName, QByteArrayView path,
                               int waitMs) {
  const QDeadlineTimer deadline(waitMs);
  if (!WriteHandOverFile(handOverFile, path, waitMs)) return false;
  KnockOnRunningInstance(channelName, RemainingMs(deadline));
  // A file that is gone was taken by the running instance; one this start
  // can still remove is its own again.
  return ::unlink(QFile::encodeName(handOverFile).constData()) != 0 && errno == ENOENT;
}

HandOverListener::HandOverListener(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &HandOverListener::AnswerKnock);
}

bool HandOverListener::Listen(const QString& channelName) {
  QLocalServer::removeServer(channelName);
  return server_->listen(channelName);
}

void HandOverListener::Stop() { server_->close(); }

void HandOverListener::AnswerKnock() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    emit handOverKnocked();
    socket->write(&Answer, 1);
    socket->flush();
    socket->disconnectFromServer();
  }
}

}  // namespace veltrasko
