#pragma once
// Cell texts of the result grid, read straight from the directory's tables: the grid
// keeps only indices into its Phones.

#include <memory>

#include "data/Directory.h"
#include "data/PhoneFields.h"
#include "ui/grid/CellSource.h"

class TPhoneCellSource : public TCellSource {
 public:
  // Keeps directory alive for as long as the source reads it.
  explicit TPhoneCellSource(std::shared_ptr<const TDirectory> directory) : directory_(std::move(directory)) {}
  // A key outside Phones or a column outside the seven reads as the empty text.
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override;
  // Together with the rows the keys index: keys of one directory never read another.
  void SetDirectory(std::shared_ptr<const TDirectory> directory) { directory_ = std::move(directory); }
  const std::shared_ptr<const TDirectory>& Directory() const { return directory_; }

 private:
  std::shared_ptr<const TDirectory> directory_;
};
