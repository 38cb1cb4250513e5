#include "data/LoadDataThread.h"

#include <pthread.h>
#include <sched.h>

#include <mutex>

#include "data/Cp1251.h"

std::atomic<bool> DataLoaded{false};
std::atomic<bool> LoadFailed{false};

namespace {

std::mutex failureMutex;
std::string failureText;

void SetPolicy(std::thread& thread, int policy) {
  sched_param parameter{};
  pthread_setschedparam(thread.native_handle(), policy, &parameter);
}

// A file error names the file itself; any other error is put into a sentence that does.
std::string FailureTextOf(const std::exception* error) {
  if (dynamic_cast<const EInOutError*>(error)) return error->what();
  const std::string start = "Не удалось загрузить файл \"" + DataFilePath("Phones.dbr") + "\"";
  return Cp1251FromUtf8Lossy(error ? start + ": " + error->what() : start);
}

}  // namespace

std::string LoadFailureText() {
  std::lock_guard lock(failureMutex);
  return failureText;
}

TLoadDataThread::TLoadDataThread(TSynchronize synchronize, std::function<void()> onLoaded)
    : synchronize_(std::move(synchronize)), onLoaded_(std::move(onLoaded)), thread_([this] { Execute(); }) {
  SetPolicy(thread_, SCHED_IDLE);
}

TLoadDataThread::~TLoadDataThread() { thread_.join(); }

void TLoadDataThread::RaiseToHighestPriority() {
  // Real-time policies would be higher still, but could starve the whole desktop
  // on a bad file; the normal policy already outranks every idle task.
  if (!Finished()) SetPolicy(thread_, SCHED_OTHER);
}

void TLoadDataThread::Execute() {
  try {
    LoadPhones(*this);
    synchronize_([this] {
      DataLoaded.store(true, std::memory_order_release);
      if (onLoaded_) onLoaded_();
    });
  } catch (const std::exception& error) {
    Fail(&error);
  } catch (...) {
    Fail(nullptr);
  }
  finished_.store(true, std::memory_order_release);
}

// An error escaping the thread's body would end the process, and the memory a
// message needs may be what ran out: the flags are set whatever happens to the text.
void TLoadDataThread::Fail(const std::exception* error) noexcept {
  try {
    std::string text = FailureTextOf(error);
    std::lock_guard lock(failureMutex);
    failureText = std::move(text);
  } catch (...) {
    std::lock_guard lock(failureMutex);
    failureText.clear();
  }
  DataLoaded.store(false, std::memory_order_release);
  LoadFailed.store(true, std::memory_order_release);
}
