#pragma once
// A search's stop request, for a scan that runs off the window thread.

#include <atomic>

// Set by the window thread, read by the search thread between records.
class TSearchCancel {
 public:
  void Cancel() noexcept { cancelled_.store(true, std::memory_order_release); }
  bool Cancelled() const noexcept { return cancelled_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> cancelled_{false};
};

inline bool CancelSeen(const TSearchCancel* cancel) noexcept { return cancel && cancel->Cancelled(); }
