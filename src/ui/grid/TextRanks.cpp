#include "ui/grid/TextRanks.h"

#include <algorithm>

#include "ui/grid/RadixOrder.h"

namespace {

struct TWord {
  uint64_t Bytes;
  uint32_t Entry;
};

class TRanking {
 public:
  TRanking(const TColumnTexts& texts, std::vector<TWord> words)
      : texts_(texts), words_(std::move(words)), ranks_(words_.size()) {}

  // words_[begin, end) agree on the bytes before `from` and are sorted by the eight from it.
  void RankSorted(size_t begin, size_t end, size_t from) {
    for (size_t run = begin; run < end;) {
      size_t runEnd = run + 1;
      while (runEnd < end && words_[runEnd].Bytes == words_[run].Bytes) ++runEnd;
      if (runEnd - run == 1) {
        ranks_[words_[run].Entry] = next_++;
      } else if (LongestIn(run, runEnd) <= from + 8) {
        RankByLength(run, runEnd);
      } else {
        SortByBytesFrom(run, runEnd, from + 8);
        RankSorted(run, runEnd, from + 8);
      }
      run = runEnd;
    }
  }

  std::vector<uint64_t> TakeRanks() { return std::move(ranks_); }

 private:
  size_t LongestIn(size_t begin, size_t end) const {
    size_t longest = 0;
    for (size_t i = begin; i < end; ++i) longest = std::max(longest, texts_.Text(words_[i].Entry).size());
    return longest;
  }

  void SortByBytesFrom(size_t begin, size_t end, size_t from) {
    for (size_t i = begin; i < end; ++i) words_[i].Bytes = texts_.Bytes(words_[i].Entry, from);
    std::sort(words_.begin() + static_cast<std::ptrdiff_t>(begin), words_.begin() + static_cast<std::ptrdiff_t>(end),
              [](const TWord& a, const TWord& b) { return a.Bytes < b.Bytes; });
  }

  // Texts alike but for zero bytes past the shorter ones' ends: the shorter comes first.
  void RankByLength(size_t begin, size_t end) {
    const auto lengthOf = [&](const TWord& word) { return texts_.Text(word.Entry).size(); };
    std::sort(words_.begin() + static_cast<std::ptrdiff_t>(begin), words_.begin() + static_cast<std::ptrdiff_t>(end),
              [&](const TWord& a, const TWord& b) { return lengthOf(a) < lengthOf(b); });
    for (size_t i = begin; i < end; ++i) {
      if (i > begin && lengthOf(words_[i]) != lengthOf(words_[i - 1])) ++next_;
      ranks_[words_[i].Entry] = next_;
    }
    ++next_;
  }

  const TColumnTexts& texts_;
  std::vector<TWord> words_;
  std::vector<uint64_t> ranks_;
  uint64_t next_ = 0;
};

}  // namespace

std::vector<uint64_t> TextRanks(const TColumnTexts& texts) {
  const size_t count = texts.Entries();
  std::vector<uint64_t> prefixes(count);
  for (uint32_t entry = 0; entry < count; ++entry) prefixes[entry] = texts.Bytes(entry);
  const std::vector<uint32_t> order = RadixOrder({&prefixes}, count);
  std::vector<TWord> words(count);
  for (size_t i = 0; i < count; ++i) words[i] = {prefixes[order[i]], order[i]};
  TRanking ranking(texts, std::move(words));
  ranking.RankSorted(0, count, 0);
  return ranking.TakeRanks();
}
