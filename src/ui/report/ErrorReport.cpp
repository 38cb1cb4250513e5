#include "ui/report/ErrorReport.h"

#include <QApplication>

#include "ui/report/ApplicationTitle.h"
#include "ui/report/MessageBox.h"
#include "ui/text/Text1251.h"

std::string ErrorReportText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

void ShowErrorReport(std::string_view message) {
  ShowMessageBox(
      {.Caption = ApplicationTitle(), .Text = FromCp1251(ErrorReportText(message)), .Icon = QMessageBox::Critical},
      QApplication::activeWindow());
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
