#include "app/Startup.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <exception>

#include "data/Tables.h"
#include "ui/Application.h"
#include "ui/Main.h"
#include "ui/report/StartupFailureReport.h"
#include "ui/text/Text1251.h"

namespace {

// The report's address names the step that failed: the loader's entry point.
uint32_t StepAddress(void (*step)()) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(step)); }

// The box names only the failed step; a terminal or a log gets the file and why.
void WriteFailureToStandardError() {
  QByteArray line = "orlinar: ";
  try {
    throw;
  } catch (const std::exception& error) {
    line += FromCp1251(error.what()).toLocal8Bit();
  } catch (...) {
    line += "the names of the cities and streets could not be read";
  }
  std::fprintf(stderr, "%s\n", line.constData());
}

// The report needs the application object, so this runs after it exists but before
// any window.
bool ReadNameLists() {
  for (void (*step)() : {&LoadCities, &LoadStreets}) {
    try {
      step();
    } catch (...) {
      WriteFailureToStandardError();
      ShowStartupFailureReport(StepAddress(step));
      return false;
    }
  }
  return true;
}

}  // namespace

int RunOrlinar(int& argc, char** argv) {
  TApplication application(argc, argv);
  if (!ReadNameLists()) return kStartupFailureExitCode;
  TfrmMain frmMain;
  frmMain.show();
  return application.exec();
}
