#include "search/RunSearch.h"

TSearchOutcome RunSearch(const TDirectory& directory, const TSearchInputs& inputs,
                         const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel) {
  TSearchOutcome outcome;
  try {
    const SearchCriteria criteria = MakeSearchCriteria(inputs);
    outcome.Readings.push_back(TSearchReading{criteria.Owner, criteria.Corpus, 0, false});
    TSearchReading& reading = outcome.Readings.back();
    const auto onResult = [&](int32_t row) {
      outcome.Rows.push_back(row);
      ++reading.Rows;
    };
    outcome.Cancelled = !ScanPhones(
        directory, criteria, onResult, onProgress ? onProgress : [](int32_t) {}, cancel);
  } catch (...) {
    outcome.Error = std::current_exception();
  }
  return outcome;
}
