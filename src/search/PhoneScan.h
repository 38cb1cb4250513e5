#pragma once
// The plain record tests applied a block of records at a time, one criterion
// after another over the table's columns, each narrowing a list of candidates.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "search/Search.h"

class TPhoneScan {
 public:
  // Reads directory's Owners and Phones, and keeps referring to it and to criteria.
  TPhoneScan(const TDirectory& directory, const SearchCriteria& criteria);
  // With the owners to keep already known, one bit per owner, and so the corpus
  // texts if given, one bit per text of the table's corpus texts.
  TPhoneScan(const TDirectory& directory, const SearchCriteria& criteria, std::vector<uint64_t> owners,
             std::optional<std::vector<uint64_t>> corpora = std::nullopt);

  // The indices in [first, last) that pass every active test, held in buffer,
  // which is grown as needed and valid until the next call with it.
  std::span<const int32_t> Select(int32_t first, int32_t last, std::vector<int32_t>& buffer) const;

 private:
  int tailDigits_ = 0;  // 1..18 when the fast numeric tail test applies, else 0
  int64_t tailValue_ = 0;
  std::vector<uint64_t> owners_;
  std::vector<uint64_t> corpora_;
  const TPhoneTable& phones_;
  size_t ownerCount_;
  const SearchCriteria& criteria_;
};

// The scan over a table of count records, ProgressStep at a time, calling back as
// ScanPhones does; false when a cancel stopped it before a block.
bool ScanPhoneBlocks(const TPhoneScan& scan, int32_t count, const std::function<void(int32_t)>& onResult,
                     const std::function<void(int32_t)>& onProgress, const TSearchCancel* cancel);
