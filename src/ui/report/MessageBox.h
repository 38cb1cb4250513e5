#pragma once
// Every message box of the program goes through here, so that a test can answer a box
// as a user pressing one of its buttons would, instead of the box waiting on screen.

#include <QMessageBox>
#include <QString>
#include <functional>

struct TMessageBox {
  QString Caption;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
  QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
};

// Modal over parent, or over no window; returns the button pressed.
QMessageBox::StandardButton ShowMessageBox(const TMessageBox& box, QWidget* parent = nullptr);

// While an answer is set no box appears: each goes to the answer, which returns the
// button pressed. Returns the answer it replaces; an empty one shows boxes again.
using TMessageBoxAnswer = std::function<QMessageBox::StandardButton(const TMessageBox&)>;
TMessageBoxAnswer SetMessageBoxAnswer(TMessageBoxAnswer answer);
