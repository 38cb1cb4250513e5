#include "ui/grid/ColumnTexts.h"

#include <algorithm>
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
  for (uint32_t position : visits) {
    entryOf_[position] = Add(CellTextOf(source, keys[position], column, scratch), scratch);
  }
  Seal();
}

uint32_t TColumnTexts::Add(std::string_view text, const std::string& scratch) {
  longest_ = std::max(longest_, text.size());
  // One key for every empty text saves an entry per empty cell.
  if (text.empty()) return KeptEntry({});
  const std::less_equal<const char*> notAfter;
  const bool inScratch =
      notAfter(scratch.data(), text.data()) && notAfter(text.data(), scratch.data() + scratch.size());
  return inScratch ? CopiedEntry(text) : KeptEntry(text);
}

uint32_t TColumnTexts::CopiedEntry(std::string_view text) {
  if (copiedStarts_.empty()) {
    copiedStarts_.reserve(entryOf_.size() + 1);
    copiedStarts_.push_back(0);
  }
  // Room for the rest judged from the first texts spares copying a long column over
  // and over as it grows.
  if (CopiedCount() == kSampleTexts && entryOf_.size() > 2 * kSampleTexts) {
    arena_.reserve(arena_.size() * entryOf_.size() / kSampleTexts * 9 / 8 + 64);
  }
  arena_ += text;
  copiedStarts_.push_back(arena_.size());
  return static_cast<uint32_t>(CopiedCount() - 1) | kCopiedTag;
}

uint32_t TColumnTexts::KeptEntry(std::string_view text) {
  const auto entry = static_cast<uint32_t>(kept_.size());
  // Only a text of a size a slot holds can be found again: no cell text is that long.
  if (text.size() > UINT32_MAX) {
    kept_.push_back(text);
    return entry;
  }
  TSlot& slot = slots_[SlotOf(text.data(), text.size(), kSlotBits)];
  if (slot.Data == text.data() && slot.Size == text.size()) return slot.Entry;
  slot = {text.data(), static_cast<uint32_t>(text.size()), entry};
  kept_.push_back(text);
  return entry;
}

void TColumnTexts::Seal() {
  std::vector<TSlot>().swap(slots_);
  const auto kept = static_cast<uint32_t>(kept_.size());
  entriesArePositions_ = kept == 0;
  for (size_t position = 0; position < entryOf_.size(); ++position) {
    uint32_t& entry = entryOf_[position];
    if (entry & kCopiedTag) entry = kept + (entry & ~kCopiedTag);
    entriesArePositions_ = entriesArePositions_ && entry == position;
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
