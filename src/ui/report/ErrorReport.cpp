#include "ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

#include "ApplicationTitle.h"
#include "Text1251.h"

std::string ErrorReportText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

void ShowErrorReport(std::string_view message) {
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(),
                  FromCp1251(ErrorReportText(message)), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

void ShowErrorReport(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    ShowErrorReport(e.what());
  } catch (...) {
    ShowErrorReport("Unknown error");
  }
}

void RunGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    ShowErrorReport(std::current_exception());
  }
}
