#include <algorithm>
#include <span>

#include "search/ForgivingScan.h"
#include "search/PhoneScan.h"
#include "search/RegexCriteria.h"
#include "search/RegexScan.h"
#include "search/SideBySide.h"
#include "search/UpperBlocks.h"

namespace {

// Progress for a block's first record comes right after that record's result.
void ReportBlock(int32_t block, std::span<const int32_t> results, const std::function<void(int32_t)>& onResult,
                 const std::function<void(int32_t)>& onProgress) {
  auto next = results.begin();
  if (next != results.end() && *next == block) onResult(*next++);
  onProgress(block);
  for (; next != results.end(); ++next) onResult(*next);
}

}  // namespace

bool ScanPhoneBlocks(const TPhoneScan& scan, int32_t count, const std::function<void(int32_t)>& onResult,
                     const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel) {
  auto forEachBlock = [&scan, cancel](int32_t first, int32_t last, auto&& onBlock) {
    std::vector<int32_t> buffer;
    for (int32_t block = first; block < last; block += ProgressStep) {
      if (CancelSeen(cancel)) return false;
      onBlock(block, scan.Select(block, std::min(last, block + ProgressStep), buffer));
    }
    return true;
  };
  auto report = [&](int32_t block, std::span<const int32_t> results) {
    ReportBlock(block, results, onResult, onProgress);
  };
  const auto split = static_cast<int32_t>(SplitPoint(count, ProgressStep));
  if (split == 0) return forEachBlock(0, count, report);
  // The upper part is selected beside the lower one and reported after it, so
  // that the calls come in table order on this thread.
  TUpperBlocks upper;
  bool lowerDone = false;
  bool upperDone = false;
  RunSideBySide([&] { lowerDone = forEachBlock(0, split, report); },
                [&] {
                  upperDone = forEachBlock(split, count,
                                           [&](int32_t, std::span<const int32_t> results) { upper.Append(results); });
                });
  // The upper blocks follow the lower part only once all of it was reported.
  if (!lowerDone) return false;
  const bool replayed = upper.Replay(split, cancel, [&](int32_t block, std::span<const int32_t> results) {
    report(block, results);
    return true;
  });
  return replayed && upperDone;
}

bool ScanPhones(const TDirectory& directory, const SearchCriteria& criteria,
                const std::function<void(int32_t)>& onResult, const std::function<void(int32_t)>& onProgress,
                const TSearchCancel* cancel) {
  if (CancelSeen(cancel)) return false;
  const auto count = static_cast<int32_t>(directory.Phones.size());
  if (criteria.Forgiving && !criteria.RegExpr) {
    return ScanForgiving(
        directory, std::span(&criteria, 1), [&](int32_t i, uint32_t) { onResult(i); }, onProgress, cancel);
  }
  if (!criteria.RegExpr) return ScanPhoneBlocks(TPhoneScan(directory, criteria), count, onResult, onProgress, cancel);
  // An empty table tests no record, so its expressions are never compiled.
  if (count == 0) return true;
  std::optional<std::vector<uint64_t>> owners = OwnersDecidingTheSearch(directory.Owners, criteria);
  if (!owners) return ScanRegexPhones(directory, criteria, onResult, onProgress, cancel);
  return ScanPhoneBlocks(TPhoneScan(directory, criteria, std::move(*owners)), count, onResult, onProgress, cancel);
}
