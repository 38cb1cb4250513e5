#include "ui/report/MessageBox.h"

#include <utility>

namespace {

TMessageBoxAnswer& Answer() {
  static TMessageBoxAnswer answer;
  return answer;
}

}  // namespace

QMessageBox::StandardButton ShowMessageBox(const TMessageBox& box, QWidget* parent) {
  if (Answer()) return Answer()(box);
  QMessageBox shown(box.Icon, box.Caption, box.Text, box.Buttons, parent);
  if (box.DefaultButton != QMessageBox::NoButton) shown.setDefaultButton(box.DefaultButton);
  return static_cast<QMessageBox::StandardButton>(shown.exec());
}

TMessageBoxAnswer SetMessageBoxAnswer(TMessageBoxAnswer answer) { return std::exchange(Answer(), std::move(answer)); }
