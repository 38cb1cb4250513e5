#include "app/Startup.h"

#include <cstdint>

#include "data/Tables.h"
#include "ui/Application.h"
#include "ui/Main.h"
#include "ui/report/StartupFailureReport.h"

namespace {

// The report's address names the step that failed: the loader's entry point.
uint32_t StepAddress(void (*step)()) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(step)); }

// The report needs the application object, so this runs after it exists but before
// any window.
bool ReadNameLists() {
  for (void (*step)() : {&LoadCities, &LoadStreets}) {
    try {
      step();
    } catch (...) {
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
