#pragma once
// The plain record tests applied a block of records at a time, one criterion
// after another over the table's columns, each narrowing a list of candidates.

#include <cstdint>
#include <vector>

#include "search/Search.h"

class TPhoneScan {
 public:
  // Reads directory's Owners and Phones, and keeps referring to it and to criteria.
  TPhoneScan(const TDirectory& directory, const SearchCriteria& criteria);
  // With the owners to keep already known, one bit per owner.
  TPhoneScan(const TDirectory& directory, const SearchCriteria& criteria, std::vector<uint64_t> owners);

  // Replaces selection with the indices in [first, last) that pass every active test.
  void Select(int32_t first, int32_t last, std::vector<int32_t>& selection) const;

 private:
  int tailDigits_ = 0;  // 1..18 when the fast numeric tail test applies, else 0
  int64_t tailValue_ = 0;
  std::vector<uint64_t> owners_;
  std::vector<uint64_t> corpora_;
  const TPhoneTable& phones_;
  size_t ownerCount_;
  const SearchCriteria& criteria_;
};
