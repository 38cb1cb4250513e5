#include "ReportedOperation.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "Text1251.h"

void RunReported(QWidget* parent, const std::function<void()>& operation) {
  try {
    operation();
  } catch (const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), FromCp1251(error.what()),
                    QMessageBox::Ok, parent);
    box.exec();
  }
}
