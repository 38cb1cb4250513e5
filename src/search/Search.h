#pragma once
// Search criteria, record tests and the scan over Phones.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Tables.h"

// The seven search fields and the mode as the window holds them.
struct TSearchInputs {
  std::string Phone;
  std::string Owner;
  std::vector<int32_t> CityIndices;    // every table index carrying the selected name; empty = none
  std::vector<int32_t> StreetIndices;
  std::string House;
  std::string Corpus;
  std::string Flat;
  bool RegExpr = false;
};

// Snapshot taken at the start of a search; inactive criteria are empty/nullopt.
struct SearchCriteria {
  // Built by MakeSearchCriteria; layout is the search core's own business.
  std::string Phone;
  std::string Owner;
  std::vector<uint64_t> CityBits;   // 65536-bit map, empty when inactive
  std::vector<uint64_t> StreetBits;
  std::optional<int32_t> House;
  std::string Corpus;
  std::optional<int32_t> Flat;
  bool RegExpr = false;
};

SearchCriteria MakeSearchCriteria(const TSearchInputs& inputs);

// Scans Phones in table order: onResult(i) for each result, onProgress(i) after
// record i whenever i is a multiple of 10000 (0 included). Reads Phones and Owners:
// call only once DataLoaded is true.
void ScanPhones(const SearchCriteria& criteria, const std::function<void(int32_t)>& onResult,
                const std::function<void(int32_t)>& onProgress);
