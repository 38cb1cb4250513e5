#include "ColumnTexts.h"

#include <algorithm>

uint64_t TColumnTexts::Prefix(size_t position) const {
  const std::string_view text = Text(position);
  uint64_t prefix = 0;
  const size_t used = std::min<size_t>(text.size(), 8);
  for (size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < used) prefix |= static_cast<unsigned char>(text[i]);
  }
  return prefix;
}
