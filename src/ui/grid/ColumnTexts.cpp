#include "ui/grid/ColumnTexts.h"

#include <cstring>
#include <functional>

namespace {

// Addresses of stored texts differ in their low bits; the multiplication spreads them
// over the high ones, which pick the slot.
size_t SlotOf(const char* data, size_t size, unsigned slotBits) {
  const uint64_t address = reinterpret_cast<uintptr_t>(data) ^ (uint64_t{size} << 48);
  return static_cast<size_t>((address * 0x9E3779B97F4A7C15ull) >> (64 - slotBits));
}

}  // namespace

TColumnTexts::TColumnTexts(const TCellSource& source, int column, const std::vector<uint32_t>& keys,
                           const std::vector<uint32_t>& visits)
    : entryOf_(keys.size()) {
  std::string scratch;
  for (uint32_t position : visits)
    entryOf_[position] = Add(CellTextOf(source, keys[position], column, scratch), scratch);
  Seal();
}

uint32_t TColumnTexts::Add(std::string_view text, const std::string& scratch) {
  // One key for every empty text saves an entry per empty cell.
  if (text.empty()) return KeptEntry({});
  const std::less_equal<const char*> notAfter;
  const bool inScratch =
      notAfter(scratch.data(), text.data()) && notAfter(text.data(), scratch.data() + scratch.size());
  if (!inScratch) return KeptEntry(text);
  arena_ += text;
  copiedEnds_.push_back(arena_.size());
  return static_cast<uint32_t>(copiedEnds_.size() - 1) | kCopiedTag;
}

uint32_t TColumnTexts::KeptEntry(std::string_view text) {
  const auto entry = static_cast<uint32_t>(texts_.size());
  // Only a text of a size a slot holds can be found again: no cell text is that long.
  if (text.size() > UINT32_MAX) {
    texts_.push_back(text);
    return entry;
  }
  TSlot& slot = slots_[SlotOf(text.data(), text.size(), kSlotBits)];
  if (slot.Data == text.data() && slot.Size == text.size()) return slot.Entry;
  slot = {text.data(), static_cast<uint32_t>(text.size()), entry};
  texts_.push_back(text);
  return entry;
}

void TColumnTexts::Seal() {
  slots_ = {};
  slots_.shrink_to_fit();
  const auto kept = static_cast<uint32_t>(texts_.size());
  size_t start = 0;
  for (size_t end : copiedEnds_) {
    texts_.push_back(std::string_view(arena_).substr(start, end - start));
    start = end;
  }
  copiedEnds_ = {};
  for (uint32_t& entry : entryOf_) {
    if (entry & kCopiedTag) entry = kept + (entry & ~kCopiedTag);
  }
}

uint64_t TColumnTexts::Bytes(uint32_t entry, size_t from) const {
  const std::string_view text = Text(entry);
  unsigned char bytes[8] = {};
  // A copy of a known size compiles to one load.
  if (from + 8 <= text.size()) {
    std::memcpy(bytes, text.data() + from, 8);
  } else if (from < text.size()) {
    std::memcpy(bytes, text.data() + from, text.size() - from);
  }
  uint64_t value = 0;
  for (unsigned char byte : bytes) value = value << 8 | byte;
  return value;
}
