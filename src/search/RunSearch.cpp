#include "search/RunSearch.h"

#include "search/ForgivingScan.h"

TSearchOutcome RunSearch(const TDirectory& directory, const TSearchInputs& inputs,
                         const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel) {
  TSearchOutcome outcome;
  try {
    std::vector<SearchCriteria> readings = {MakeSearchCriteria(inputs)};
    if (readings[0].Forgiving) {
      if (std::optional<SearchCriteria> latin = LatinLayoutReading(readings[0])) readings.push_back(std::move(*latin));
    }
    for (const SearchCriteria& reading : readings) {
      outcome.Readings.push_back(TSearchReading{reading.Owner, reading.Corpus, 0, outcome.Readings.size() == 1});
    }
    const auto progress = onProgress ? onProgress : [](int32_t) {};
    if (readings.size() == 1) {
      const auto onResult = [&](int32_t row) {
        outcome.Rows.push_back(row);
        ++outcome.Readings[0].Rows;
      };
      outcome.Cancelled = !ScanPhones(directory, readings[0], onResult, progress, cancel);
    } else {
      const auto onResult = [&](int32_t row, uint32_t found) {
        outcome.Rows.push_back(row);
        for (size_t r = 0; r < readings.size(); ++r) outcome.Readings[r].Rows += (found >> r) & 1;
      };
      outcome.Cancelled = !ScanForgiving(directory, readings, onResult, progress, cancel);
    }
  } catch (...) {
    outcome.Error = std::current_exception();
  }
  return outcome;
}
