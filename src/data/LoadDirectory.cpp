#include "data/LoadDirectory.h"

#include "data/LoadDataThread.h"
#include "data/NameLists.h"

std::shared_ptr<TDirectory> LoadDirectory(const std::string& folder) {
  auto directory = std::make_shared<TDirectory>();
  auto files = std::make_shared<TDirectoryFiles>(folder);
  LoadCities(*directory, *files);
  LoadStreets(*directory, *files);
  TLoadDataThread loader(
      *directory, folder, [](const std::function<void()>& procedure) { procedure(); }, nullptr, files);
  // The program loads at idle priority, to spare the window; here nothing else waits.
  loader.RaiseToHighestPriority();
  loader.Join();
  if (loader.LoadFailed()) std::rethrow_exception(loader.LoadFailure());
  return directory;
}
