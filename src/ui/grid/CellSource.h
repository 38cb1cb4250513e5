#pragma once
// What the grid knows of its rows: 32-bit keys whose cell texts are fetched on demand.

#include <cstdint>
#include <string>
#include <string_view>

// Supplies cell texts for row keys: the grid stores 32-bit keys (the window passes
// indices into Phones), never per-cell items or copies of the texts.
class TCellSource {
 public:
  virtual ~TCellSource() = default;
  // Windows-1251 text of one cell. The source may build computed text (house and flat
  // in decimal) in scratch and return a view of it; any other view must stay valid and
  // unchanged while the source lives, since a sort keeps such views rather than copies.
  virtual std::string_view CellText(uint32_t key, int column, std::string& scratch) const = 0;
};

// Key of a row the user inserted: all its cells are empty and the source never sees it.
inline constexpr uint32_t kEmptyRowKey = UINT32_MAX;

inline std::string_view CellTextOf(const TCellSource& source, uint32_t key, int column, std::string& scratch) {
  if (key == kEmptyRowKey) return {};
  return source.CellText(key, column, scratch);
}
