#pragma once
// Fresh memory made resident in one call instead of one page fault at a time: on the
// virtual machines the directory runs on, first touches of a loaded table's pages cost
// several times the reading of its files.

#include <cstddef>
#include <string>
#include <vector>

// Best effort: a kernel without the request leaves the pages to be faulted in as used.
void MakeResident(void* data, size_t bytes);

template <class T>
void MakeReservedResident(std::vector<T>& column) {
  MakeResident(column.data(), column.capacity() * sizeof(T));
}

inline void MakeReservedResident(std::string& text) { MakeResident(text.data(), text.capacity()); }
