#pragma once
// Background loading of "Phones.dbr" into a directory, and the state of that one load.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "data/DataFile.h"
#include "data/DbrRecords.h"
#include "data/Directory.h"
#include "data/DirectoryFiles.h"
#include "data/TextServices.h"

class TLoadDataThread {
 public:
  // Runs a procedure on the window thread and returns when it has run.
  using TSynchronize = std::function<void(const std::function<void()>&)>;

  // Starts loading folder's "Phones.dbr" into directory at once, at the lowest
  // priority; directory must outlive the loader and is not to be read before
  // DataLoaded. onLoaded runs on the window thread through synchronize;
  // DataLoaded becomes visible there together with it. Given files, the loader reads
  // the "Phones.dbr" they hold, of the generation the name lists came from;
  // otherwise it opens the folder's files itself, on its own thread.
  TLoadDataThread(TDirectory& directory, std::string folder, TSynchronize synchronize, std::function<void()> onLoaded,
                  std::shared_ptr<TDirectoryFiles> files = nullptr);
  ~TLoadDataThread();  // waits for the body to end
  void Join();         // the same, for a caller that reads the outcome afterwards
  TLoadDataThread(const TLoadDataThread&) = delete;
  TLoadDataThread& operator=(const TLoadDataThread&) = delete;

  // Raises the priority to the normal scheduling of the process; failures are
  // ignored, and a thread whose body has ended is left alone.
  void RaiseToHighestPriority();
  bool Finished() const { return finished_.load(std::memory_order_acquire); }

  // True once Phones and Owners are complete; a reader that sees it sees them.
  bool DataLoaded() const { return dataLoaded_.load(std::memory_order_acquire); }
  bool LoadFailed() const { return loadFailed_.load(std::memory_order_acquire); }
  // Why loading failed, a Windows-1251 sentence naming the file; valid once
  // LoadFailed is true, and empty only when there was no memory left to write it.
  std::string LoadFailureText() const;
  // The error that ended the load, for a caller that rethrows it; valid as the text.
  std::exception_ptr LoadFailure() const;

  int32_t Count = 0;  // phone records appended so far

 private:
  void Execute();
  void Fail(const std::exception* error) noexcept;

  TDirectory& directory_;
  const std::string folder_;
  std::shared_ptr<TDirectoryFiles> files_;
  TSynchronize synchronize_;
  std::function<void()> onLoaded_;
  std::atomic<bool> dataLoaded_{false};
  std::atomic<bool> loadFailed_{false};
  std::atomic<bool> finished_{false};
  mutable std::mutex failureMutex_;
  std::string failureText_;
  std::exception_ptr failure_;
  std::thread thread_;  // last, so that the body starts with every other member made
};

// Empties directory's Phones and Owners, resets loader.Count and reads the "Phones.dbr"
// that files hold.
void LoadPhones(TDirectory& directory, TDirectoryFiles& files, TLoadDataThread& loader);
// Counts phone in loader.Count and appends it to directory.Phones as the line of owner ownerIndex.
void AddPhone(TDirectory& directory, TLoadDataThread& loader, int32_t ownerIndex, const TDbrPhone& phone);
