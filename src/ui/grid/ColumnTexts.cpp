#include "ui/grid/ColumnTexts.h"

uint64_t TColumnTexts::Bytes(size_t position, size_t from) const {
  const std::string_view text = Text(position);
  uint64_t bytes = 0;
  for (size_t i = from; i < from + 8; ++i) {
    bytes <<= 8;
    if (i < text.size()) bytes |= static_cast<unsigned char>(text[i]);
  }
  return bytes;
}
