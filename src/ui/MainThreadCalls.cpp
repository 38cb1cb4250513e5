#include "ui/MainThreadCalls.h"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <exception>
#include <mutex>

struct TMainThreadCalls::TState {
  std::mutex Mutex;
  std::condition_variable Changed;
  bool Cancelled = false;
};

namespace {

struct TCall {
  bool Done = false;
  std::exception_ptr Error;
};

bool OnWindowThread() {
  return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace

TMainThreadCalls::TMainThreadCalls() : state_(std::make_shared<TState>()) {}

TMainThreadCalls::~TMainThreadCalls() { Cancel(); }

void TMainThreadCalls::Cancel() {
  std::lock_guard lock(state_->Mutex);
  state_->Cancelled = true;
  state_->Changed.notify_all();
}

void TMainThreadCalls::Run(const std::function<void()>& proc) {
  if (OnWindowThread()) {
    proc();
    return;
  }
  auto call = std::make_shared<TCall>();
  auto state = state_;
  {
    std::lock_guard lock(state->Mutex);
    if (state->Cancelled || !QCoreApplication::instance()) return;
  }
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [state, call, proc] {
        std::unique_lock lock(state->Mutex);
        if (state->Cancelled) return;
        lock.unlock();
        try {
          proc();
        } catch (...) {
          call->Error = std::current_exception();
        }
        lock.lock();
        call->Done = true;
        state->Changed.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(state->Mutex);
  state->Changed.wait(lock, [&] { return call->Done || state->Cancelled; });
  if (call->Error) std::rethrow_exception(call->Error);
}
