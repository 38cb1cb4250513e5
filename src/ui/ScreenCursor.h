#pragma once
// The hourglass over all the application's windows for as long as the object lives,
// so that every way out of a command restores the normal cursor.

#include <QApplication>

class TScreenCursor {
 public:
  TScreenCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TScreenCursor() { QApplication::restoreOverrideCursor(); }
  TScreenCursor(const TScreenCursor&) = delete;
  TScreenCursor& operator=(const TScreenCursor&) = delete;
};
