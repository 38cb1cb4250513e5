#pragma once
// A cell source over rows of texts held in memory; the key is the row's index.

#include <string>
#include <vector>

#include "ui/grid/CellSource.h"

class TTableSource : public TCellSource {
 public:
  explicit TTableSource(std::vector<std::vector<std::string>> rows) : rows_(std::move(rows)) {}
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override;
  // Number of CellText calls so far, to catch the source being asked for EmptyRowKey.
  mutable size_t Calls = 0;

 private:
  std::vector<std::vector<std::string>> rows_;
};
