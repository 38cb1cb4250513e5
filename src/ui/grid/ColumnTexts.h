#pragma once
// One column's cell texts copied out of the source once per sort, so that the
// comparisons of a sort never call back into the source.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/grid/CellSource.h"

class TColumnTexts {
 public:
  // keyAt(i) gives the row key of position i for i in [0, count).
  template <typename KeyAt>
  TColumnTexts(const TCellSource& source, int column, size_t count, KeyAt keyAt) {
    offsets_.reserve(count + 1);
    offsets_.push_back(0);
    std::string scratch;
    for (size_t i = 0; i < count; ++i) {
      // Room for the rest judged from the first rows spares copying a long column
      // over and over as it grows.
      if (i == kSampleRows && count > 2 * kSampleRows) arena_.reserve(arena_.size() * count / i * 9 / 8 + 64);
      arena_ += CellTextOf(source, keyAt(i), column, scratch);
      offsets_.push_back(arena_.size());
    }
  }

  size_t Count() const { return offsets_.size() - 1; }
  std::string_view Text(size_t position) const {
    return std::string_view(arena_).substr(offsets_[position], offsets_[position + 1] - offsets_[position]);
  }

  // Every text one after another.
  std::string_view AllBytes() const { return arena_; }

  // Eight bytes from `from` on as a big-endian number, zero-padded: with equal bytes
  // before them, a smaller number means a smaller text; an equal one decides nothing.
  uint64_t Bytes(size_t position, size_t from = 0) const;

 private:
  static constexpr size_t kSampleRows = 4096;

  std::string arena_;
  std::vector<size_t> offsets_;
};
