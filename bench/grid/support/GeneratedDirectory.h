#pragma once
// A synthetic directory (tools/SyntheticDirectory.h) as result rows behind the grid's
// cell source: numbers, subscribers, cities, streets, houses, corpora and flats as
// Windows-1251 text, built the way the window's source builds them (numbers in
// decimal on demand).

#include <cstdint>
#include <string>
#include <vector>

#include "ui/grid/CellSource.h"

class TGeneratedDirectory : public TCellSource {
 public:
  TGeneratedDirectory(size_t rows, uint32_t seed);
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override;
  size_t Size() const { return records_.size(); }

 private:
  struct TRecord {
    int64_t Number;
    uint32_t Owner;
    uint16_t City;
    uint16_t Street;
    uint16_t House;
    uint16_t Corpus;
    uint16_t Flat;
  };
  std::vector<std::string> owners_;
  std::vector<std::string> cities_;
  std::vector<std::string> streets_;
  std::vector<std::string> corpora_;
  std::vector<TRecord> records_;
};
