#include "ui/grid/OrderCodes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

#include "ui/grid/CellOrder.h"
#include "ui/grid/RadixOrder.h"

namespace {

// Gives every distinct text an id in order of first appearance.
class TDistinctTexts {
 public:
  explicit TDistinctTexts(size_t expected)
      : slots_(std::bit_ceil(std::max<size_t>(expected * 2, 16)), 0), mask_(slots_.size() - 1) {}

  uint32_t IdOf(const TColumnTexts& texts, size_t position) {
    const std::string_view text = texts.Text(position);
    size_t slot = std::hash<std::string_view>{}(text)&mask_;
    while (slots_[slot] != 0) {
      const uint32_t id = slots_[slot] - 1;
      if (texts.Text(firstPositions_[id]) == text) return id;
      slot = (slot + 1) & mask_;
    }
    const uint32_t id = static_cast<uint32_t>(firstPositions_.size());
    firstPositions_.push_back(static_cast<uint32_t>(position));
    slots_[slot] = id + 1;
    return id;
  }

  const std::vector<uint32_t>& FirstPositions() const { return firstPositions_; }

 private:
  std::vector<uint32_t> slots_;  // id + 1, 0 for free
  size_t mask_;
  std::vector<uint32_t> firstPositions_;
};

// Dense ranks: equal texts share a rank.
std::vector<uint64_t> Ranks(const TColumnTexts& texts) {
  const size_t count = texts.Count();
  TDistinctTexts distinct(count);
  std::vector<uint64_t> ranks(count);
  for (size_t i = 0; i < count; ++i) ranks[i] = distinct.IdOf(texts, i);

  const std::vector<uint32_t>& first = distinct.FirstPositions();
  std::vector<uint64_t> prefixes(first.size());
  for (uint32_t id = 0; id < first.size(); ++id) prefixes[id] = texts.Bytes(first[id]);
  // The first eight bytes order most distinct texts; only runs sharing them are compared.
  std::vector<uint32_t> ids = RadixOrder({&prefixes}, prefixes.size());
  const auto textOf = [&](uint32_t id) { return texts.Text(first[id]); };
  for (size_t run = 0; run < ids.size();) {
    size_t runEnd = run + 1;
    while (runEnd < ids.size() && prefixes[ids[runEnd]] == prefixes[ids[run]]) ++runEnd;
    // Distinct texts never compare equal, so the order is total.
    if (runEnd - run > 1) {
      std::sort(ids.begin() + static_cast<std::ptrdiff_t>(run), ids.begin() + static_cast<std::ptrdiff_t>(runEnd),
                [&](uint32_t a, uint32_t b) { return CompareCellTexts(textOf(a), textOf(b)) < 0; });
    }
    run = runEnd;
  }
  std::vector<uint32_t> rankOfId(ids.size());
  for (uint32_t rank = 0; rank < ids.size(); ++rank) rankOfId[ids[rank]] = rank;
  for (uint64_t& rank : ranks) rank = rankOfId[rank];
  return ranks;
}

// Dense ranks of texts no longer than 15 bytes, by sorting their codes of up to 15
// bytes, zero-padded, then the length (which puts a text before the same text with
// zero bytes appended): no hashing and no text comparisons, which suits columns of numbers.
std::vector<uint64_t> RanksOfShortTexts(const TColumnTexts& texts) {
  const size_t count = texts.Count();
  std::vector<uint64_t> high(count);
  std::vector<uint64_t> low(count);
  for (size_t i = 0; i < count; ++i) {
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
  explicit TPackedAlphabet(const TColumnTexts& texts) {
    std::array<bool, 256> used{};
    for (unsigned char byte : texts.AllBytes()) used[byte] = true;
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

}  // namespace

std::vector<uint64_t> OrderCodes(const TColumnTexts& texts) {
  const size_t count = texts.Count();
  size_t longest = 0;
  for (size_t i = 0; i < count; ++i) longest = std::max(longest, texts.Text(i).size());
  if (longest > 7) {
    // Numbers, as in the phone column, use few byte values and pack into one code.
    const TPackedAlphabet alphabet(texts);
    if (longest <= alphabet.Capacity()) {
      std::vector<uint64_t> codes(count);
      for (size_t i = 0; i < count; ++i) codes[i] = alphabet.Code(texts.Text(i), longest);
      return codes;
    }
  }
  if (longest > 15) return Ranks(texts);
  if (longest > 7) return RanksOfShortTexts(texts);
  // Texts of up to 7 bytes are their own codes, made like the wide ones.
  std::vector<uint64_t> codes(count);
  for (size_t i = 0; i < count; ++i) codes[i] = (texts.Bytes(i) & ~uint64_t{0xFF}) | texts.Text(i).size();
  return codes;
}
