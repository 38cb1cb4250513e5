#include "ui/grid/OrderCodes.h"

#include <algorithm>
#include <array>
#include <bit>

#include "ui/grid/RadixOrder.h"
#include "ui/grid/TextRanks.h"

namespace {

// Dense ranks of texts no longer than 15 bytes, by sorting their codes of up to 15
// bytes, zero-padded, then the length (which puts a text before the same text with
// zero bytes appended): no hashing and no text comparisons, which suits columns of numbers.
std::vector<uint64_t> RanksOfShortTexts(const TColumnTexts& texts) {
  const size_t count = texts.Entries();
  std::vector<uint64_t> high(count);
  std::vector<uint64_t> low(count);
  for (uint32_t i = 0; i < count; ++i) {
    high[i] = texts.Bytes(i);
    low[i] = (texts.Bytes(i, 8) & ~uint64_t{0xFF}) | texts.Text(i).size();
  }
  const std::vector<uint32_t> order = RadixOrder({&high, &low}, count);
  std::vector<uint64_t> ranks(count);
  uint64_t rank = 0;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && (high[order[i]] != high[order[i - 1]] || low[order[i]] != low[order[i - 1]])) ++rank;
    ranks[order[i]] = rank;
  }
  return ranks;
}

// Each byte value the column uses gets a small number in byte order, 0 left for the
// end of a text: codes of texts over such an alphabet pack several bytes into few bits.
class TPackedAlphabet {
 public:
  // Reading the source's own texts stops once the column uses more byte values than
  // codes of texts of up to `longest` bytes could hold: Capacity() is then below longest.
  TPackedAlphabet(const TColumnTexts& texts, size_t longest) {
    const size_t bitsPerByte = 64 / longest;
    const size_t most = bitsPerByte >= 8 ? 255 : (size_t{1} << bitsPerByte) - 1;
    std::array<bool, 256> used{};
    // Copied texts lie end to end, which suits one plain pass.
    for (unsigned char byte : texts.CopiedBytes()) used[byte] = true;
    auto distinct = static_cast<size_t>(std::count(used.begin(), used.end(), true));
    for (uint32_t entry = 0; entry < texts.KeptEntries() && distinct <= most; ++entry) {
      for (unsigned char byte : texts.Text(entry)) {
        distinct += used[byte] ? 0 : 1;
        used[byte] = true;
      }
    }
    if (distinct > most) {
      bits_ = 64;
      return;
    }
    uint8_t next = 0;
    for (size_t byte = 0; byte < used.size(); ++byte) {
      if (used[byte]) digitOf_[byte] = ++next;
    }
    bits_ = static_cast<size_t>(std::bit_width(next));
  }

  // How many bytes of text one code holds.
  size_t Capacity() const { return 64 / std::max<size_t>(bits_, 1); }

  // A text that ends early carries 0 where the longer one has a byte, so it comes first.
  uint64_t Code(std::string_view text, size_t width) const {
    uint64_t code = 0;
    for (unsigned char byte : text) code = (code << bits_) | digitOf_[byte];
    const size_t missing = (width - text.size()) * bits_;
    return missing >= 64 ? 0 : code << missing;
  }

 private:
  std::array<uint8_t, 256> digitOf_{};
  size_t bits_ = 0;
};

// By entry.
std::vector<uint64_t> EntryCodes(const TColumnTexts& texts) {
  const size_t count = texts.Entries();
  const size_t longest = texts.Longest();
  if (longest > 7) {
    // Numbers, as in the phone column, use few byte values and pack into one code.
    const TPackedAlphabet alphabet(texts, longest);
    if (longest <= alphabet.Capacity()) {
      std::vector<uint64_t> codes(count);
      for (uint32_t i = 0; i < count; ++i) codes[i] = alphabet.Code(texts.Text(i), longest);
      return codes;
    }
  }
  if (longest > 15) return TextRanks(texts);
  if (longest > 7) return RanksOfShortTexts(texts);
  // Texts of up to 7 bytes are their own codes, made like the wide ones.
  std::vector<uint64_t> codes(count);
  for (uint32_t i = 0; i < count; ++i) codes[i] = (texts.Bytes(i) & ~uint64_t{0xFF}) | texts.Text(i).size();
  return codes;
}

}  // namespace

std::vector<uint64_t> OrderCodes(const TColumnTexts& texts) {
  std::vector<uint64_t> codes = EntryCodes(texts);
  if (texts.EntriesArePositions()) return codes;
  std::vector<uint64_t> byPosition(texts.Count());
  for (size_t i = 0; i < byPosition.size(); ++i) byPosition[i] = codes[texts.EntryAt(i)];
  return byPosition;
}
