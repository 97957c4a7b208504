// One desktop program per user: the first copy listens on a local socket; a later start
// hands its command line to it and ends.
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace korvana::app {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // `name` names the socket (one per user and data folder).
  explicit SingleInstance(QString name, QObject* parent = nullptr);

  // Hands `arguments` to a copy already running; true when one took them.
  bool HandOver(const QStringList& arguments, int timeoutMs = 2000) const;
  // Starts listening; false when the socket cannot be made.
  bool Listen();

  // The socket name for the user and data folder.
  static QString NameFor(const QString& dataFolder);

 signals:
  // A later start's command line.
  void Request(const QStringList& arguments);

 private:
  void Accept();

  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace korvana::app
