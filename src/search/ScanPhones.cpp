#include <algorithm>

#include "PhoneScan.h"
#include "RegexScan.h"

void ScanPhones(const SearchCriteria& criteria, const std::function<void(int32_t)>& onResult,
                const std::function<void(int32_t)>& onProgress) {
  if (criteria.RegExpr) return ScanRegexPhones(criteria, onResult, onProgress);
  constexpr int32_t progressStep = 10000;
  const TPhoneScan scan(criteria);
  const auto count = static_cast<int32_t>(Phones.size());
  std::vector<int32_t> results;
  for (int32_t block = 0; block < count; block += progressStep) {
    scan.Select(block, std::min(count, block + progressStep), results);
    auto next = results.begin();
    // Progress for a block's first record comes right after that record's result.
    if (next != results.end() && *next == block) onResult(*next++);
    onProgress(block);
    for (; next != results.end(); ++next) onResult(*next);
  }
}
