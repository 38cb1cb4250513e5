#include "tests/ui/support/MessageBoxCatcher.h"

TMessageBoxCatcher::TMessageBoxCatcher()
    : previous_(SetMessageBoxAnswer([this](const TMessageBox& box) { return Answer(box); })) {}

TMessageBoxCatcher::~TMessageBoxCatcher() { SetMessageBoxAnswer(std::move(previous_)); }

void TMessageBoxCatcher::AnswerNext(QMessageBox::StandardButton button) { answers_.push_back(button); }

QMessageBox::StandardButton TMessageBoxCatcher::Answer(const TMessageBox& box) {
  seen_.push_back({box.Caption, box.Text, box.Icon, box.Buttons});
  if (answers_.empty()) return QMessageBox::Ok;
  const QMessageBox::StandardButton button = answers_.front();
  answers_.pop_front();
  return button;
}
