#include "app/Startup.h"

#include <cstdint>
#include <memory>

#include "data/DataFilePath.h"
#include "data/NameLists.h"
#include "ui/Application.h"
#include "ui/Main.h"
#include "ui/report/StartupFailureReport.h"

namespace {

using TNameListLoad = void (*)(TDirectory&, std::string_view);

// The report's address names the step that failed: the loader's entry point.
uint32_t StepAddress(TNameListLoad step) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(step)); }

// The report needs the application object, so this runs after it exists but before
// any window.
bool ReadNameLists(TDirectory& directory, std::string_view folder) {
  for (TNameListLoad step : {&LoadCities, &LoadStreets}) {
    try {
      step(directory, folder);
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
  const std::string folder = ExecutableDirectory();
  auto directory = std::make_shared<TDirectory>();
  if (!ReadNameLists(*directory, folder)) return kStartupFailureExitCode;
  TfrmMain frmMain(std::move(directory), folder);
  frmMain.show();
  return application.exec();
}
