#pragma once
// Background loading of "Phones.dbr" and the flags that hand the tables over.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "data/DataFile.h"
#include "data/Tables.h"
#include "data/TextServices.h"

// Set (release) once Phones and Owners are complete; read with acquire.
extern std::atomic<bool> DataLoaded;
extern std::atomic<bool> LoadFailed;
// Why loading failed, a Windows-1251 sentence naming the file; valid once
// LoadFailed is true, and empty only when there was no memory left to write it.
std::string LoadFailureText();

class TLoadDataThread {
 public:
  // Runs a procedure on the window thread and returns when it has run.
  using TSynchronize = std::function<void(const std::function<void()>&)>;

  // Starts loading at once, at the lowest priority. onLoaded runs on the window
  // thread through synchronize; DataLoaded becomes visible there together with it.
  TLoadDataThread(TSynchronize synchronize, std::function<void()> onLoaded);
  ~TLoadDataThread();  // waits for the body to end
  TLoadDataThread(const TLoadDataThread&) = delete;
  TLoadDataThread& operator=(const TLoadDataThread&) = delete;

  // Raises the priority to the normal scheduling of the process; failures are
  // ignored, and a thread whose body has ended is left alone.
  void RaiseToHighestPriority();
  bool Finished() const { return finished_.load(std::memory_order_acquire); }

  int32_t Count = 0;  // phone records appended so far

 private:
  void Execute();
  void Fail(const std::exception* error) noexcept;

  TSynchronize synchronize_;
  std::function<void()> onLoaded_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

// Empties Phones and Owners, resets loader.Count and reads "Phones.dbr".
void LoadPhones(TLoadDataThread& loader);
void AddPhone(TLoadDataThread& loader, int32_t ownerIndex, int32_t cityIndex, std::string_view corpus, int32_t flat,
              int32_t house, int32_t streetIndex, int64_t number);
