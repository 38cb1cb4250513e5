#include "ui/report/StartupFailureReport.h"

#include <cstdio>

#include "ui/report/MessageBox.h"
#include "ui/text/Text1251.h"

std::string StartupFailureText(uint32_t address) {
  std::string text = "Runtime error     at 00000000";
  char code[4];
  std::snprintf(code, sizeof code, "%3d", kStartupFailureExitCode);
  text.replace(14, 3, code);
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(address));
  text.replace(21, 8, hex);
  return text;
}

void ShowStartupFailureReport(uint32_t address) {
  ShowMessageBox({.Caption = QStringLiteral("Error"), .Text = FromCp1251(StartupFailureText(address))});
}
