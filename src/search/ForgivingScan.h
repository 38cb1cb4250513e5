#pragma once
// The scan of forgiving mode, for one reading of the owner and corpus fields or for
// several at once.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "search/Search.h"

// readings differ in Owner and Corpus only (each active in all or none). Calls back
// as ScanPhones does, onResult(i, readings) with bit r set when reading r finds
// record i, once for each record that any reading finds.
bool ScanForgiving(const TDirectory& directory, std::span<const SearchCriteria> readings,
                   const std::function<void(int32_t, uint32_t)>& onResult,
                   const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel);

// criteria with the owner and corpus fields that hold Latin letters read as typed
// in the Russian layout; nothing when neither does.
std::optional<SearchCriteria> LatinLayoutReading(const SearchCriteria& criteria);
