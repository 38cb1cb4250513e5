#pragma once
// What the second thread of a split scan finds, block by block, kept until the lower
// half has been reported, so that every callback still runs on the calling thread in
// table order.

#include <cstdint>
#include <span>
#include <vector>

#include "search/Search.h"
#include "search/SearchCancel.h"

class TUpperBlocks {
 public:
  void Append(std::span<const int32_t> rows) {
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    ends_.push_back(rows_.size());
  }
  size_t BlockCount() const { return ends_.size(); }

  // report(blockStart, rows) for each block kept, the first starting at first; false
  // as soon as cancel is seen or report returns false.
  template <typename TReport>
  bool Replay(int32_t first, const TSearchCancel* cancel, TReport&& report) const {
    size_t begin = 0;
    for (size_t k = 0; k < ends_.size(); ++k) {
      if (CancelSeen(cancel)) return false;
      const std::span<const int32_t> rows(rows_.data() + begin, ends_[k] - begin);
      if (!report(first + static_cast<int32_t>(k) * ProgressStep, rows)) return false;
      begin = ends_[k];
    }
    return true;
  }

 private:
  std::vector<int32_t> rows_;
  std::vector<size_t> ends_;  // where each block's rows end in rows_
};
