#pragma once
// A whole search as a thread other than the window's runs it: criteria, scan and
// outcome, with every failure kept in the outcome instead of thrown.

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "search/Search.h"
#include "search/SearchCancel.h"

// One reading of the typed owner and corpus texts, as the criteria hold them
// (trimmed; lower-cased in plain mode), and the rows it found.
struct TSearchReading {
  std::string Owner;
  std::string Corpus;
  int32_t Rows = 0;
  bool LatinLayout = false;  // the texts as the same keys give them in the Russian layout
};

struct TSearchOutcome {
  std::vector<int32_t> Rows;             // Phones indices, table order, no duplicates
  std::vector<TSearchReading> Readings;  // one normally; two when a Latin-layout reading was also searched
  bool Cancelled = false;
  std::exception_ptr Error;  // EConvertError for a bad house or flat, ERegExpr from the engine, ...
};

// Never throws: the rows found before an error or a cancel stay in Rows. onProgress
// is called as ScanPhones calls it, on the calling thread; cancel may be null.
TSearchOutcome RunSearch(const TDirectory& directory, const TSearchInputs& inputs,
                         const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel);
