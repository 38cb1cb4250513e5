#include "data/LoadDirectory.h"

#include "data/LoadDataThread.h"
#include "data/NameLists.h"

std::shared_ptr<TDirectory> LoadDirectory(const std::string& folder) {
  auto directory = std::make_shared<TDirectory>();
  LoadCities(*directory, folder);
  LoadStreets(*directory, folder);
  TLoadDataThread loader(
      *directory, folder, [](const std::function<void()>& procedure) { procedure(); }, nullptr);
  // The program loads at idle priority, to spare the window; here nothing else waits.
  loader.RaiseToHighestPriority();
  loader.Join();
  if (loader.LoadFailed()) std::rethrow_exception(loader.LoadFailure());
  return directory;
}
