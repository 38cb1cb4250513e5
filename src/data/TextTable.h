#pragma once
// A growable table of byte texts kept in one pool, with a lower-cased copy that
// substring searches scan in one pass instead of record by record.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/ResidentMemory.h"

class TTextTable {
 public:
  size_t size() const { return starts_.size() - 1; }
  bool empty() const { return size() == 0; }
  std::string_view operator[](size_t index) const {
    return std::string_view(texts_).substr(starts_[index], starts_[index + 1] - starts_[index] - 1);
  }

  void push_back(std::string_view text);  // throws std::length_error past 4 GiB of text
  void clear();                           // gives the memory back
  void reserve(size_t count, size_t textBytes);
  // The pools' memory from their starts to their reserved ends, to be made resident.
  std::vector<TReservedBlock> ReservedBlocks();

  // Every text lower-cased and cut at its first NUL byte (where substring tests stop
  // reading), each followed by a NUL: a needle free of NUL bytes matches inside one
  // text only. Text i starts at StartOf(i).
  std::string_view LowerTexts() const { return lower_; }
  size_t StartOf(size_t index) const { return starts_[index]; }
  // The text that holds byte offset of LowerTexts(); from names a text at or
  // before it, where the search starts.
  size_t IndexAt(size_t offset, size_t from = 0) const;

 private:
  std::string texts_;
  std::string lower_;
  std::vector<uint32_t> starts_{0};
};
