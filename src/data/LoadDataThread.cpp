#include "data/LoadDataThread.h"

#include <pthread.h>
#include <sched.h>

#include "data/Cp1251.h"
#include "data/DataFilePath.h"

namespace {

void SetPolicy(std::thread& thread, int policy) {
  sched_param parameter{};
  pthread_setschedparam(thread.native_handle(), policy, &parameter);
}

// A file error names the file itself; any other error is put into a sentence that does.
std::string FailureTextOf(const std::exception* error, std::string_view folder) {
  if (dynamic_cast<const EInOutError*>(error)) return error->what();
  const std::string start = "Не удалось загрузить файл \"" + DataFilePath(folder, "Phones.dbr") + "\"";
  return Cp1251FromUtf8Lossy(error ? start + ": " + error->what() : start);
}

}  // namespace

TLoadDataThread::TLoadDataThread(TDirectory& directory, std::string folder, TSynchronize synchronize,
                                 std::function<void()> onLoaded, std::shared_ptr<TDirectoryFiles> files)
    : directory_(directory),
      folder_(std::move(folder)),
      files_(std::move(files)),
      synchronize_(std::move(synchronize)),
      onLoaded_(std::move(onLoaded)),
      thread_([this] { Execute(); }) {
  SetPolicy(thread_, SCHED_IDLE);
}

TLoadDataThread::~TLoadDataThread() { Join(); }

void TLoadDataThread::Join() {
  if (thread_.joinable()) thread_.join();
}

void TLoadDataThread::RaiseToHighestPriority() {
  // Real-time policies would be higher still, but could starve the whole desktop
  // on a bad file; the normal policy already outranks every idle task.
  if (!Finished() && thread_.joinable()) SetPolicy(thread_, SCHED_OTHER);
}

std::string TLoadDataThread::LoadFailureText() const {
  std::lock_guard lock(failureMutex_);
  return failureText_;
}

std::exception_ptr TLoadDataThread::LoadFailure() const {
  std::lock_guard lock(failureMutex_);
  return failure_;
}

void TLoadDataThread::Execute() {
  try {
    if (!files_) files_ = std::make_shared<TDirectoryFiles>(folder_);
    LoadPhones(directory_, *files_, *this);
    synchronize_([this] {
      dataLoaded_.store(true, std::memory_order_release);
      if (onLoaded_) onLoaded_();
    });
  } catch (const std::exception& error) {
    Fail(&error);
  } catch (...) {
    Fail(nullptr);
  }
  finished_.store(true, std::memory_order_release);
}

// Runs inside the handler of the failure. An error escaping the thread's body would
// end the process, and the memory a message needs may be what ran out: the flags are
// set whatever happens to the text.
void TLoadDataThread::Fail(const std::exception* error) noexcept {
  std::exception_ptr failure = std::current_exception();
  try {
    std::string text = FailureTextOf(error, folder_);
    std::lock_guard lock(failureMutex_);
    failureText_ = std::move(text);
    failure_ = std::move(failure);
  } catch (...) {
    std::lock_guard lock(failureMutex_);
    failureText_.clear();
    failure_ = std::move(failure);
  }
  dataLoaded_.store(false, std::memory_order_release);
  loadFailed_.store(true, std::memory_order_release);
}
