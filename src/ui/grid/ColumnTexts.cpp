#include "ui/grid/ColumnTexts.h"

#include <bit>
#include <functional>

namespace {

// Addresses of stored texts differ in their low bits; the multiplication spreads them
// over the high ones, which pick the slot.
size_t SlotOf(const char* data, size_t size, size_t slotBits) {
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

void TColumnTexts::GrowSlots() {
  std::vector<TSlot> old(std::max<size_t>(2 * slots_.size(), 1024), TSlot{nullptr, 0, kFreeSlot});
  old.swap(slots_);
  slotBits_ = static_cast<size_t>(std::countr_zero(slots_.size()));
  for (const TSlot& slot : old) {
    if (slot.Entry != kFreeSlot) slots_[SlotFor(slot.Data, slot.Size)] = slot;
  }
}

size_t TColumnTexts::SlotFor(const char* data, size_t size) const {
  size_t index = SlotOf(data, size, slotBits_);
  while (slots_[index].Entry != kFreeSlot && (slots_[index].Data != data || slots_[index].Size != size)) {
    index = (index + 1) & (slots_.size() - 1);
  }
  return index;
}

uint32_t TColumnTexts::KeptEntry(std::string_view text) {
  if (last_.Entry != kFreeSlot && text.data() == last_.Data && text.size() == last_.Size) return last_.Entry;
  // Kept at most half full, so that probes stay short.
  if (2 * (texts_.size() + 1) > slots_.size()) GrowSlots();
  TSlot& slot = slots_[SlotFor(text.data(), text.size())];
  if (slot.Entry == kFreeSlot) {
    slot = {text.data(), text.size(), static_cast<uint32_t>(texts_.size())};
    texts_.push_back(text);
  }
  last_ = slot;
  return slot.Entry;
}

void TColumnTexts::Seal() {
  slots_ = {};
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
  uint64_t bytes = 0;
  for (size_t i = from; i < from + 8; ++i) {
    bytes <<= 8;
    if (i < text.size()) bytes |= static_cast<unsigned char>(text[i]);
  }
  return bytes;
}
