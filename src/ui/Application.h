#pragma once
// The application object: no exception may leave an event handler into Qt's loop.

#include <QApplication>

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
