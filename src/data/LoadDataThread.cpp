#include "LoadDataThread.h"

#include <pthread.h>
#include <sched.h>

#include <mutex>

#include "Cp1251.h"

std::atomic<bool> DataLoaded{false};
std::atomic<bool> LoadFailed{false};

namespace {

std::mutex failureMutex;
std::string failureText;

void SetPolicy(std::thread& thread, int policy) {
  sched_param parameter{};
  pthread_setschedparam(thread.native_handle(), policy, &parameter);
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
    Fail(dynamic_cast<const EInOutError*>(&error)
             ? error.what()
             : Cp1251FromUtf8Lossy("Не удалось загрузить файл \"" + DataFilePath("Phones.dbr") +
                                   "\": " + error.what()));
  } catch (...) {
    Fail(Cp1251FromUtf8Lossy("Не удалось загрузить файл \"" + DataFilePath("Phones.dbr") + "\""));
  }
  finished_.store(true, std::memory_order_release);
}

void TLoadDataThread::Fail(const std::string& text) {
  {
    std::lock_guard lock(failureMutex);
    failureText = text;
  }
  DataLoaded.store(false, std::memory_order_release);
  LoadFailed.store(true, std::memory_order_release);
}
