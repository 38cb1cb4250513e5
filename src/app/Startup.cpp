#include "app/Startup.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "data/DataFilePath.h"
#include "data/NameLists.h"
#include "ui/Application.h"
#include "ui/Main.h"
#include "ui/QtTranslations.h"
#include "ui/report/StartupFailureReport.h"
#include "ui/text/Text1251.h"

namespace {

using TNameListLoad = void (*)(TDirectory&, TDirectoryFiles&);

// The report's address names the step that failed: the loader's entry point.
uint32_t StepAddress(TNameListLoad step) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(step)); }

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
bool ReadNameLists(TDirectory& directory, TDirectoryFiles& files) {
  for (TNameListLoad step : {TNameListLoad{&LoadCities}, TNameListLoad{&LoadStreets}}) {
    try {
      step(directory, files);
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
  const TCommandLine line = ReadCommandLine(argc, argv);
  if (line.Command != TCommand::Run) return AnswerCommandLine(line, stdout, stderr);
  // Qt does not know "--": what follows it must not reach Qt's own option parsing.
  int qtArgc = line.QtArgumentCount;
  TApplication application(qtArgc, argv);
  InstallQtTranslations();  // before any box, the start-up failure's included
  const std::string folder = ExecutableDirectory();
  // The three files are opened together, so that the phones read later come from
  // the generation the names came from.
  auto files = std::make_shared<TDirectoryFiles>(folder);
  auto directory = std::make_shared<TDirectory>();
  if (!ReadNameLists(*directory, *files)) return kStartupFailureExitCode;
  TfrmMain frmMain(std::move(directory), folder, std::move(files));
  frmMain.show();
  return application.exec();
}
