#pragma once
// Fresh memory made resident in one call instead of one page fault at a time: on the
// virtual machines the directory runs on, first touches of a loaded table's pages cost
// several times the reading of its files.

#include <cstddef>
#include <string>
#include <thread>
#include <vector>

// Best effort: a kernel without the request leaves the pages to be faulted in as used.
void MakeResident(void* data, size_t bytes);

// Memory reserved for a table's column, from its start to the end of its capacity.
struct TReservedBlock {
  void* Data = nullptr;
  size_t Bytes = 0;
};

template <class T>
TReservedBlock ReservedBlockOf(std::vector<T>& column) {
  return {column.data(), column.capacity() * sizeof(T)};
}

inline TReservedBlock ReservedBlockOf(std::string& text) { return {text.data(), text.capacity()}; }

// Makes blocks resident on a thread of its own while the caller fills them: a slice
// of every block at a time, front to back, so that a fill that writes all of its
// columns from their starts finds their pages ready instead of faulting them in.
// Destruction stops at the next slice and waits for the thread; the blocks must
// outlive it.
class TResidentAhead {
 public:
  explicit TResidentAhead(std::vector<TReservedBlock> blocks);

 private:
  std::jthread thread_;
};
