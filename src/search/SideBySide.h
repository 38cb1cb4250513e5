#pragma once
// Two parts of one piece of work on two threads, for scans that the table's
// size makes long enough to pay for a second thread.

#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>

// Below this many records a second thread costs more than it saves.
constexpr int64_t SideBySideFromRecords = 400'000;

// Where [0, count) splits into two parts of about the same size, at a multiple of
// grain; 0 when the work is too small to split or there is one processor only.
inline int64_t SplitPoint(int64_t count, int64_t grain) {
  if (count < SideBySideFromRecords || std::thread::hardware_concurrency() < 2) return 0;
  return count / 2 / grain * grain;
}

// Runs upper() on a second thread while lower() runs on this one and returns once
// both have ended; what either throws reaches the caller, lower's failure first.
// Without a thread to be had, the two run one after the other.
template <typename TLower, typename TUpper>
void RunSideBySide(TLower&& lower, TUpper&& upper) {
  std::exception_ptr upperFailure;
  std::jthread beside;
  try {
    beside = std::jthread([&] {
      try {
        upper();
      } catch (...) {
        upperFailure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    lower();
    upper();
    return;
  }
  lower();
  beside.join();
  if (upperFailure) std::rethrow_exception(upperFailure);
}
