#pragma once
// One converter per user: a second start asks the running one to come to the front
// and ends.

#include <QLocalServer>
#include <QObject>

namespace mq::gui {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `key` names the instance; the user's name is added to it.
  explicit SingleInstance(const QString& key);

  // True when no other instance of this user runs; this one then listens for later starts.
  bool Claim();
  // Asks the running instance to show itself; false when it cannot be reached.
  bool ActivateRunning();

 signals:
  void ActivationRequested();

 private:
  QString name_;
  QLocalServer server_;
};

}  // namespace mq::gui
