#pragma once
// The scan of regular-expression mode.

#include <cstdint>
#include <functional>

#include "search/Search.h"

// Calls back as ScanPhones does. An ERegExpr ends the scan once the results of the
// records before the one whose test raised it have been reported, and a cancel seen
// before a record ends it with false.
bool ScanRegexPhones(const TDirectory& directory, const SearchCriteria& criteria,
                     const std::function<void(int32_t)>& onResult, const std::function<void(int32_t)>& onProgress,
                     const TSearchCancel* cancel);
