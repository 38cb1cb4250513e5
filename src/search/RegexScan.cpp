#include "search/RegexScan.h"

#include <algorithm>
#include <atomic>
#include <span>
#include <vector>

#include "search/RegexCriteria.h"
#include "search/SideBySide.h"
#include "search/UpperBlocks.h"

namespace {

// Tests the records that may pass, in table order on the calling thread, with the
// callbacks and cancel looks of a walk over every record: a record passed over
// unseen would have called nothing, so a look before each record tested or
// progress reported sees all that a look before every record would.
class TCandidateWalk {
 public:
  TCandidateWalk(TRegexRecordTests& tests, int32_t count, const std::function<void(int32_t)>& onResult,
                 const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel)
      : tests_(tests), count_(count), onResult_(onResult), onProgress_(onProgress), cancel_(cancel) {}

  // The candidates of the records [first, last) of the block that starts at block;
  // false when a cancel ended the scan.
  bool Walk(int32_t block, int32_t first, std::span<const int32_t> candidates) {
    bool progressDue = block >= first;
    for (int32_t i : candidates) {
      if (progressDue && i > block) {
        if (!Progress(block)) return false;
        progressDue = false;
      }
      if (CancelSeen(cancel_)) return false;
      last_ = i;
      if (tests_.Passes(i)) onResult_(i);
      if (i == block) {
        onProgress_(i);
        progressDue = false;
      }
    }
    return !progressDue || Progress(block);
  }

  // Whether the walk reached the end: a cancel from the last callback counts only
  // if a record after it was still to be looked at.
  bool Finish() const { return last_ == count_ - 1 || !CancelSeen(cancel_); }

 private:
  bool Progress(int32_t block) {
    if (CancelSeen(cancel_)) return false;
    last_ = block;
    onProgress_(block);
    return true;
  }

  TRegexRecordTests& tests_;
  int32_t count_;
  const std::function<void(int32_t)>& onResult_;
  const std::function<void(int32_t)>& onProgress_;
  const TSearchCancel* cancel_;
  int32_t last_ = -1;
};

// Once the owner filter decides which records may pass, the records are selected
// by their owner's bit a block at a time, the upper part beside the lower one,
// and only those are tested, still in table order on this thread.
bool ScanCandidates(TRegexRecordTests& tests, int32_t from, int32_t count, TCandidateWalk& walk,
                    const TSearchCancel* cancel) {
  auto blockOf = [](int32_t i) { return i / ProgressStep * ProgressStep; };
  auto walkBlocks = [&](int32_t first, int32_t last) {
    std::vector<int32_t> buffer;
    for (int32_t start = first; start < last; start = blockOf(start) + ProgressStep) {
      if (CancelSeen(cancel)) return false;
      const int32_t end = std::min(last, blockOf(start) + ProgressStep);
      if (!walk.Walk(blockOf(start), start, tests.SelectMayPass(start, end, buffer))) return false;
    }
    return true;
  };
  const auto split = static_cast<int32_t>(SplitPoint(count, ProgressStep));
  if (split <= from) return walkBlocks(from, count) && walk.Finish();
  TUpperBlocks upper;
  std::atomic<bool> lowerEnded{false};
  bool lowerDone = false;
  RunSideBySide(
      [&] {
        try {
          lowerDone = walkBlocks(from, split);
        } catch (...) {
          lowerEnded = true;
          throw;
        }
        lowerEnded = !lowerDone;
      },
      [&] {
        std::vector<int32_t> buffer;
        for (int32_t block = split; block < count; block += ProgressStep) {
          if (lowerEnded || CancelSeen(cancel)) return;
          const std::span<const int32_t> selected =
              tests.SelectMayPass(block, std::min(count, block + ProgressStep), buffer);
          upper.Append(selected);
        }
      });
  if (!lowerDone) return false;
  const bool walked = upper.Replay(split, cancel, [&](int32_t block, std::span<const int32_t> candidates) {
    return walk.Walk(block, block, candidates);
  });
  if (!walked) return false;
  // The upper selection stops early only for a cancel.
  return upper.BlockCount() == static_cast<size_t>((count - split + ProgressStep - 1) / ProgressStep) && walk.Finish();
}

}  // namespace

// Record by record in table order, so that an engine error stops the scan exactly
// where testing each record afresh would; and since an expression may spend long
// on one record, the cancel is looked at before each record tested.
bool ScanRegexPhones(const TDirectory& directory, const SearchCriteria& criteria,
                     const std::function<void(int32_t)>& onResult, const std::function<void(int32_t)>& onProgress,
                     const TSearchCancel* cancel) {
  TRegexRecordTests tests(directory, criteria);
  const auto count = static_cast<int32_t>(directory.Phones.size());
  int32_t i = 0;
  // The first record to reach the owner test prepares its filter.
  for (; i < count && !tests.OwnerFilterFirst(); ++i) {
    if (CancelSeen(cancel)) return false;
    if (tests.MayPass(i) && tests.Passes(i)) onResult(i);
    if (i % ProgressStep == 0) onProgress(i);
  }
  if (i == count) return true;
  TCandidateWalk walk(tests, count, onResult, onProgress, cancel);
  return ScanCandidates(tests, i, count, walk, cancel);
}
