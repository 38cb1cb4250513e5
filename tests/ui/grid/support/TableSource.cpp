#include "tests/ui/grid/support/TableSource.h"

#include <stdexcept>

std::string_view TTableSource::CellText(uint32_t key, int column, std::string& scratch) const {
  ++Calls;
  if (key >= rows_.size()) throw std::out_of_range("row key " + std::to_string(key));
  const auto& row = rows_[key];
  scratch = static_cast<size_t>(column) < row.size() ? row[static_cast<size_t>(column)] : std::string();
  return scratch;
}
