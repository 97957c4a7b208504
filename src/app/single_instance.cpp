#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace korvana::app {

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

QString SingleInstance::NameFor(const QString& dataFolder) {
  const QByteArray hash = QCryptographicHash::hash(dataFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
  return QStringLiteral("korvana-desktop-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::HandOver(const QStringList& arguments, int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << arguments;
  socket.write(message);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  // The running copy closes the connection once it has the whole request.
  socket.waitForDisconnected(timeoutMs);
  return true;
}

bool SingleInstance::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) {
    // A socket left behind by a copy that crashed: nobody answers on it.
    QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) return false;
  }
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
  return true;
}

void SingleInstance::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      QDataStream in(socket);
      in.startTransaction();
      QStringList arguments;
      in >> arguments;
      if (!in.commitTransaction()) return;  // wait for the rest
      socket->disconnectFromServer();
      emit Request(arguments);
    });
  }
}

}  // namespace korvana::app
