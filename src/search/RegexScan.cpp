#include "search/RegexScan.h"

#include "search/RegexCriteria.h"

// Record by record in table order, so that an engine error stops the scan exactly
// where testing each record afresh would; and since an expression may spend long
// on one record, the cancel is looked at before each.
bool ScanRegexPhones(const TDirectory& directory, const SearchCriteria& criteria,
                     const std::function<void(int32_t)>& onResult, const std::function<void(int32_t)>& onProgress,
                     const TSearchCancel* cancel) {
  TRegexRecordTests tests(directory, criteria);
  const auto count = static_cast<int32_t>(directory.Phones.size());
  for (int32_t i = 0; i < count; ++i) {
    if (CancelSeen(cancel)) return false;
    if (tests.MayPass(i) && tests.Passes(i)) onResult(i);
    if (i % ProgressStep == 0) onProgress(i);
  }
  return true;
}
