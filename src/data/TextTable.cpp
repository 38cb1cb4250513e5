#include "data/TextTable.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "data/ResidentMemory.h"
#include "data/TextServices.h"

void TTextTable::push_back(std::string_view text) {
  const size_t end = texts_.size() + text.size() + 1;
  if (end > std::numeric_limits<uint32_t>::max()) throw std::length_error("text table exceeds 4 GiB");
  texts_.append(text);
  texts_ += '\0';
  const size_t searchable = TextBeforeNul(text).size();
  const size_t first = lower_.size();
  lower_.resize(end, '\0');
  for (size_t i = 0; i < searchable; ++i) lower_[first + i] = LowerChar(text[i]);
  starts_.push_back(static_cast<uint32_t>(end));
}

void TTextTable::clear() {
  std::string().swap(texts_);
  std::string().swap(lower_);
  std::vector<uint32_t>{0}.swap(starts_);
}

void TTextTable::reserve(size_t count, size_t textBytes) {
  texts_.reserve(textBytes + count);
  lower_.reserve(textBytes + count);
  starts_.reserve(count + 1);
}

std::vector<TReservedBlock> TTextTable::ReservedBlocks() {
  return {ReservedBlockOf(texts_), ReservedBlockOf(lower_), ReservedBlockOf(starts_)};
}

size_t TTextTable::IndexAt(size_t offset, size_t from) const {
  // Galloping from a known earlier text keeps a forward walk over many hits cheap.
  size_t low = from;
  size_t high = from + 1;
  for (size_t step = 1; high < starts_.size() && starts_[high] <= offset; step *= 2) {
    low = high;
    high = from + step * 2;
  }
  high = std::min(high, starts_.size());
  const auto after = std::upper_bound(starts_.begin() + static_cast<ptrdiff_t>(low),
                                      starts_.begin() + static_cast<ptrdiff_t>(high), offset);
  return static_cast<size_t>(after - starts_.begin()) - 1;
}
