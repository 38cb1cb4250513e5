#pragma once
// Reading a file of records through one small buffer, so that no copy of the whole
// file is ever held and the buffer's pages are touched only once.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "data/DataFile.h"

constexpr size_t ReadingChunkBytes = 256 * 1024;  // stays in the cache while it is decoded

// A reader of a file from its start that leaves the file's position alone.
class TPositionedReader {
 public:
  explicit TPositionedReader(const TDataFile& file) : file_(file) {}
  size_t Read(void* buffer, size_t n) {
    const size_t got = file_.ReadAt(offset_, buffer, n);
    offset_ += got;
    return got;
  }

 private:
  const TDataFile& file_;
  uint64_t offset_ = 0;
};

// Reads file (a TDataFile or a TPositionedReader) from its position up to limit
// bytes or its end and passes the bytes
// to walk(std::string_view), which returns how many of them its whole records
// take; the rest, a record cut by the buffer's end, starts the next view. A record
// still incomplete at the end is never passed whole. recordBytes is the size of
// the longest record. Returns the bytes read.
template <typename TFile, typename TWalk>
uint64_t ReadInChunks(TFile& file, uint64_t limit, size_t recordBytes, TWalk&& walk) {
  std::vector<char> buffer(std::max(ReadingChunkBytes, 2 * recordBytes));
  size_t kept = 0;
  uint64_t total = 0;
  for (;;) {
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(buffer.size() - kept, limit - total));
    const size_t got = wanted == 0 ? 0 : file.Read(buffer.data() + kept, wanted);
    total += got;
    const size_t filled = kept + got;
    const size_t used = walk(std::string_view(buffer.data(), filled));
    kept = filled - used;
    std::memmove(buffer.data(), buffer.data() + used, kept);
    if (got < wanted || total == limit) return total;
  }
}
