#include "gui/single_instance.h"

#include <QLocalSocket>

namespace mq::gui {

namespace {

constexpr int kConnectTimeoutMs = 1000;
const char kActivate[] = "activate\n";

QString UserName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  return user.isEmpty() ? QStringLiteral("user") : user;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key) : name_(key + QLatin1Char('-') + UserName()) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().startsWith("activate")) emit ActivationRequested();
        socket->disconnectFromServer();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

bool SingleInstance::Claim() {
  QLocalSocket probe;
  probe.connectToServer(name_);
  if (probe.waitForConnected(kConnectTimeoutMs)) return false;  // another instance answers
  // Nobody answers: a name left behind by an instance that crashed is taken over.
  // Should listening fail, this instance still runs, only without the guard.
  QLocalServer::removeServer(name_);
  server_.listen(name_);
  return true;
}

bool SingleInstance::ActivateRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.write(kActivate);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  return true;
}

}  // namespace mq::gui
