#pragma once
// Answers every message box the program puts up while it lives, as a user pressing a
// button would, and remembers what each box showed.

#include <QMessageBox>
#include <QString>
#include <deque>
#include <vector>

#include "ui/report/MessageBox.h"

class TMessageBoxCatcher {
 public:
  struct TSeen {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon;
    QMessageBox::StandardButtons Buttons;
  };
  TMessageBoxCatcher();
  ~TMessageBoxCatcher();
  TMessageBoxCatcher(const TMessageBoxCatcher&) = delete;
  TMessageBoxCatcher& operator=(const TMessageBoxCatcher&) = delete;

  // The button pressed on the next box not yet answered; boxes beyond these get OK.
  void AnswerNext(QMessageBox::StandardButton button);
  const std::vector<TSeen>& Seen() const { return seen_; }

 private:
  QMessageBox::StandardButton Answer(const TMessageBox& box);

  TMessageBoxAnswer previous_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<TSeen> seen_;
};
