#pragma once
// Runs procedures handed over by other threads on the window thread and makes the
// caller wait for them, like a synchronous hand-over. Once cancelled (the window is
// going away) pending and later calls return without running, so a thread that is
// being joined can never wait for a window thread that waits for it.

#include <functional>
#include <memory>

class TMainThreadCalls {
 public:
  TMainThreadCalls();
  ~TMainThreadCalls();
  TMainThreadCalls(const TMainThreadCalls&) = delete;
  TMainThreadCalls& operator=(const TMainThreadCalls&) = delete;

  // Any thread; rethrows on the calling thread what proc raised.
  void Run(const std::function<void()>& proc);
  void Cancel();

 private:
  struct TState;
  std::shared_ptr<TState> state_;
};
