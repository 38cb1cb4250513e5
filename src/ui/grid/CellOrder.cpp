#include "ui/grid/CellOrder.h"

#include <algorithm>
#include <cstring>

int CompareCellTexts(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  // memcmp compares as unsigned char, which is exactly the order wanted for 0x80..0xFF.
  if (common > 0) {
    if (int bytes = std::memcmp(a.data(), b.data(), common); bytes != 0) return bytes < 0 ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}
