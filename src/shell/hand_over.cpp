#include "shell/hand_over.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace veltrasko {

namespace {

constexpr int ConnectRetryMs = 100;
constexpr char Answer = '1';

}  // namespace

bool WriteHandOverFile(const QString& handOverFile, QByteArrayView path) {
  QFile file(handOverFile);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const bool written = file.write(path.data(), path.size()) == path.size();
  file.close();
  return written && file.error() == QFileDevice::NoError;
}

QByteArray TakeHandOverFile(const QString& handOverFile) {
  QFile file(handOverFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray path = file.read(HandOverPathLimit);
  file.close();
  file.remove();
  const qsizetype zero = path.indexOf('\0');
  if (zero >= 0) path.truncate(zero);
  return path;
}

bool KnockOnRunningInstance(const QString& channelName, int connectTimeMs) {
  QLocalSocket socket;
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    socket.connectToServer(channelName);
    if (socket.waitForConnected(connectTimeMs)) break;
    if (waited.elapsed() >= connectTimeMs) return false;
    QThread::msleep(ConnectRetryMs);
  }
  // As long as the channel stays open the running instance is at work on the
  // path (perhaps behind a message box), so the wait has no time limit.
  while (socket.bytesAvailable() == 0 && socket.state() == QLocalSocket::ConnectedState) {
    socket.waitForReadyRead(-1);
  }
  return true;
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
